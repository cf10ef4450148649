#pragma once
#include <cstddef>
#include <cstdint>

#include "lorvane/metatree/memory/pageMem.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// Numbers the nodes of one chain for a copy or storage pass: positions in
// pre-order (1-based), a lookup by address and a lookup by copy-target slot.
// Built once per pass, not once per reference.
class LORVANE_RUNTIME_API referenceTableC {
public:
  referenceTableC() = default;
  referenceTableC(const referenceTableC&) = delete;
  referenceTableC& operator=(const referenceTableC&) = delete;

  metaTreeC* root() const { return root_; }
  // A new root resets the table; the same root keeps what was built.
  void setRoot(metaTreeC* root);
  void forgetRoot() { setRoot(nullptr); }

  std::size_t positionOf(const metaTreeC* node);  // 0 when not listed
  metaTreeC* nodeAt(std::int64_t position);        // null for 0, negatives, or past the end
  metaTreeC* copyOf(const metaTreeC* oldAddress);  // the node whose copy-target slot holds it
  std::size_t count() { build(); return nodes_.size(); }

private:
  void build();

  metaTreeC* root_ = nullptr;
  std::int64_t stamp_ = -1;
  pageMemT<metaTreeC*, 3> nodes_;
  pageMemT<int, 3> byAddress_;
  pageMemT<int, 3> byCopyTarget_;
};

LORVANE_RUNTIME_API referenceTableC& referenceTable();

}  // namespace lorvane
