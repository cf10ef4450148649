#pragma once
// The size-class allocator's state, and the fast paths of allocating and
// freeing that the memory system inlines. Internal to the runtime.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "lorvane/metatree/memory/sizeClassAllocator.h"

namespace lorvane::sizeClassAllocator {

struct chunkC;

struct classC {
  chunkC* head;          // chunks of this class that still have a free cell
  std::uint32_t live;    // cells handed out
  std::uint32_t chunks;  // chunks owned, full ones included
  std::uint32_t chunkBytes;
  std::uint32_t cellSize;
};

// A chunk's descriptor sits in front of its cells, so one heap call makes both.
struct alignas(8) chunkC {
  chunkC* next;
  chunkC* prev;
  void* freeList;
  std::uint32_t fresh;  // cells from here on were never handed out
  std::uint32_t used;
  std::uint32_t capacity;
  std::uint32_t chunkBytes;
  std::uint32_t cellSize;
  unsigned char* memory;
};
static_assert(sizeof(chunkC) % 8 == 0, "cells must stay 8-aligned");

struct tablesC {
  std::uint32_t classSize[kClassCount];
  std::uint8_t sizeMap[kMaxSmall + 1];
  classC classes[kClassCount];
};

extern tablesC* gTables;
extern std::size_t gLiveSmall;

// The owning chunk is kept in the 8 bytes in front of a cell's user data; a
// large block keeps 0 there.
inline chunkC* ownerOf(const void* block) {
  chunkC* chunk;
  std::memcpy(&chunk, static_cast<const unsigned char*>(block) - kHeaderBytes, sizeof chunk);
  return chunk;
}

// The common case of allocate(): a free cell in the class's head chunk that
// does not fill it. Null hands the request to allocate(), which also does
// everything else (new chunks, fresh cells, large blocks, exhaustion).
inline void* allocateFast(std::size_t size) {
  if (size > kMaxSmall || !gTables) return nullptr;
  classC& cls = gTables->classes[gTables->sizeMap[size]];
  chunkC* chunk = cls.head;
  if (!chunk || !chunk->freeList || chunk->used + 1 == chunk->capacity) return nullptr;
  void* cell = chunk->freeList;
  std::memcpy(&chunk->freeList, cell, sizeof(void*));
  ++chunk->used;
  ++cls.live;
  ++gLiveSmall;
  return cell;
}

// The common case of release(): a cell of the class's head chunk that leaves
// the chunk and the allocator in use. False hands the block to release().
inline bool releaseFast(void* block) {
  chunkC* chunk = ownerOf(block);
  if (!chunk || chunk->used <= 1 || gLiveSmall <= 1) return false;
  classC& cls = gTables->classes[chunk->cellSize / 8 - 1];
  if (cls.head != chunk) return false;
  std::memcpy(block, &chunk->freeList, sizeof(void*));
  chunk->freeList = block;
  --chunk->used;
  --cls.live;
  --gLiveSmall;
  return true;
}

}  // namespace lorvane::sizeClassAllocator
