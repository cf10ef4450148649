#pragma once
// Large blocks of address space for the pages of tree nodes: the runtime's
// one file that differs between platforms is its implementation.
#include <cstddef>

namespace lorvane::pageRegions {

// A region is this large and aligned to its size. A big tree fills hundreds
// of them; where the system backs a region with one large page, touching it
// for the first time costs one fault instead of 512.
inline constexpr std::size_t kRegionBytes = std::size_t{1} << 21;

// A fresh region, or null when the system has none to give.
void* mapRegion();
void unmapRegion(void* region);

// A block of at least bytes for one big array, in large pages where the
// system gives them, or null; unmapBlock takes the same bytes back.
void* mapBlock(std::size_t bytes);
void unmapBlock(void* block, std::size_t bytes);

}  // namespace lorvane::pageRegions
