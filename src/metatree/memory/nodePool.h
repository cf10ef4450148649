#pragma once
// The node pool's pages and the state that the runtime's own hot paths take
// cells from without a call; internal to the runtime.
#include <cstddef>
#include <cstdint>

namespace lorvane::nodePages {

struct regionC;

// A page of equal cells: this header, then the cells.
struct alignas(16) pageC {
  pageC* next;  // pages that still have a free cell
  pageC* prev;
  void* freeList;
  regionC* region;  // null for a page of the heap
  std::uint32_t used;
  std::uint32_t fresh;  // cells from here on were never handed out
  bool listed;
};

struct poolC {
  pageC* head = nullptr;  // pages with a free cell, the one in use first
  std::size_t live = 0;
  std::size_t cellBytes = 0;  // set by the first allocation
  std::uint32_t capacity = 0;
  // Nodes come from the pool only while the memory system's default hooks
  // are installed; replaced hooks take every node.
  bool pagedNodes = true;
};

extern poolC gPool;

inline unsigned char* cellsOf(pageC* page) { return reinterpret_cast<unsigned char*>(page) + sizeof(pageC); }

// A never used cell of the page in use, taken as allocate would take it; null
// where allocate has more to do (no page, a page with freed cells, an empty
// page, the page's last cell), and then it is the one to call. A fresh cell
// was never poisoned, so there is nothing to unpoison.
inline void* takeFreshCell() {
  pageC* page = gPool.head;
  if (!gPool.pagedNodes || !page || page->freeList || page->used == 0 || page->used + 1 >= gPool.capacity)
    return nullptr;
  void* cell = cellsOf(page) + std::size_t{page->fresh++} * gPool.cellBytes;
  ++page->used;
  ++gPool.live;
  return cell;
}

}  // namespace lorvane::nodePages
