#pragma once
#include <cstddef>
#include <cstdint>

#include "lorvane/metatree/runtimeExport.h"

namespace lorvane::nodePages {

// Meta tree nodes are the one object a tree has millions of, all of one
// size. They are cut from pages of kPageBytes, aligned to their size so that
// a node finds its page from its own address and needs no header. A page
// whose last node goes is released (a page kept alone while other nodes
// live elsewhere excepted); with the last node of all, every page goes.
// A small tree's pages come from the heap, a big tree's from large regions
// of address space. A region whose last page goes is kept for the next tree
// while fewer than a limit are kept, and given back to the system otherwise;
// where the system allows it, it may take back the memory of kept regions
// while they wait.
inline constexpr std::size_t kPageBytes = std::size_t{1} << 18;

// Null when the heap cannot deliver a page. Every node has the same size;
// the first request fixes it.
LORVANE_RUNTIME_API void* allocate(std::size_t size);
LORVANE_RUNTIME_API void release(void* node);

// Introspection, for tests and benchmarks.
LORVANE_RUNTIME_API std::size_t pageCount();
LORVANE_RUNTIME_API std::size_t liveNodes();
LORVANE_RUNTIME_API std::size_t regionCount();  // regions with pages in use
LORVANE_RUNTIME_API std::size_t keptRegionCount();  // emptied regions kept

// How many emptied regions (of 2 MiB each) may be kept; regions kept beyond
// a new limit go at once.
LORVANE_RUNTIME_API std::size_t keptRegionLimit();
LORVANE_RUNTIME_API void setKeptRegionLimit(std::size_t regions);
// Gives back every kept region now; the limit stays for trees to come.
LORVANE_RUNTIME_API void releaseKeptRegions();

}  // namespace lorvane::nodePages
