#pragma once
#include <cstddef>
#include <cstring>

#include "lorvane/metatree/memory/memManDataPool.h"

namespace lorvane {

// A paged array: elements live in pooled pages of 2^E and never move, so their
// addresses stay valid while the array grows; only the page table is resized.
template <class T, unsigned E>
class pageMemT {
public:
  static constexpr std::size_t kPageSize = std::size_t{1} << E;
  static constexpr std::size_t kMask = kPageSize - 1;

  struct pageIC : memManInterfaceC {
    T items[kPageSize];
  };

  pageMemT() = default;
  pageMemT(const pageMemT&) = delete;
  pageMemT& operator=(const pageMemT&) = delete;
  ~pageMemT() { release(); }

  // Frees every page and the page table.
  void release() {
    for (std::size_t p = 0; p < pages_; ++p) delete table()[p];
    tablePool_.release();
    pages_ = 0;
    count_ = 0;
  }

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  std::size_t pageCount() const { return pages_; }

  T& operator[](std::size_t i) { return table()[i >> E]->items[i & kMask]; }
  const T& operator[](std::size_t i) const { return table()[i >> E]->items[i & kMask]; }
  T& back() { return (*this)[count_ - 1]; }

  T& append(const T& value) {
    if (count_ == pages_ * kPageSize) addPage();
    T& slot = (*this)[count_];
    slot = value;
    ++count_;
    return slot;
  }

  // Elements keep their pages; a later append reuses them.
  void clear() { count_ = 0; }
  void popBack() { --count_; }

private:
  pageIC** table() const { return tablePool_.data(); }

  void addPage() {
    // The page table grows first, so a failed page leaves a consistent array.
    // It grows geometrically: a table resized one slot at a time would copy
    // itself once per page.
    if (tablePool_.count() < pages_ + 1) {
      const std::size_t slots = pages_ < 4 ? 4 : pages_ * 2;
      tablePool_.resize(slots * sizeof(pageIC*));
    }
    table()[pages_] = new pageIC;
    ++pages_;
  }

  memManDataPoolC<pageIC*> tablePool_;
  std::size_t pages_ = 0;
  std::size_t count_ = 0;
};

}  // namespace lorvane
