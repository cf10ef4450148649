#include <gtest/gtest.h>

#include <random>

#include "lorvane/geometry/arcGeometry.h"
#include "testTrees.h"

namespace lorvane {
namespace {

using test::xy;

// The construction as the drawing format's reference defines it: midpoints,
// perpendicular directions, intersection by the 2x2 determinant.
xy circumcentreByTheBook(xy a, xy b, xy c) {
  const xy m1{a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2};
  const xy m2{c.x + (b.x - c.x) / 2, c.y + (b.y - c.y) / 2};
  const xy d1{-(b.y - a.y), b.x - a.x};
  const xy d2{-(b.y - c.y), b.x - c.x};
  const double det = d1.x * d2.y - d1.y * d2.x;
  if (det == 0) return {0, 0};
  const double s = ((m2.x - m1.x) * d2.y - (m2.y - m1.y) * d2.x) / det;
  return {m1.x + s * d1.x, m1.y + s * d1.y};
}

TEST(Circumcentre, OfARightTriangleIsTheHypotenuseMidpoint) {
  const point2dC c = circumcentre({0, 0}, {2, 0}, {0, 2});
  EXPECT_EQ(c.x, 1.0);
  EXPECT_EQ(c.y, 1.0);
}

TEST(Circumcentre, OfTheUpperHalfCircleIsTheOrigin) {
  bool valid = false;
  const point2dC c = circumcentre({1, 0}, {0, 1}, {-1, 0}, &valid);
  EXPECT_TRUE(valid);
  EXPECT_EQ(c.x, 0.0);
  EXPECT_EQ(c.y, 0.0);
}

TEST(Circumcentre, CollinearPointsGiveTheOriginAndNoCentre) {
  bool valid = true;
  const point2dC c = circumcentre({5, 5}, {6, 6}, {8, 8}, &valid);
  EXPECT_FALSE(valid);
  EXPECT_EQ(c.x, 0.0);
  EXPECT_EQ(c.y, 0.0);
  // Two equal points are collinear with any third.
  EXPECT_EQ(circumcentre({3, 4}, {3, 4}, {9, 1}).x, 0.0);
}

TEST(Circumcentre, FollowsTheConstructionBitForBit) {
  std::mt19937_64 random(11);
  std::uniform_real_distribution<double> coordinate(-50, 50);
  for (int i = 0; i < 20000; ++i) {
    const xy a{coordinate(random), coordinate(random)};
    const xy b{coordinate(random), coordinate(random)};
    const xy c{coordinate(random), coordinate(random)};
    const point2dC got = circumcentre(a, b, c);
    const xy expected = circumcentreByTheBook(a, b, c);
    ASSERT_TRUE(test::sameBits(got.x, expected.x) && test::sameBits(got.y, expected.y));
  }
}

}  // namespace
}  // namespace lorvane
