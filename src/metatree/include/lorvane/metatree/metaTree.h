#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>

#include "lorvane/metatree/metaValue.h"

namespace lorvane {

// Process-wide count of structural changes; caches of child lists compare it
// to know when they are stale. Its value has no other meaning.
LORVANE_RUNTIME_API extern std::uint32_t metaTreeChangeCount;
inline void countTreeChange() { ++metaTreeChangeCount; }

// The links of a tree node. Nodes take their storage from the memory system
// like every pooled object, but carry no vtable: a tree has millions of them.
template <class N>
class MTreeNode {
public:
  N* parent() const { return parent_; }
  N* next() const { return next_; }
  N* firstChild() const { return child_; }
  N* previous() const { return prev_; }

protected:
  N* parent_ = nullptr;
  N* next_ = nullptr;
  N* child_ = nullptr;
  N* prev_ = nullptr;
};

// A node of the meta tree. It owns its children and every sibling after it:
// destroying a node destroys its subtree and the rest of its chain. Nothing
// here recurses, so chains and nestings of any length are safe.
class LORVANE_RUNTIME_API metaTreeC : public MTreeNode<metaTreeC> {
public:
  metaTreeC() noexcept { value_.nodeBits_ = lastAllocationPaged_ ? kPaged : 0; }
  metaTreeC(const metaTreeC&) = delete;
  metaTreeC& operator=(const metaTreeC&) = delete;
  ~metaTreeC();

  // Nodes come from the memory system's pages of nodes; delete reads where
  // the storage came from before it destroys the node. The plain form only
  // pairs with operator new: the constructor cannot fail.
  static void* operator new(std::size_t size);
  static void operator delete(metaTreeC* node, std::destroying_delete_t);
  static void operator delete(void* block) noexcept;

  metaValueC& value() { return value_; }
  const metaValueC& value() const { return value_; }
  bool isKey() const { return value_.isKey(); }
  // Keys are compared on every lookup: most differ in length or first byte,
  // which is told without a call to memcmp.
  bool hasKey(std::string_view key) const {
    if (!value_.isKey()) return false;
    const std::string_view text = value_.text().view();
    return text.size() == key.size() && (key.empty() || (text[0] == key[0] && text == key));
  }

  // Used while a tree is copied to tie references to the copies of their
  // targets. Few nodes are marked and only during a copy, so the marks are
  // kept beside the tree rather than in every node.
  metaTreeC* copyTarget() const { return (value_.nodeBits_ & kMarked) ? markOf(this) : nullptr; }
  void setCopyTarget(metaTreeC* target);

  // Link operations. A chain is a node with its following siblings.
  static metaTreeC* createKeyNode(std::string_view key);
  static metaTreeC* createValueNode(const metaValueC& value);
  static metaTreeC* copySubtree(const metaTreeC* node);
  static metaTreeC* copyChain(const metaTreeC* node);
  static void prependChildren(metaTreeC* chain, metaTreeC* parent);
  static void insertAfter(metaTreeC* chain, metaTreeC* sibling);
  static void appendChildren(metaTreeC* chain, metaTreeC* parent);
  // insertAfter and prependChildren for a node with no siblings after it,
  // inline: a text read links millions of them.
  static void insertOneAfter(metaTreeC* node, metaTreeC* sibling) {
    node->parent_ = sibling->parent_;
    node->next_ = sibling->next_;
    if (sibling->next_) sibling->next_->prev_ = node;
    sibling->next_ = node;
    node->prev_ = sibling;
    countTreeChange();
  }
  static void prependOneChild(metaTreeC* node, metaTreeC* parent) {
    node->parent_ = parent;
    node->next_ = parent->child_;
    if (parent->child_) parent->child_->prev_ = node;
    node->prev_ = nullptr;
    parent->child_ = node;
    countTreeChange();
  }
  static metaTreeC* lastSibling(metaTreeC* node);
  static metaTreeC* lastChild(const metaTreeC* parent);
  static void unlink(metaTreeC* node);
  // Destroys the whole child list of the node.
  static void removeAllChildren(metaTreeC* parent);
  // Destroys a chain (the node and every sibling after it) with their subtrees.
  static void destroyChain(metaTreeC* chain);

  // The deep copy behind copySubtree and copyChain. A replacement, when
  // given, may hand a free-standing node that stands for the copy of a source
  // node; that node's children are then not copied.
  using copyReplacementT = metaTreeC* (*)(const metaTreeC* source, void* context);
  static metaTreeC* copyNodes(const metaTreeC* source, bool wholeChain, copyReplacementT replace = nullptr,
                              void* context = nullptr);

private:
  friend class nodeFactoryC;  // the runtime's inline path for nodes made by the million
  static constexpr std::uint8_t kPaged = 1;
  static constexpr std::uint8_t kMarked = 2;
  static metaTreeC* markOf(const metaTreeC* node);
  static void destroyLoose(metaTreeC* node);
  // Where operator new took the storage, for the constructor to record.
  static bool lastAllocationPaged_;

  metaValueC value_;
};

// Node predicates for the chain search. A search uses a fresh comparator,
// since a comparator may count.
class LORVANE_RUNTIME_API metaNodeCompareInterfaceC {
public:
  virtual ~metaNodeCompareInterfaceC() = default;
  virtual bool match(const metaTreeC* node) = 0;
};

// Matches a key node whose text equals the key byte for byte.
class LORVANE_RUNTIME_API metaNodeCompareKeyC : public metaNodeCompareInterfaceC {
public:
  explicit metaNodeCompareKeyC(std::string_view key) : key_(key) {}
  bool match(const metaTreeC* node) override { return node->hasKey(key_); }

private:
  std::string_view key_;
};

// Matches the (n+1)-th key node equal to the key, counting from 0.
class LORVANE_RUNTIME_API metaNodeCompareKeyNrC : public metaNodeCompareInterfaceC {
public:
  metaNodeCompareKeyNrC(std::string_view key, std::size_t n) : key_(key), remaining_(n) {}
  bool match(const metaTreeC* node) override {
    if (!node->hasKey(key_)) return false;
    if (remaining_ == 0) return true;
    --remaining_;
    return false;
  }

private:
  std::string_view key_;
  std::size_t remaining_;
};

// Walks the chain from start; a node that does not match is followed by its
// child chain while depth is not 0 (a negative depth searches the whole
// subtree), then by its next sibling.
LORVANE_RUNTIME_API metaTreeC* searchChain(metaTreeC* start, metaNodeCompareInterfaceC& compare, int depth);

}  // namespace lorvane
