#include "lorvane/metatree/memory/nodePages.h"

#include <cstring>
#include <new>

namespace lorvane::nodePages {
namespace {

struct alignas(16) pageC {
  pageC* next;  // pages that still have a free cell
  pageC* prev;
  void* freeList;
  std::uint32_t used;
  std::uint32_t fresh;  // cells from here on were never handed out
  bool listed;
};

pageC* gHead = nullptr;  // pages with a free cell, the one in use first
std::size_t gPages = 0;
std::size_t gLive = 0;
std::size_t gEmpty = 0;  // pages kept with no node in them: at most one
std::size_t gCellBytes = 0;
std::uint32_t gCapacity = 0;

unsigned char* cellsOf(pageC* page) { return reinterpret_cast<unsigned char*>(page) + sizeof(pageC); }
pageC* pageOf(void* node) {
  return reinterpret_cast<pageC*>(reinterpret_cast<std::uintptr_t>(node) & ~(std::uintptr_t{kPageBytes} - 1));
}

void unlinkPage(pageC* page) {
  if (page->prev) page->prev->next = page->next;
  else gHead = page->next;
  if (page->next) page->next->prev = page->prev;
  page->next = page->prev = nullptr;
  page->listed = false;
}

void pushPage(pageC* page) {
  page->prev = nullptr;
  page->next = gHead;
  if (gHead) gHead->prev = page;
  gHead = page;
  page->listed = true;
}

void freePage(pageC* page) {
  if (page->listed) unlinkPage(page);
  ::operator delete(page, std::align_val_t{kPageBytes});
  --gPages;
}

pageC* makePage() {
  void* raw = ::operator new(kPageBytes, std::align_val_t{kPageBytes}, std::nothrow);
  if (!raw) return nullptr;
  auto* page = static_cast<pageC*>(raw);
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
  if (gCellBytes == 0) {
    gCellBytes = (size + 7) / 8 * 8;
    gCapacity = static_cast<std::uint32_t>((kPageBytes - sizeof(pageC)) / gCellBytes);
  }
  pageC* page = gHead;
  if (!page && !(page = makePage())) return nullptr;
  if (page->used == 0) --gEmpty;
  void* cell = page->freeList;
  if (cell) std::memcpy(&page->freeList, cell, sizeof(void*));
  else cell = cellsOf(page) + std::size_t{page->fresh++} * gCellBytes;
  if (++page->used == gCapacity) unlinkPage(page);
  ++gLive;
  return cell;
}

void release(void* node) {
  pageC* page = pageOf(node);
  std::memcpy(node, &page->freeList, sizeof(void*));
  page->freeList = node;
  --gLive;
  if (--page->used == 0) {
    if (gLive == 0) {
      // Every page is empty now, and so on the list.
      if (!page->listed) pushPage(page);
      while (gHead) freePage(gHead);
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
  if (gHead != page) {
    if (page->listed) unlinkPage(page);
    pushPage(page);
  }
}

std::size_t pageCount() { return gPages; }
std::size_t liveNodes() { return gLive; }

}  // namespace lorvane::nodePages
