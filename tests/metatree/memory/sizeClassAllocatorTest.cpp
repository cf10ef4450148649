#include "lorvane/metatree/memory/sizeClassAllocator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "lorvane/metatree/memory/memManSystem.h"

namespace lorvane {
namespace {

namespace sca = sizeClassAllocator;

// The tests drive the allocator directly; the registries of the runtime keep
// a few cells alive, so counts are compared with the state before each test.
class SizeClassAllocator : public ::testing::Test {
protected:
  void SetUp() override { baseline_ = sca::liveSmallBlocks(); }
  std::size_t live() const { return sca::liveSmallBlocks() - baseline_; }
  std::size_t baseline_ = 0;
};

TEST_F(SizeClassAllocator, RequestSizesMapToTheSmallestClassThatHoldsThem) {
  EXPECT_EQ(sca::classOfSize(0), 0);
  EXPECT_EQ(sca::classOfSize(8), 0);
  EXPECT_EQ(sca::classOfSize(9), 1);
  EXPECT_EQ(sca::classOfSize(512), 63);
  EXPECT_EQ(sca::classOfSize(513), -1);

  void* zero = sca::allocate(0);
  void* nine = sca::allocate(9);
  void* last = sca::allocate(512);
  void* large = sca::allocate(513);
  EXPECT_EQ(sca::classOfBlock(zero), 0);
  EXPECT_EQ(sca::classOfBlock(nine), 1);
  EXPECT_EQ(sca::classOfBlock(last), 63);
  EXPECT_EQ(sca::classOfBlock(large), -1);
  EXPECT_EQ(live(), 3u);  // the large block is no cell
  for (void* b : {zero, nine, last, large}) sca::release(b);
  EXPECT_EQ(live(), 0u);
}

TEST_F(SizeClassAllocator, ChunksHoldAsManyCellsAsFitWithTheirHeaders) {
  EXPECT_EQ(sca::cellsPerChunk(8), 625u);
  EXPECT_EQ(sca::cellsPerChunk(512), 19u);
  EXPECT_EQ(sca::cellsPerChunk(72), 125u);
}

TEST_F(SizeClassAllocator, CellsAreEightAlignedAndDoNotOverlap) {
  std::vector<unsigned char*> cells;
  for (int i = 0; i < 700; ++i) {
    auto* cell = static_cast<unsigned char*>(sca::allocate(24));
    ASSERT_EQ(reinterpret_cast<std::uintptr_t>(cell) % 8, 0u);
    std::memset(cell, i & 0xFF, 24);
    cells.push_back(cell);
  }
  for (int i = 0; i < 700; ++i) EXPECT_EQ(cells[i][23], static_cast<unsigned char>(i & 0xFF));
  for (auto* cell : cells) sca::release(cell);
}

TEST_F(SizeClassAllocator, FreedCellsAreReusedAtOnce) {
  void* keep = sca::allocate(40);  // keeps the tables alive across the pair
  void* first = sca::allocate(40);
  sca::release(first);
  void* second = sca::allocate(40);
  EXPECT_EQ(first, second);
  sca::release(second);
  sca::release(keep);
}

TEST_F(SizeClassAllocator, AClassReleasesAnEmptyChunkButKeepsItsLast) {
  const int cls = sca::classOfSize(512);
  void* keep = sca::allocate(8);  // pins the tables
  const std::uint32_t before = sca::chunkCount(cls);
  std::vector<void*> cells;
  for (std::size_t i = 0; i < 2 * sca::cellsPerChunk(512) + 1; ++i) cells.push_back(sca::allocate(512));
  EXPECT_GE(sca::chunkCount(cls), before + 2);
  for (void* cell : cells) sca::release(cell);
  EXPECT_EQ(sca::chunkCount(cls), before == 0 ? 1u : before);
  EXPECT_EQ(sca::liveCells(cls), 0u);
  sca::release(keep);
}

TEST_F(SizeClassAllocator, ReallocatingACellDownMovesThePrefixToASmallerClass) {
  auto* cell = static_cast<unsigned char*>(sca::allocate(100));
  for (int i = 0; i < 100; ++i) cell[i] = static_cast<unsigned char>(i);
  auto* moved = static_cast<unsigned char*>(sca::reallocate(cell, 50));
  EXPECT_NE(moved, cell);
  EXPECT_EQ(sca::classOfBlock(moved), sca::classOfSize(56));
  for (int i = 0; i < 50; ++i) EXPECT_EQ(moved[i], i);
  sca::release(moved);
}

TEST_F(SizeClassAllocator, ReallocationCrossesBetweenCellsAndLargeBlocks) {
  auto* cell = static_cast<unsigned char*>(sca::allocate(300));
  std::memset(cell, 0xAB, 300);
  auto* large = static_cast<unsigned char*>(sca::reallocate(cell, 4000));
  EXPECT_EQ(sca::classOfBlock(large), -1);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(large[i], 0xAB);
  std::memset(large, 0xCD, 4000);
  large = static_cast<unsigned char*>(sca::reallocate(large, 100000));
  EXPECT_EQ(sca::classOfBlock(large), -1);
  for (int i = 0; i < 4000; ++i) ASSERT_EQ(large[i], 0xCD);
  auto* back = static_cast<unsigned char*>(sca::reallocate(large, 10));
  EXPECT_EQ(sca::classOfBlock(back), 1);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(back[i], 0xCD);
  sca::release(back);
  EXPECT_EQ(live(), 0u);
}

TEST_F(SizeClassAllocator, ReallocatingNullAllocates) {
  void* block = sca::reallocate(nullptr, 24);
  EXPECT_EQ(sca::classOfBlock(block), 2);
  sca::release(block);
}

}  // namespace
}  // namespace lorvane
