#pragma once
#include <cstdint>
#include <string_view>

#include "lorvane/metatree/metaTree.h"

namespace lorvane {

class metaObjectC;

// The node reference: a node pointer and an owner bit. An owning reference
// destroys its node, with the node's subtree and following siblings, when it
// lets go of it.
class LORVANE_RUNTIME_API metaObjectVirtualDataBaseC {
public:
  static constexpr std::uint32_t kOwnsNode = 1;

  metaObjectVirtualDataBaseC() = default;
  metaObjectVirtualDataBaseC(metaTreeC* node, bool owns) : flags_(owns ? kOwnsNode : 0), node_(node) {}
  // As assign from the other reference; then owns, unless it is -1, sets the owner bit.
  metaObjectVirtualDataBaseC(const metaObjectVirtualDataBaseC& other, int owns);
  metaObjectVirtualDataBaseC(const metaObjectVirtualDataBaseC& other) : metaObjectVirtualDataBaseC(other, -1) {}
  metaObjectVirtualDataBaseC(metaObjectVirtualDataBaseC&& other) noexcept : flags_(other.flags_), node_(other.node_) {
    other.flags_ = 0;
    other.node_ = nullptr;
  }
  metaObjectVirtualDataBaseC& operator=(const metaObjectVirtualDataBaseC& other) {
    assign(other);
    return *this;
  }
  metaObjectVirtualDataBaseC& operator=(metaObjectVirtualDataBaseC&& other) noexcept;
  virtual ~metaObjectVirtualDataBaseC() { release(); }

  metaTreeC* node() const { return node_; }
  bool ownsNode() const { return (flags_ & kOwnsNode) != 0; }
  bool isValid() const { return node_ != nullptr; }

  void release();
  void attach(metaTreeC* node, bool owns);
  void assign(const metaObjectVirtualDataBaseC& other);
  // Points the reference at another node without destroying anything; used to
  // rebind shared prototypes. Returns the node it referred to.
  metaTreeC* rebind(metaTreeC* node) {
    metaTreeC* old = node_;
    node_ = node;
    return old;
  }
  // Gives back what a view keeps about the node it was bound to (caches of
  // child lists); a shared prototype does so when a forwarded call ends, so
  // that nothing of a host's tree outlives the call.
  virtual void dropCaches() {}

  static metaObjectC createTree(std::string_view key, bool owns);

  bool isKey() const { return node_ && node_->isKey(); }
  bool hasKey(std::string_view key) const { return node_ && node_->hasKey(key); }
  bool hasKey(const char* key) const { return key && hasKey(std::string_view(key)); }
  const str& getKey() const { return isKey() ? node_->value().text() : str::emptyText(); }

  metaTreeC* getFirstChild() const { return node_ ? node_->firstChild() : nullptr; }
  metaTreeC* getChild(std::size_t index) const;
  metaTreeC* findChild(std::string_view key) const;
  metaTreeC* findChildNr(std::size_t n, std::string_view key) const;
  bool hasChild(std::string_view key) const { return findChild(key) != nullptr; }
  metaTreeC* addChild(std::string_view key, metaTreeC* chain = nullptr, bool copy = false);
  metaTreeC* getOrAddChild(std::string_view key);
  metaTreeC* appendChildren(metaTreeC* chain, bool copy);
  void removeAllChildren();
  bool detach(bool owns);
  metaTreeC* copyTree(bool subtreeOnly, bool custom) const;

protected:
  std::uint32_t flags_ = 0;
  metaTreeC* node_ = nullptr;
};

// Base of every typed view of a key node. Views hold nothing but the one node
// reference (a virtual base, so a view with several view bases still has one)
// and read and write the node's children at the moment an operation runs.
class LORVANE_RUNTIME_API metaObjectC : public virtual metaObjectVirtualDataBaseC {
public:
  metaObjectC() = default;
  explicit metaObjectC(metaTreeC* node, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}
  metaObjectC(const metaObjectC& other) : metaObjectVirtualDataBaseC(other, -1) {}
  metaObjectC(metaObjectC&& other) noexcept : metaObjectVirtualDataBaseC(std::move(other)) {}
  metaObjectC& operator=(const metaObjectC& other) {
    assign(other);
    return *this;
  }
  metaObjectC& operator=(metaObjectC&& other) noexcept {
    metaObjectVirtualDataBaseC::operator=(std::move(other));
    return *this;
  }
  ~metaObjectC() override = default;

  // The node is read as an attribute: its first child holds the value. The
  // out flag tells whether a value of the asked kind was there.
  double getDouble(int* found = nullptr) const;
  std::int32_t getInt(int* found = nullptr) const;
  const str& getString(int* found = nullptr) const;

  // A missing value is created; a value of another kind is left alone.
  void setDouble(double value);
  void setInt(std::int32_t value);
  void setString(std::string_view text);
};

}  // namespace lorvane
