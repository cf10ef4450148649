#include "lorvane/metatree/memory/nodePages.h"

#include <bit>
#include <cstring>
#include <new>

#include "addressSanitizer.h"
#include "nodePool.h"
#include "pageRegions.h"

// In a build with AddressSanitizer a freed cell is poisoned until it is
// handed out again: the sanitizer sees nothing of the pool otherwise, and a
// use of a freed node would read another node's data unnoticed.
#if defined(LORVANE_ADDRESS_SANITIZER)
#  include <sanitizer/asan_interface.h>
#endif

namespace lorvane::nodePages {

poolC gPool;

// A large block of address space that pages are cut from.
struct regionC {
  regionC* next;
  unsigned char* base;
  std::uint32_t usedSlots;  // bit i: the i-th page of the region is in use
};

namespace {

#if defined(LORVANE_ADDRESS_SANITIZER)
void poison(void* start, std::size_t bytes) { ASAN_POISON_MEMORY_REGION(start, bytes); }
void unpoison(void* start, std::size_t bytes) { ASAN_UNPOISON_MEMORY_REGION(start, bytes); }
#else
void poison(void*, std::size_t) {}
void unpoison(void*, std::size_t) {}
#endif

// Pages beyond the first few are cut from large regions: a small tree stays
// on the heap, a big one is spared most of its page faults.
constexpr std::size_t kHeapPages = 8;
constexpr std::size_t kPagesPerRegion = pageRegions::kRegionBytes / kPageBytes;
static_assert(kPagesPerRegion >= 1 && kPagesPerRegion <= 32 && pageRegions::kRegionBytes % kPageBytes == 0);
constexpr std::uint32_t kAllSlots = static_cast<std::uint32_t>((std::uint64_t{1} << kPagesPerRegion) - 1);

regionC* gRegions = nullptr;  // the newest first: it is the one filling up
// Regions emptied of their pages, kept for the next tree: mapping a region
// anew makes the system clear every byte of it again, which costs about as
// much as reading the nodes into it. Their number is capped, so that a
// process reading drawing after drawing keeps flat memory, and they are
// idle: the system may take their memory back while they wait.
regionC* gKept = nullptr;
std::size_t gKeptCount = 0;
std::size_t gKeptLimit = pageRegions::defaultKeptRegions();

std::size_t gPages = 0;
std::size_t gEmpty = 0;  // pages kept with no node in them: at most one

pageC* pageOf(void* node) {
  return reinterpret_cast<pageC*>(reinterpret_cast<std::uintptr_t>(node) & ~(std::uintptr_t{kPageBytes} - 1));
}

void unlinkPage(pageC* page) {
  if (page->prev) page->prev->next = page->next;
  else gPool.head = page->next;
  if (page->next) page->next->prev = page->prev;
  page->next = page->prev = nullptr;
  page->listed = false;
}

void pushPage(pageC* page) {
  page->prev = nullptr;
  page->next = gPool.head;
  if (gPool.head) gPool.head->prev = page;
  gPool.head = page;
  page->listed = true;
}

// A free slot of a region, mapping a new region when all are full.
void* takeRegionPage(regionC*& owner) {
  regionC* region = gRegions;
  while (region && region->usedSlots == kAllSlots) region = region->next;
  if (!region && gKept) {
    region = gKept;
    gKept = region->next;
    --gKeptCount;
    region->next = gRegions;
    gRegions = region;
  }
  if (!region) {
    void* mapped = pageRegions::mapRegion();
    if (!mapped) return nullptr;
    region = new (std::nothrow) regionC{gRegions, static_cast<unsigned char*>(mapped), 0};
    if (!region) {
      pageRegions::unmapRegion(mapped);
      return nullptr;
    }
    gRegions = region;
  }
  const int slot = std::countr_one(region->usedSlots);
  region->usedSlots |= std::uint32_t{1} << slot;
  owner = region;
  return region->base + static_cast<std::size_t>(slot) * kPageBytes;
}

void giveRegionPage(pageC* page) {
  regionC* region = page->region;
  const auto slot = static_cast<std::size_t>(reinterpret_cast<unsigned char*>(page) - region->base) / kPageBytes;
  region->usedSlots &= ~(std::uint32_t{1} << slot);
  if (region->usedSlots != 0) return;
  regionC** link = &gRegions;
  while (*link != region) link = &(*link)->next;
  *link = region->next;
  if (gKeptCount < gKeptLimit) {
    pageRegions::idleRegion(region->base);
    region->next = gKept;
    gKept = region;
    ++gKeptCount;
    return;
  }
  pageRegions::unmapRegion(region->base);
  delete region;
}

void dropKeptRegions(std::size_t keep) {
  while (gKeptCount > keep) {
    regionC* region = gKept;
    gKept = region->next;
    --gKeptCount;
    pageRegions::unmapRegion(region->base);
    delete region;
  }
}

void freePage(pageC* page) {
  if (page->listed) unlinkPage(page);
  unpoison(page, kPageBytes);  // the heap or the region may hand it out again
  if (page->region) giveRegionPage(page);
  else ::operator delete(page, std::align_val_t{kPageBytes});
  --gPages;
}

pageC* makePage() {
  regionC* region = nullptr;
  void* raw = gPages >= kHeapPages ? takeRegionPage(region) : nullptr;
  if (!raw) raw = ::operator new(kPageBytes, std::align_val_t{kPageBytes}, std::nothrow);
  if (!raw) return nullptr;
  auto* page = static_cast<pageC*>(raw);
  page->region = region;
  page->freeList = nullptr;
  page->used = 0;
  page->fresh = 0;
  pushPage(page);
  ++gPages;
  ++gEmpty;
  return page;
}

}  // namespace

void* allocate(std::size_t size) {
  if (gPool.cellBytes == 0) {
    gPool.cellBytes = (size + 7) / 8 * 8;
    gPool.capacity = static_cast<std::uint32_t>((kPageBytes - sizeof(pageC)) / gPool.cellBytes);
  }
  pageC* page = gPool.head;
  if (!page && !(page = makePage())) return nullptr;
  if (page->used == 0) --gEmpty;
  void* cell = page->freeList;
  if (cell) {
    unpoison(cell, gPool.cellBytes);
    std::memcpy(&page->freeList, cell, sizeof(void*));
  }
  else cell = cellsOf(page) + std::size_t{page->fresh++} * gPool.cellBytes;
  if (++page->used == gPool.capacity) unlinkPage(page);
  ++gPool.live;
  return cell;
}

void release(void* node) {
  pageC* page = pageOf(node);
  std::memcpy(node, &page->freeList, sizeof(void*));
  page->freeList = node;
  poison(node, gPool.cellBytes);
  --gPool.live;
  if (--page->used == 0) {
    if (gPool.live == 0) {
      // Every page is empty now, and so on the list.
      if (!page->listed) pushPage(page);
      while (gPool.head) freePage(gPool.head);
      gEmpty = 0;
      return;
    }
    // One empty page is kept, so that a tree hovering around a page
    // boundary does not take and give back a page at every step.
    if (gEmpty > 0) {
      freePage(page);
      return;
    }
    ++gEmpty;
  }
  // The page goes to the front, so the next node reuses this cell while it
  // is hot; a full page comes back onto the list.
  if (gPool.head != page) {
    if (page->listed) unlinkPage(page);
    pushPage(page);
  }
}

std::size_t takeFreshRun(freshRunC& run) {
  pageC* page = gPool.head;
  if (!gPool.pagedNodes || !page || page->freeList || page->used == 0 || page->fresh + 1 >= gPool.capacity)
    return 0;
  const std::uint32_t taken = gPool.capacity - 1 - page->fresh;
  run.page = page;
  run.next = cellsOf(page) + std::size_t{page->fresh} * gPool.cellBytes;
  page->fresh += taken;
  page->used += taken;
  gPool.live += taken;
  run.end = cellsOf(page) + std::size_t{page->fresh} * gPool.cellBytes;
  return taken;
}

std::size_t giveBackRun(freshRunC& run) {
  pageC* page = run.page;
  const auto left = static_cast<std::uint32_t>(static_cast<std::size_t>(run.end - run.next) / gPool.cellBytes);
  if (left == 0 || cellsOf(page) + std::size_t{page->fresh} * gPool.cellBytes != run.end || page->used <= left)
    return 0;
  page->fresh -= left;
  page->used -= left;
  gPool.live -= left;
  run.next = run.end;
  return left;
}

std::size_t pageCount() { return gPages; }
std::size_t liveNodes() { return gPool.live; }

std::size_t keptRegionCount() { return gKeptCount; }
std::size_t keptRegionLimit() { return gKeptLimit; }

void setKeptRegionLimit(std::size_t regions) {
  gKeptLimit = regions;
  dropKeptRegions(regions);
}

void releaseKeptRegions() { dropKeptRegions(0); }

std::size_t regionCount() {
  std::size_t count = 0;
  for (const regionC* region = gRegions; region; region = region->next) ++count;
  return count;
}

}  // namespace lorvane::nodePages
