#include "pageRegions.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#  include <sys/mman.h>
#endif

namespace lorvane::pageRegions {

#if defined(__linux__)

namespace {
std::size_t wholeRegions(std::size_t bytes) { return (bytes + kRegionBytes - 1) & ~(kRegionBytes - 1); }
}  // namespace

// Whole aligned regions, so that every 2 MiB of the block can be one page:
// a region more is mapped so that an aligned block lies within, and the rest
// is given back at once. The system is asked for large pages: on a virtual
// machine a page fault is dear, and a tree's pages are touched once each.
void* mapBlock(std::size_t bytes) {
  const std::size_t size = wholeRegions(bytes);
  if (size < bytes || size + kRegionBytes < size) return nullptr;
  void* mapped = mmap(nullptr, size + kRegionBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kRegionBytes - 1) & ~(std::uintptr_t{kRegionBytes} - 1);
  if (aligned > start) munmap(mapped, aligned - start);
  const std::uintptr_t tail = start + size + kRegionBytes - (aligned + size);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + size), tail);
  void* block = reinterpret_cast<void*>(aligned);
#  if defined(MADV_HUGEPAGE)
  madvise(block, size, MADV_HUGEPAGE);  // only advice: refused, small pages serve
#  endif
  return block;
}

void unmapBlock(void* block, std::size_t bytes) { munmap(block, wholeRegions(bytes)); }

void* mapRegion() { return mapBlock(kRegionBytes); }

void unmapRegion(void* region) { unmapBlock(region, kRegionBytes); }

// The pages stay mapped; until one is written again the system may take it
// back when memory runs short, and then gives a cleared one in its place.
void idleRegion([[maybe_unused]] void* region) {
#  if defined(MADV_FREE)
  madvise(region, kRegionBytes, MADV_FREE);  // only advice: refused, the memory stays held
#  endif
}

#  if defined(MADV_FREE)
// 512 MiB: the nodes of a drawing of about 70 MB of text.
std::size_t defaultKeptRegions() { return sizeof(void*) >= 8 ? 256 : 32; }
#  else
std::size_t defaultKeptRegions() { return sizeof(void*) >= 8 ? 32 : 8; }
#  endif

#else

// Elsewhere the heap's aligned blocks serve; the system's own page size stays.
void* mapRegion() { return ::operator new(kRegionBytes, std::align_val_t{kRegionBytes}, std::nothrow); }

void unmapRegion(void* region) { ::operator delete(region, std::align_val_t{kRegionBytes}); }

void* mapBlock(std::size_t bytes) { return ::operator new(bytes, std::nothrow); }

void unmapBlock(void* block, std::size_t) { ::operator delete(block); }

void idleRegion(void*) {}

// Kept regions stay held here.
std::size_t defaultKeptRegions() { return sizeof(void*) >= 8 ? 32 : 8; }

#endif

}  // namespace lorvane::pageRegions
