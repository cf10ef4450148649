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

// Never used cells of the page in use, taken at once and counted as handed
// out, for a reader that makes nodes by the million: it then cuts them off
// one after another without a call.
struct freshRunC {
  unsigned char* next = nullptr;
  unsigned char* end = nullptr;
  pageC* page = nullptr;
};

// Every fresh cell of the page in use but its last, which allocate takes so
// that it sees the page full; none where allocate has more to do (no page, a
// page with freed cells, an empty page), and then it is the one to call.
// Gives the number taken. A fresh cell was never poisoned, so there is
// nothing to unpoison.
std::size_t takeFreshRun(freshRunC& run);

// Gives back the run's cells not cut off as if they were never taken, and
// their number; none where that cannot be done (the page took fresh cells
// since, or it would be left empty), and then they are to be released one
// by one.
std::size_t giveBackRun(freshRunC& run);

}  // namespace lorvane::nodePages
