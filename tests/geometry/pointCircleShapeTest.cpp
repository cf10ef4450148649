#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapePoint.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

constexpr double fiveDegrees = 0.08726646259971647;

TEST(PointShape, IsItsOwnBoxHasNoLengthAndSamplesToItself) {
  metaObjectC tree = ownedTree("SPOINT");
  addPoint(tree.node(), 4, 5);
  mBasePoint2dC p(tree.node());
  EXPECT_EQ(p.getLength(), 0.0);
  point2dC c[4];
  EXPECT_EQ(p.getBoundingBox(c[0], c[1], c[2], c[3]), 1);
  for (const point2dC& q : c) EXPECT_TRUE(q.x == 4.0 && q.y == 5.0);
  pointListC points;
  EXPECT_EQ(p.getPoints(points, 0), 1);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].y, 5.0);
}

TEST(PointShape, ScaleAndTransformMoveThePosition) {
  metaObjectC tree = ownedTree("SPOINT");
  addPoint(tree.node(), 4, 5);
  mBasePoint2dC p(tree.node());
  EXPECT_EQ(p.scale(-2), 1);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, -8.0);
  EXPECT_EQ(p.transform({1, 0, 0, 0, 1, 0, 1, 2, 1}), 1);
  expectNthPoint(tree.node(), 0, -7.0, -8.0);
}

TEST(PointShape, EndPointsAreNotItsBusiness) {
  metaObjectC tree = ownedTree("SPOINT");
  addPoint(tree.node(), 4, 5);
  point2dC s{1, 1}, e{2, 2};
  EXPECT_EQ(mBasePoint2dC(tree.node()).getEndPoints(s, e), 0);
  EXPECT_EQ(s.x, 1.0);
  EXPECT_EQ(e.x, 2.0);
  EXPECT_EQ(mBasePoint2dC(tree.node()).reverse(), 0);
}

TEST(CircleShape, ScaleByTwoDoublesCentreAndRadius) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 1, 1);
  addNumber(tree.node(), "RAD", 1);
  EXPECT_EQ(mBaseCircle2dC(tree.node()).scale(2), 1);
  expectNthPoint(tree.node(), 0, 2.0, 2.0);
  EXPECT_EQ(numberOf(tree.node(), "RAD"), 2.0);
}

TEST(CircleShape, LengthIsTwiceTheRadiusTimesPi) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 0, 0);
  addNumber(tree.node(), "RAD", 0.3);
  EXPECT_EQ(mBaseCircle2dC(tree.node()).getLength(), (0.3 + 0.3) * kPi);
}

TEST(CircleShape, BoxIsCentrePlusMinusRadius) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 1, 2);
  addNumber(tree.node(), "RAD", 3);
  point2dC c[4];
  mBaseCircle2dC(tree.node()).getBoundingBox(c[0], c[1], c[2], c[3]);
  EXPECT_TRUE(c[0].x == -2 && c[0].y == -1);
  EXPECT_TRUE(c[1].x == 4 && c[1].y == -1);
  EXPECT_TRUE(c[2].x == 4 && c[2].y == 5);
  EXPECT_TRUE(c[3].x == -2 && c[3].y == 5);
}

TEST(CircleShape, TransformMovesTheCentreAndKeepsTheRadius) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 1, 0);
  addNumber(tree.node(), "RAD", 2);
  // A scaling matrix: the radius is still not touched.
  mBaseCircle2dC(tree.node()).transform({3, 0, 0, 0, 3, 0, 1, 1, 1});
  expectNthPoint(tree.node(), 0, 4.0, 1.0);
  EXPECT_EQ(numberOf(tree.node(), "RAD"), 2.0);
}

TEST(CircleShape, TheDefaultStepGives74PointsClosingOnTheFirst) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 10, -4);
  addNumber(tree.node(), "RAD", 2.5);
  pointListC points;
  EXPECT_EQ(mBaseCircle2dC(tree.node()).getPoints(points, 0), 74);
  ASSERT_EQ(points.size(), 74u);
  // The running sum of the step: after 72 additions it stays just below 2 pi.
  double t = 0;
  for (int k = 0; k < 73; ++k) {
    EXPECT_EQ(points[k].x, 10 + 2.5 * std::cos(t)) << k;
    EXPECT_EQ(points[k].y, -4 + 2.5 * std::sin(t)) << k;
    t = t + fiveDegrees;
  }
  EXPECT_EQ(points[73].x, 10 + 2.5 * std::cos(2 * kPi));
  EXPECT_EQ(points[73].y, -4 + 2.5 * std::sin(2 * kPi));
  EXPECT_NEAR(points[72].x, points[0].x, 1e-12);
  EXPECT_NEAR(points[72].y, points[0].y, 1e-12);
}

TEST(CircleShape, AStepThatLandsOnTheEndAddsNoClosingPoint) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 0, 0);
  addNumber(tree.node(), "RAD", 1);
  pointListC points;
  // 2 pi / 4 adds up exactly: 0, pi/2, pi, 3pi/2, then t == 2 pi.
  EXPECT_EQ(mBaseCircle2dC(tree.node()).getPoints(points, 2 * kPi / 4), 4);
}

TEST(CircleShape, MissingMembersAreLeftBehindEmpty) {
  metaObjectC tree = ownedTree("CIRCLE");
  EXPECT_EQ(mBaseCircle2dC(tree.node()).getLength(), 0.0);
  point2dC c[4];
  mBaseCircle2dC(tree.node()).getBoundingBox(c[0], c[1], c[2], c[3]);
  const auto kids = children(tree.node());
  ASSERT_EQ(kids.size(), 2u);
  EXPECT_EQ(keyOf(kids[0]), "RAD");
  EXPECT_EQ(keyOf(kids[1]), "POINT");
}

}  // namespace
}  // namespace lorvane
