#pragma once
#include <cstddef>
#include <cstdint>

#include "lorvane/metatree/runtimeExport.h"

namespace lorvane::sizeClassAllocator {

// Blocks of up to kMaxSmall bytes are cells carved out of chunks of kChunkBytes;
// larger ones come from the heap behind an 8-byte header whose first word is 0.
inline constexpr std::size_t kMaxSmall = 512;
inline constexpr std::size_t kClassCount = 64;
inline constexpr std::size_t kChunkBytes = 10000;
inline constexpr std::size_t kHeaderBytes = 8;

// The default allocation hooks; null on exhaustion of the heap.
LORVANE_RUNTIME_API void* allocate(std::size_t size);
LORVANE_RUNTIME_API void release(void* block);
LORVANE_RUNTIME_API void* reallocate(void* block, std::size_t size);

// Introspection, for tests and diagnostics.
LORVANE_RUNTIME_API bool tablesBuilt();
LORVANE_RUNTIME_API std::size_t liveSmallBlocks();
LORVANE_RUNTIME_API int classOfSize(std::size_t size);   // -1 above kMaxSmall
LORVANE_RUNTIME_API int classOfBlock(const void* block);  // -1 for a large block
LORVANE_RUNTIME_API std::uint32_t chunkCount(int classIndex);
LORVANE_RUNTIME_API std::uint32_t liveCells(int classIndex);
inline constexpr std::size_t cellsPerChunk(std::size_t cellSize) {
  return kChunkBytes / (((cellSize + 7) / 8) * 8 + kHeaderBytes);
}

}  // namespace lorvane::sizeClassAllocator
