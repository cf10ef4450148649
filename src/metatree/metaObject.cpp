#include "lorvane/metatree/metaObject.h"

#include "lorvane/metatree/metaCustomCopy.h"
#include "lorvane/metatree/numberConversion.h"

namespace lorvane {

metaObjectVirtualDataBaseC::metaObjectVirtualDataBaseC(const metaObjectVirtualDataBaseC& other, int owns) {
  assign(other);
  if (owns != -1) flags_ = owns != 0 ? (flags_ | kOwnsNode) : (flags_ & ~kOwnsNode);
}

metaObjectVirtualDataBaseC& metaObjectVirtualDataBaseC::operator=(metaObjectVirtualDataBaseC&& other) noexcept {
  if (this != &other) {
    release();
    flags_ = other.flags_;
    node_ = other.node_;
    other.flags_ = 0;
    other.node_ = nullptr;
  }
  return *this;
}

void metaObjectVirtualDataBaseC::release() {
  if (node_ && ownsNode()) {
    metaTreeC* node = node_;
    node_ = nullptr;
    delete node;
  }
  node_ = nullptr;
  flags_ &= ~kOwnsNode;
}

void metaObjectVirtualDataBaseC::attach(metaTreeC* node, bool owns) {
  release();
  node_ = node;
  flags_ = owns ? (flags_ | kOwnsNode) : (flags_ & ~kOwnsNode);
}

void metaObjectVirtualDataBaseC::assign(const metaObjectVirtualDataBaseC& other) {
  if (this == &other) return;
  // The copy is made before anything is released, so a failed copy leaves
  // this reference as it was.
  metaTreeC* node = other.node_;
  if (node && other.ownsNode()) node = other.copyTree(false, true);
  release();
  node_ = node;
  flags_ = (flags_ & ~kOwnsNode) | (other.flags_ & kOwnsNode);
}

metaObjectC metaObjectVirtualDataBaseC::createTree(std::string_view key, bool owns) {
  return metaObjectC(metaTreeC::createKeyNode(key), owns);
}

metaTreeC* metaObjectVirtualDataBaseC::getChild(std::size_t index) const {
  metaTreeC* child = getFirstChild();
  while (child && index-- > 0) child = child->next();
  return child;
}

metaTreeC* metaObjectVirtualDataBaseC::findChild(std::string_view key) const {
  if (!node_) return nullptr;
  metaNodeCompareKeyC compare(key);
  return searchChain(node_->firstChild(), compare, 0);
}

metaTreeC* metaObjectVirtualDataBaseC::findChildNr(std::size_t n, std::string_view key) const {
  if (!node_) return nullptr;
  metaNodeCompareKeyNrC compare(key, n);
  return searchChain(node_->firstChild(), compare, 0);
}

metaTreeC* metaObjectVirtualDataBaseC::addChild(std::string_view key, metaTreeC* chain, bool copy) {
  if (!node_) return nullptr;
  metaTreeC* child = metaTreeC::createKeyNode(key);
  if (chain) {
    try {
      metaTreeC* children = copy ? metaObjectVirtualDataBaseC(chain, false).copyTree(false, true) : chain;
      metaTreeC::appendChildren(children, child);
    } catch (...) {
      delete child;
      throw;
    }
  }
  metaTreeC::appendChildren(child, node_);
  return child;
}

metaTreeC* metaObjectVirtualDataBaseC::getOrAddChild(std::string_view key) {
  if (metaTreeC* child = findChild(key)) return child;
  return addChild(key);
}

metaTreeC* metaObjectVirtualDataBaseC::appendChildren(metaTreeC* chain, bool copy) {
  if (!node_ || !chain) return nullptr;
  metaTreeC* children = copy ? metaObjectVirtualDataBaseC(chain, false).copyTree(false, true) : chain;
  metaTreeC::appendChildren(children, node_);
  return chain;
}

void metaObjectVirtualDataBaseC::removeAllChildren() {
  if (node_) metaTreeC::removeAllChildren(node_);
}

bool metaObjectVirtualDataBaseC::detach(bool owns) {
  if (!node_) return false;
  metaTreeC::unlink(node_);
  flags_ = owns ? (flags_ | kOwnsNode) : (flags_ & ~kOwnsNode);
  return true;
}

metaTreeC* metaObjectVirtualDataBaseC::copyTree(bool subtreeOnly, bool custom) const {
  if (!node_) return nullptr;
  if (custom) return customCopyTree(node_, subtreeOnly);
  return subtreeOnly ? metaTreeC::copySubtree(node_) : metaTreeC::copyChain(node_);
}

namespace {

const metaValueC* firstValue(const metaTreeC* node) {
  const metaTreeC* child = node ? node->firstChild() : nullptr;
  return child ? &child->value() : nullptr;
}

void report(int* found, bool value) {
  if (found) *found = value ? 1 : 0;
}

}  // namespace

double metaObjectC::getDouble(int* found) const {
  const metaValueC* value = firstValue(node());
  const bool ok = value && value->isNumber();
  report(found, ok);
  return ok ? value->number() : 0.0;
}

std::int32_t metaObjectC::getInt(int* found) const {
  const metaValueC* value = firstValue(node());
  const bool ok = value && value->isNumber();
  report(found, ok);
  return ok ? truncateToInt32(value->number()) : 0;
}

const str& metaObjectC::getString(int* found) const {
  const metaValueC* value = firstValue(node());
  const bool ok = value && value->isString();
  report(found, ok);
  return ok ? value->text() : str::emptyText();
}

void metaObjectC::setDouble(double number) {
  if (!node()) return;
  if (metaTreeC* child = node()->firstChild()) {
    if (child->value().isNumber()) child->value().setNumber(number);
    return;
  }
  metaValueC value;
  value.setNumber(number);
  metaTreeC::prependChildren(metaTreeC::createValueNode(value), node());
}

void metaObjectC::setInt(std::int32_t number) { setDouble(static_cast<double>(number)); }

void metaObjectC::setString(std::string_view text) {
  if (!node()) return;
  if (metaTreeC* child = node()->firstChild()) {
    if (child->value().isString()) child->value().setString(text);
    return;
  }
  metaValueC value;
  value.setString(text);
  metaTreeC::prependChildren(metaTreeC::createValueNode(value), node());
}

}  // namespace lorvane
