#pragma once
// Large blocks of address space for the pages of tree nodes and for big
// arrays: the runtime's one file that differs between platforms is its
// implementation.
#include <cstddef>

namespace lorvane::pageRegions {

// A region is this large and aligned to its size. A big tree fills hundreds
// of them; where the system backs a region with one large page, touching it
// for the first time costs one fault instead of 512.
inline constexpr std::size_t kRegionBytes = std::size_t{1} << 21;

// A fresh region, or null when the system has none to give.
void* mapRegion();
void unmapRegion(void* region);
// A region kept for later whose contents no longer matter.
void idleRegion(void* region);
// How many emptied regions are kept for later unless a host says otherwise:
// many where the system takes back the memory of idle regions when it needs
// it, few where they stay held, fewer still where address space is scarce.
std::size_t defaultKeptRegions();

// A block of at least bytes for one big array, in large pages where the
// system gives them, or null; unmapBlock takes the same bytes back.
void* mapBlock(std::size_t bytes);
void unmapBlock(void* block, std::size_t bytes);

}  // namespace lorvane::pageRegions
