#pragma once
// The memory the pooled memory system holds for small blocks and nodes: whole
// chunks and node pages, so that what a tree leaves unused in them counts.
#include <cstddef>

#include "lorvane/metatree/memory/nodePages.h"
#include "lorvane/metatree/memory/sizeClassAllocator.h"

namespace lorvane::bench {

inline std::size_t pooledBytes() {
  std::size_t bytes = nodePages::pageCount() * nodePages::kPageBytes;
  for (std::size_t c = 0; c < sizeClassAllocator::kClassCount; ++c)
    bytes += sizeClassAllocator::chunkCount(static_cast<int>(c)) * sizeClassAllocator::kChunkBytes;
  return bytes;
}

}  // namespace lorvane::bench
