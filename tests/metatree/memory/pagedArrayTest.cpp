#include "lorvane/metatree/memory/pageMem.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

TEST(PagedArray, ElementEightStartsTheSecondPage) {
  pageMemT<int, 3> array;
  for (int i = 0; i < 9; ++i) array.append(i * 10);
  EXPECT_EQ(array.pageCount(), 2u);
  EXPECT_EQ(array[8], 80);
  EXPECT_EQ(array[7], 70);
}

TEST(PagedArray, ElementsNeverMoveWhileTheArrayGrows) {
  pageMemT<int, 3> array;
  int* first = &array.append(1);
  for (int i = 0; i < 10000; ++i) array.append(i);
  EXPECT_EQ(first, &array[0]);
  EXPECT_EQ(*first, 1);
  EXPECT_EQ(array.size(), 10001u);
  EXPECT_EQ(array[10000], 9999);
}

TEST(PagedArray, ClearKeepsThePagesForReuse) {
  pageMemT<int, 5> array;
  for (int i = 0; i < 100; ++i) array.append(i);
  const std::size_t pages = array.pageCount();
  array.clear();
  EXPECT_EQ(array.size(), 0u);
  for (int i = 0; i < 100; ++i) array.append(-i);
  EXPECT_EQ(array.pageCount(), pages);
  EXPECT_EQ(array[99], -99);
}

}  // namespace
}  // namespace lorvane
