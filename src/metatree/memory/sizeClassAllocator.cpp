#include "lorvane/metatree/memory/sizeClassAllocator.h"
#include "sizeClassState.h"

#include <cstdlib>
#include <cstring>

namespace lorvane::sizeClassAllocator {

tablesC* gTables = nullptr;
std::size_t gLiveSmall = 0;

namespace {

void setOwner(unsigned char* cell, chunkC* chunk) {
  std::memset(cell, 0, kHeaderBytes);
  std::memcpy(cell, &chunk, sizeof chunk);
}

bool buildTables() {
  gTables = static_cast<tablesC*>(std::malloc(sizeof(tablesC)));
  if (!gTables) return false;
  for (std::size_t c = 0; c < kClassCount; ++c) {
    const auto size = static_cast<std::uint32_t>((c + 1) * 8);
    gTables->classSize[c] = size;
    gTables->classes[c] = classC{nullptr, 0, 0, kChunkBytes, size};
  }
  for (std::size_t s = 0; s <= kMaxSmall; ++s)
    gTables->sizeMap[s] = static_cast<std::uint8_t>(s == 0 ? 0 : (s - 1) / 8);
  return true;
}

void releaseTables() {
  for (classC& cls : gTables->classes) {
    // Full chunks are not on the list, but with no live cell there are none.
    for (chunkC* chunk = cls.head; chunk;) {
      chunkC* next = chunk->next;
      std::free(chunk);
      chunk = next;
    }
  }
  std::free(gTables);
  gTables = nullptr;
}

chunkC* makeChunk(classC& cls) {
  void* raw = std::malloc(sizeof(chunkC) + kChunkBytes);
  if (!raw) return nullptr;
  auto* chunk = static_cast<chunkC*>(raw);
  chunk->next = cls.head;
  chunk->prev = nullptr;
  chunk->used = 0;
  chunk->capacity = static_cast<std::uint32_t>(kChunkBytes / (cls.cellSize + kHeaderBytes));
  chunk->chunkBytes = kChunkBytes;
  chunk->cellSize = cls.cellSize;
  chunk->memory = static_cast<unsigned char*>(raw) + sizeof(chunkC);
  // Cells are threaded lazily: a chunk that is made and released again soon
  // (a class hovering around a chunk boundary) costs no walk over its cells.
  chunk->freeList = nullptr;
  chunk->fresh = 0;
  if (cls.head) cls.head->prev = chunk;
  cls.head = chunk;
  ++cls.chunks;
  return chunk;
}

void unlinkChunk(classC& cls, chunkC* chunk) {
  if (chunk->prev) chunk->prev->next = chunk->next;
  else cls.head = chunk->next;
  if (chunk->next) chunk->next->prev = chunk->prev;
  chunk->next = chunk->prev = nullptr;
}

void* allocateLarge(std::size_t size) {
  auto* raw = static_cast<unsigned char*>(std::malloc(size + 20));
  if (!raw) return nullptr;
  std::memset(raw, 0, kHeaderBytes);
  return raw + kHeaderBytes;
}

std::size_t usableSize(const void* block) {
  const chunkC* chunk = ownerOf(block);
  return chunk ? chunk->cellSize : 0;
}

}  // namespace

void* allocate(std::size_t size) {
  if (size > kMaxSmall) return allocateLarge(size);
  if (!gTables && !buildTables()) return nullptr;
  classC& cls = gTables->classes[gTables->sizeMap[size]];
  chunkC* chunk = cls.head;
  if (!chunk) {
    chunk = makeChunk(cls);
    if (!chunk) {
      if (gLiveSmall == 0) releaseTables();
      return nullptr;
    }
  }
  ++gLiveSmall;
  ++cls.live;
  void* cell = chunk->freeList;
  if (cell) {
    std::memcpy(&chunk->freeList, cell, sizeof(void*));
  } else {
    unsigned char* fresh = chunk->memory + chunk->fresh++ * (chunk->cellSize + kHeaderBytes);
    setOwner(fresh, chunk);
    cell = fresh + kHeaderBytes;
  }
  if (++chunk->used == chunk->capacity) unlinkChunk(cls, chunk);
  return cell;
}

void release(void* block) {
  if (!block) return;
  chunkC* chunk = ownerOf(block);
  if (!chunk) {
    std::free(static_cast<unsigned char*>(block) - kHeaderBytes);
    return;
  }
  classC& cls = gTables->classes[chunk->cellSize / 8 - 1];
  --cls.live;
  std::memcpy(block, &chunk->freeList, sizeof(void*));
  chunk->freeList = block;
  // The chunk goes to the head of its class (a full one back onto the list),
  // so the next request of the class reuses this very cell while it is hot.
  if (cls.head != chunk) {
    if (chunk->used != chunk->capacity) unlinkChunk(cls, chunk);
    chunk->next = cls.head;
    chunk->prev = nullptr;
    if (cls.head) cls.head->prev = chunk;
    cls.head = chunk;
  }
  if (--chunk->used == 0 && cls.chunks >= 2) {
    unlinkChunk(cls, chunk);
    std::free(chunk);
    --cls.chunks;
  }
  if (--gLiveSmall == 0) releaseTables();
}

void* reallocate(void* block, std::size_t size) {
  if (!block) return allocate(size);
  const bool isCell = ownerOf(block) != nullptr;
  if (!isCell && size > kMaxSmall) {
    auto* raw = static_cast<unsigned char*>(
        std::realloc(static_cast<unsigned char*>(block) - kHeaderBytes, size + kHeaderBytes));
    return raw ? raw + kHeaderBytes : nullptr;
  }
  void* moved = size > kMaxSmall ? allocateLarge(size) : allocate(size);
  if (!moved) return nullptr;
  // A large block always holds more than any cell, so s bytes can be read.
  const std::size_t oldSize = isCell ? usableSize(block) : size;
  std::memcpy(moved, block, oldSize < size ? oldSize : size);
  release(block);
  return moved;
}

bool tablesBuilt() { return gTables != nullptr; }
std::size_t liveSmallBlocks() { return gLiveSmall; }

int classOfSize(std::size_t size) {
  if (size > kMaxSmall) return -1;
  return size == 0 ? 0 : static_cast<int>((size - 1) / 8);
}

int classOfBlock(const void* block) {
  const chunkC* chunk = ownerOf(block);
  return chunk ? static_cast<int>(chunk->cellSize / 8 - 1) : -1;
}

std::uint32_t chunkCount(int classIndex) {
  return gTables ? gTables->classes[classIndex].chunks : 0;
}

std::uint32_t liveCells(int classIndex) {
  return gTables ? gTables->classes[classIndex].live : 0;
}

}  // namespace lorvane::sizeClassAllocator
