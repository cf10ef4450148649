#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "lorvane/geometry/arcGeometry.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {


// The angle rule written out step by step, against (1, 0).
double angleByTheRule(double x, double y) {
  const double len = std::sqrt(x * x + y * y);
  if (len == 0) return 0.0;
  const double inv = 1 / len;
  double ux = x * inv;
  double uy = y * inv;
  if (std::fabs(ux) < 1e-8) ux = 0;
  if (std::fabs(uy) < 1e-8) uy = 0;
  double c = 1.0 * ux + 0.0 * uy;
  c = c < -1 ? -1 : (c > 1 ? 1 : c);
  double a = std::acos(c);
  if (-0.0 * ux + 1.0 * uy < 0) a = 2 * kPi - a;
  a = radiansToDegreesMultiplyingFirst(a);
  if (a >= 359.9999) a = a - 359.9999;
  return a;
}

TEST(AngleRule, QuarterTurnsAboutTheOrigin) {
  EXPECT_EQ(vectorAngle({1, 0}), 0.0);
  EXPECT_EQ(vectorAngle({0, 2}), 90.0);
  EXPECT_EQ(vectorAngle({-3, 0}), 180.0);
  EXPECT_EQ(vectorAngle({0, -1}), 270.0);
}

TEST(AngleRule, AZeroVectorHasAngleZero) {
  EXPECT_EQ(vectorAngle({0, 0}), 0.0);
  EXPECT_EQ(vectorAngle({1e-200, -1e-200}), 0.0);  // its length underflows to 0
}

TEST(AngleRule, JustBelowAFullTurnReportsTheExcessOver359_9999) {
  const double a = degreesToRadiansDividingFirst(359.99995);
  const double reported = vectorAngle({std::cos(a), std::sin(a)});
  // Near 1 the arccos keeps only about half the digits.
  EXPECT_NEAR(reported, 0.00005, 1e-7);
  EXPECT_TRUE(test::sameBits(reported, angleByTheRule(std::cos(a), std::sin(a))));
  EXPECT_GE(reported, 0.0);
  EXPECT_LT(reported, 0.0001);
  // 359.9999 itself is reported as (about) 0, 359.9998 as itself.
  const double b = degreesToRadiansDividingFirst(359.9998);
  EXPECT_NEAR(vectorAngle({std::cos(b), std::sin(b)}), 359.9998, 1e-9);
}

TEST(AngleRule, ComponentsBelow1e8AreSnappedAfterScaling) {
  // Without snapping the small negative y would turn this into 359.99999..
  // and so into about 0.0000997.
  EXPECT_EQ(vectorAngle({1, -5e-9}), 0.0);
  EXPECT_EQ(vectorAngle({-5e-9, 1}), 90.0);
}

TEST(AngleRule, TheCosineIsClampedBeforeArccos) {
  // A unit vector's dot product with itself can come out just above 1, where
  // arccos has no value; the angle of such a vector against itself is 0.
  std::mt19937_64 random(3);
  std::uniform_real_distribution<double> coordinate(-10, 10);
  int above = 0;
  for (int i = 0; i < 2000; ++i) {
    const double x = coordinate(random);
    const double y = coordinate(random);
    const double inv = 1 / std::sqrt(x * x + y * y);
    const double ux = x * inv;
    const double uy = y * inv;
    if (ux * ux + uy * uy > 1) {
      ++above;
      EXPECT_EQ(vectorAngle({x, y}, {x, y}), 0.0) << x << " " << y;
    }
  }
  EXPECT_GT(above, 0);
}

TEST(AngleRule, MatchesTheRuleBitForBitOnRandomVectors) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> coordinate(-100, 100);
  for (int i = 0; i < 20000; ++i) {
    const double x = coordinate(random);
    const double y = i % 5 == 0 ? coordinate(random) * 1e-12 : coordinate(random);
    const double got = vectorAngle({x, y});
    ASSERT_TRUE(test::sameBits(got, angleByTheRule(x, y))) << x << " " << y;
    ASSERT_GE(got, 0.0);
    ASSERT_LT(got, 359.9999);
  }
}

TEST(AngleRule, NotANumberStaysNotANumberWithoutHarm) {
  EXPECT_TRUE(std::isnan(vectorAngle({std::nan(""), 1})));
}

}  // namespace
}  // namespace lorvane
