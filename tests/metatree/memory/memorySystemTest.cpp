#include "lorvane/metatree/memory/memManSystem.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <vector>

#include "lorvane/metatree/memory/memManCheckLeak.h"
#include "lorvane/metatree/memory/memManDataPool.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane {
namespace {

struct pooledThing : memManInterfaceC {
  double payload[3] = {1, 2, 3};
};

TEST(MemorySystem, CountsObjectsAndReleasesItselfWithTheLastBlock) {
  const bool alive = memManSystemC::get(false) != nullptr;
  const std::uint32_t before = alive ? memManSystemC::get(false)->blockCount() : 0;
  std::vector<pooledThing*> things;
  for (int i = 0; i < 10; ++i) things.push_back(new pooledThing);
  ASSERT_NE(memManSystemC::get(false), nullptr);
  EXPECT_EQ(memManSystemC::get(false)->blockCount(), before + 10);
  for (auto* t : things) delete t;
  if (alive) {
    EXPECT_EQ(memManSystemC::get(false)->blockCount(), before);
  } else {
    EXPECT_EQ(memManSystemC::get(false), nullptr);
  }
}

TEST(MemorySystem, LeakCheckCountsBlocksSinceItWasMade) {
  memManCheckLeakC check;
  auto* node = metaTreeC::createKeyNode("LEAK");  // node and text object
  EXPECT_EQ(check.leaked(), 2);
  auto* longer = metaTreeC::createKeyNode("A_KEY_LONGER_THAN_SIXTEEN");  // and its own characters
  EXPECT_EQ(check.leaked(), 5);
  delete node;
  delete longer;
  EXPECT_EQ(check.leaked(), 0);
  auto* other = new pooledThing;
  check.reset();
  EXPECT_EQ(check.leaked(), 0);
  delete other;
  EXPECT_EQ(check.leaked(), -1);
}

TEST(MemorySystem, RawBufferResizeKeepsTheContents) {
  memManDataPoolC<char> pool;
  pool.allocate(5);
  std::memcpy(pool.data(), "abcd", 5);
  pool.resize(2000);
  EXPECT_STREQ(pool.data(), "abcd");
  EXPECT_EQ(pool.size(), 2000u);
  pool.release();
  EXPECT_EQ(pool.data(), nullptr);
  EXPECT_EQ(pool.size(), 0u);
}

// Hooks that fail on demand, forwarding to the allocator otherwise.
int gFailAfter = -1;
void* failingAlloc(std::size_t size) {
  if (gFailAfter == 0) return nullptr;
  if (gFailAfter > 0) --gFailAfter;
  return memManSystemC::sizeClassHooks().alloc(size);
}
void* failingRealloc(void* block, std::size_t size) {
  if (gFailAfter == 0) return nullptr;
  if (gFailAfter > 0) --gFailAfter;
  return memManSystemC::sizeClassHooks().realloc(block, size);
}

TEST(MemorySystem, AFailingHookRaisesBadAllocAndCountsNothing) {
  auto* keepAlive = new pooledThing;
  memManSystemC* system = memManSystemC::get(false);
  const memManHooksC saved = memManSystemC::hooks();
  memManSystemC::setHooks({&failingAlloc, saved.free, &failingRealloc});
  const std::uint32_t before = system->blockCount();
  gFailAfter = 0;
  EXPECT_THROW(system->alloc(16), std::bad_alloc);
  EXPECT_THROW(system->realloc(nullptr, 16), std::bad_alloc);
  EXPECT_THROW((void)new pooledThing, std::bad_alloc);
  EXPECT_EQ(system->blockCount(), before);
  // A node whose text cannot be allocated is not left behind half built.
  gFailAfter = 1;
  EXPECT_THROW(metaTreeC::createKeyNode("KEY"), std::bad_alloc);
  EXPECT_EQ(system->blockCount(), before);
  gFailAfter = -1;
  memManSystemC::setHooks(saved);
  delete keepAlive;
}

}  // namespace
}  // namespace lorvane
