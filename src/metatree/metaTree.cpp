#include "lorvane/metatree/metaTree.h"

#include <unordered_map>
#include <vector>

namespace lorvane {

std::uint32_t metaTreeChangeCount = 0;
bool metaTreeC::lastAllocationPaged_ = false;

namespace {
std::unordered_map<const metaTreeC*, metaTreeC*>& copyMarks() {
  static std::unordered_map<const metaTreeC*, metaTreeC*> marks;
  return marks;
}
}  // namespace

metaTreeC* metaTreeC::markOf(const metaTreeC* node) { return copyMarks().find(node)->second; }

void metaTreeC::setCopyTarget(metaTreeC* target) {
  if (target) {
    copyMarks()[this] = target;
    value_.nodeBits_ |= kMarked;
  } else if (value_.nodeBits_ & kMarked) {
    copyMarks().erase(this);
    value_.nodeBits_ &= static_cast<std::uint8_t>(~kMarked);
  }
}

void* metaTreeC::operator new(std::size_t size) {
  return memManSystemC::get(true)->allocNode(size, lastAllocationPaged_);
}

void metaTreeC::operator delete(metaTreeC* node, std::destroying_delete_t) {
  const bool paged = (node->value_.nodeBits_ & kPaged) != 0;
  node->~metaTreeC();
  if (memManSystemC* system = memManSystemC::get(false)) system->freeNode(node, paged);
}

void metaTreeC::operator delete(void* block) noexcept {
  if (memManSystemC* system = memManSystemC::get(false)) system->freeNode(block, lastAllocationPaged_);
}

metaTreeC::~metaTreeC() {
  countTreeChange();
  if (value_.nodeBits_ & kMarked) setCopyTarget(nullptr);
  // The chain from this node on goes away: the node before it becomes the last.
  if (parent_ && parent_->child_ == this) parent_->child_ = nullptr;
  if (prev_ && prev_->next_ == this) prev_->next_ = nullptr;
  metaTreeC* children = child_;
  metaTreeC* following = next_;
  child_ = next_ = prev_ = parent_ = nullptr;
  destroyChain(children);
  destroyChain(following);
}

// A leaf the walk is done with, its links no longer followed: destroyed as
// delete destroys it, less the destructor's work on links. A tree's nodes
// go by the million.
void metaTreeC::destroyLoose(metaTreeC* node) {
  if (node->value_.nodeBits_ & kMarked) {
    node->next_ = node->prev_ = node->parent_ = nullptr;
    delete node;
    return;
  }
  countTreeChange();
  const bool paged = (node->value_.nodeBits_ & kPaged) != 0;
  node->value_.~metaValueC();
  if (memManSystemC* system = memManSystemC::get(false)) system->freeNode(node, paged);
}

void metaTreeC::destroyChain(metaTreeC* chain) {
  if (!chain) return;
  // Depth first along the parent links, with no recursion and no stack: go
  // down to a leaf, destroy it, go on with its next sibling, and when a child
  // list is used up go back up to its parent, which is a leaf by then. The
  // walk ends at the end of the chain it was given.
  std::size_t depth = 0;
  metaTreeC* node = chain;
  while (node) {
    if (node->child_) {
      node = node->child_;
      ++depth;
      continue;
    }
    metaTreeC* next = node->next_;
    metaTreeC* up = node->parent_;
    destroyLoose(node);
    if (next) {
      node = next;
    } else if (depth == 0) {
      node = nullptr;
    } else {
      --depth;
      up->child_ = nullptr;
      node = up;
    }
  }
}

metaTreeC* metaTreeC::createKeyNode(std::string_view key) {
  auto* node = new metaTreeC;
  try {
    node->value_.setKey(key);
  } catch (...) {
    delete node;
    throw;
  }
  return node;
}

metaTreeC* metaTreeC::createValueNode(const metaValueC& value) {
  auto* node = new metaTreeC;
  try {
    node->value_ = value;
  } catch (...) {
    delete node;
    throw;
  }
  return node;
}

metaTreeC* metaTreeC::copySubtree(const metaTreeC* node) { return node ? copyNodes(node, false) : nullptr; }
metaTreeC* metaTreeC::copyChain(const metaTreeC* node) { return node ? copyNodes(node, true) : nullptr; }

metaTreeC* metaTreeC::copyNodes(const metaTreeC* source, bool wholeChain, copyReplacementT replace,
                                void* context) {
  // Pre-order with an explicit stack: one pending sibling per open level.
  struct pending {
    const metaTreeC* source;
    metaTreeC* parent;
    metaTreeC* previous;
    bool followSiblings;
  };
  metaTreeC* root = nullptr;
  try {
    std::vector<pending> stack;
    stack.push_back({source, nullptr, nullptr, wholeChain});
    while (!stack.empty()) {
      const pending step = stack.back();
      stack.pop_back();
      metaTreeC* copy = replace ? replace(step.source, context) : nullptr;
      const bool replaced = copy != nullptr;
      if (!replaced) {
        copy = createValueNode(step.source->value_);
        copy->setCopyTarget(step.source->copyTarget());
      }
      copy->parent_ = step.parent;
      if (step.previous) {
        step.previous->next_ = copy;
        copy->prev_ = step.previous;
      } else if (step.parent) {
        step.parent->child_ = copy;
      } else {
        root = copy;
      }
      countTreeChange();
      if (step.followSiblings && step.source->next_)
        stack.push_back({step.source->next_, step.parent, copy, true});
      if (!replaced && step.source->child_) stack.push_back({step.source->child_, copy, nullptr, true});
    }
  } catch (...) {
    delete root;
    throw;
  }
  return root;
}

metaTreeC* metaTreeC::lastSibling(metaTreeC* node) {
  if (!node) return nullptr;
  while (node->next_) node = node->next_;
  return node;
}

metaTreeC* metaTreeC::lastChild(const metaTreeC* parent) { return lastSibling(parent->child_); }

void metaTreeC::prependChildren(metaTreeC* chain, metaTreeC* parent) {
  if (!chain || !parent) return;
  metaTreeC* last = chain;
  for (metaTreeC* n = chain; n; n = n->next_) {
    n->parent_ = parent;
    last = n;
  }
  last->next_ = parent->child_;
  if (parent->child_) parent->child_->prev_ = last;
  chain->prev_ = nullptr;
  parent->child_ = chain;
  countTreeChange();
}

void metaTreeC::insertAfter(metaTreeC* chain, metaTreeC* sibling) {
  if (!chain || !sibling) return;
  metaTreeC* last = chain;
  for (metaTreeC* n = chain; n; n = n->next_) {
    n->parent_ = sibling->parent_;
    last = n;
  }
  last->next_ = sibling->next_;
  if (sibling->next_) sibling->next_->prev_ = last;
  sibling->next_ = chain;
  chain->prev_ = sibling;
  countTreeChange();
}

void metaTreeC::appendChildren(metaTreeC* chain, metaTreeC* parent) {
  if (!chain || !parent) return;
  if (metaTreeC* last = lastSibling(parent->child_)) {
    insertAfter(chain, last);
    return;
  }
  for (metaTreeC* n = chain; n; n = n->next_) n->parent_ = parent;
  chain->prev_ = nullptr;
  parent->child_ = chain;
  countTreeChange();
}

void metaTreeC::unlink(metaTreeC* node) {
  if (!node) return;
  if (node->next_) node->next_->prev_ = node->prev_;
  if (node->prev_) node->prev_->next_ = node->next_;
  else if (node->parent_ && node->parent_->child_ == node) node->parent_->child_ = node->next_;
  node->parent_ = node->next_ = node->prev_ = nullptr;
  countTreeChange();
}

void metaTreeC::removeAllChildren(metaTreeC* parent) {
  if (!parent) return;
  metaTreeC* children = parent->child_;
  parent->child_ = nullptr;
  if (children) children->parent_ = nullptr;
  destroyChain(children);
  countTreeChange();
}

metaTreeC* searchChain(metaTreeC* start, metaNodeCompareInterfaceC& compare, int depth) {
  if (depth == 0) {
    for (metaTreeC* n = start; n; n = n->next()) {
      if (compare.match(n)) return n;
    }
    return nullptr;
  }
  // Deeper searches keep the siblings still to visit on an explicit stack.
  struct resume {
    metaTreeC* node;
    int depth;
  };
  std::vector<resume> stack;
  metaTreeC* node = start;
  int level = depth;
  while (node || !stack.empty()) {
    if (!node) {
      node = stack.back().node;
      level = stack.back().depth;
      stack.pop_back();
      continue;
    }
    if (compare.match(node)) return node;
    if (level != 0 && node->firstChild()) {
      if (node->next()) stack.push_back({node->next(), level});
      node = node->firstChild();
      --level;
    } else {
      node = node->next();
    }
  }
  return nullptr;
}

}  // namespace lorvane
