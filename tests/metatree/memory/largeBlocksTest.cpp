#include "lorvane/metatree/memory/largeBlocks.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace lorvane {
namespace {

// Sizes on both sides of the heap's limit and of whole 2 MiB regions: each
// block must hold every byte asked for, and go back with the size it came
// with.
TEST(LargeBlocks, HoldEveryByteAskedForAndGoBack) {
  constexpr std::size_t kMiB = std::size_t{1} << 20;
  for (std::size_t bytes : {std::size_t{1}, kMiB - 1, kMiB, 2 * kMiB, 2 * kMiB + 1, 5 * kMiB + 3}) {
    auto* block = static_cast<unsigned char*>(largeBlocks::allocate(bytes));
    ASSERT_NE(block, nullptr) << bytes;
    std::memset(block, 0xA5, bytes);
    EXPECT_EQ(block[bytes - 1], 0xA5) << bytes;
    largeBlocks::release(block, bytes);
  }
}

}  // namespace
}  // namespace lorvane
