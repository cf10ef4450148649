#include "lorvane/metatree/memory/largeBlocks.h"

#include "addressSanitizer.h"
#include "pageRegions.h"

namespace lorvane::largeBlocks {
namespace {

constexpr std::size_t kSmallestMapped = std::size_t{1} << 20;

// Under AddressSanitizer every block stays on the heap, where the sanitizer
// sees reads and writes beyond an array's end.
#if defined(LORVANE_ADDRESS_SANITIZER)
constexpr bool kMapBlocks = false;
#else
constexpr bool kMapBlocks = true;
#endif

bool mapped(std::size_t bytes) { return kMapBlocks && bytes >= kSmallestMapped; }

}  // namespace

void* allocate(std::size_t bytes) noexcept {
  return mapped(bytes) ? pageRegions::mapBlock(bytes) : ::operator new(bytes, std::nothrow);
}

void release(void* block, std::size_t bytes) noexcept {
  if (!block) return;
  if (mapped(bytes)) pageRegions::unmapBlock(block, bytes);
  else ::operator delete(block);
}

}  // namespace lorvane::largeBlocks
