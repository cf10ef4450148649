#include "lorvane/metatree/metaKeyContainer.h"

#include <limits>

namespace lorvane {

void metaObjKeyContainerC::validate(std::string_view key) {
  if (cachedNode_ == node() && cachedStamp_ == metaTreeChangeCount && cachedKey_.view() == key) return;
  inlineCount_ = 0;
  cache_.clear();
  complete_ = false;
  cachedNode_ = node();
  cachedStamp_ = metaTreeChangeCount;
  cachedKey_ = key;
}

void metaObjKeyContainerC::dropCaches() {
  inlineCount_ = 0;
  cache_.release();
  complete_ = false;
  cachedNode_ = nullptr;
  cachedKey_ = str();
}

metaTreeC* metaObjKeyContainerC::find(std::string_view key, std::size_t index) {
  if (!node()) return nullptr;
  validate(key);
  // The chain search of the child list, written out: this runs for every
  // point of every shape read.
  while (cachedCount() <= index && !complete_) {
    metaTreeC* n = cachedCount() == 0 ? node()->firstChild() : lastCached()->next();
    while (n && !n->hasKey(key)) n = n->next();
    if (n) addCached(n);
    else complete_ = true;
  }
  return index < cachedCount() ? cached(index) : nullptr;
}

std::size_t metaObjKeyContainerC::count(std::string_view key) {
  if (!node()) return 0;
  find(key, std::numeric_limits<std::size_t>::max());
  return cachedCount();
}

metaTreeC* metaObjKeyContainerC::item(std::string_view key, std::size_t index) {
  if (!node()) return nullptr;
  const std::size_t have = count(key);
  if (have > index) return cached(index);
  // The missing keys go in as one chain behind the last child.
  metaTreeC* chain = nullptr;
  metaTreeC* last = nullptr;
  try {
    for (std::size_t i = have; i <= index; ++i) {
      metaTreeC* fresh = metaTreeC::createKeyNode(key);
      if (last) metaTreeC::insertAfter(fresh, last);
      else chain = fresh;
      last = fresh;
    }
  } catch (...) {
    delete chain;
    throw;
  }
  metaTreeC::appendChildren(chain, node());
  // Our own append is the only change since the cache was complete, so the
  // cache is extended rather than rebuilt.
  for (metaTreeC* n = chain; n; n = n->next()) addCached(n);
  cachedStamp_ = metaTreeChangeCount;
  return cached(index);
}

vectorC2d<double> mObjPoint2dC::getPoint(int* valid) const {
  double values[2] = {0.0, 0.0};
  int numbers = 0;
  for (const metaTreeC* child = getFirstChild(); child; child = child->next()) {
    if (!child->value().isNumber()) continue;
    if (numbers < 2) values[numbers] = child->value().number();
    if (++numbers > 2) break;
  }
  const bool ok = numbers == 2;
  if (valid) *valid = ok ? 1 : 0;
  return ok ? vectorC2d<double>{values[0], values[1]} : vectorC2d<double>{};
}

void mObjPoint2dC::setPoint(const vectorC2d<double>& point) {
  if (!node()) return;
  metaTreeC* first = getFirstChild();
  metaTreeC* second = first ? first->next() : nullptr;
  if (first && second && !second->next() && first->value().isNumber() && second->value().isNumber()) {
    first->value().setNumber(point.x);
    second->value().setNumber(point.y);
    return;
  }
  removeAllChildren();
  metaValueC value;
  value.setNumber(point.x);
  metaTreeC* x = metaTreeC::createValueNode(value);
  value.setNumber(point.y);
  metaTreeC* y = nullptr;
  try {
    y = metaTreeC::createValueNode(value);
  } catch (...) {
    delete x;
    throw;
  }
  metaTreeC::insertAfter(y, x);
  metaTreeC::appendChildren(x, node());
}

}  // namespace lorvane
