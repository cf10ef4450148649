#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/geometry/shapeArc.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;


metaObjectC arcTree(xy s, xy m, xy e) {
  metaObjectC tree = ownedTree("ARC");
  addPoint(tree.node(), s);
  addPoint(tree.node(), m);
  addPoint(tree.node(), e);
  return tree;
}

TEST(ArcShape, UpperHalfCircleRunsCounterClockwise) {
  metaObjectC tree = arcTree({1, 0}, {0, 1}, {-1, 0});
  mBaseArc2dC arc(tree.node());
  EXPECT_EQ(arc.getCentre().x, 0.0);
  EXPECT_EQ(arc.getCentre().y, 0.0);
  EXPECT_EQ(arc.getRadius(), 1.0);
  EXPECT_EQ(arc.getStartAngle(), 0.0);
  EXPECT_EQ(arc.getEndAngle(), 180.0);
  EXPECT_EQ(arc.getSense(), 0);
  const anglePairC pair = arc.getWriterAngles();
  EXPECT_EQ(pair.from, 0.0);
  EXPECT_EQ(pair.to, 180.0);
  EXPECT_EQ(arc.getLength(), kPi);
}

TEST(ArcShape, LowerHalfCircleRunsClockwiseAndTheWriterPairIsExchanged) {
  metaObjectC tree = arcTree({1, 0}, {0, -1}, {-1, 0});
  mBaseArc2dC arc(tree.node());
  EXPECT_EQ(arc.getSense(), 1);
  const anglePairC pair = arc.getWriterAngles();
  EXPECT_EQ(pair.from, 180.0);
  EXPECT_EQ(pair.to, 360.0);
  EXPECT_EQ(arc.getLength(), degreesToRadiansDividingFirst(180.0 * 1));
}

TEST(ArcSense, DecisionTableBothBranches) {
  // Middle above start: clockwise only when the end lies between them.
  EXPECT_TRUE(arcIsClockwise(10, 100, 50));
  EXPECT_TRUE(arcIsClockwise(10, 100, 100));
  EXPECT_TRUE(arcIsClockwise(10, 100, 10));
  EXPECT_FALSE(arcIsClockwise(10, 100, 150));
  EXPECT_FALSE(arcIsClockwise(10, 100, 5));
  // Middle at or below start: clockwise when the end is below the middle or
  // at or above the start.
  EXPECT_TRUE(arcIsClockwise(300, 100, 50));
  EXPECT_TRUE(arcIsClockwise(300, 100, 320));
  EXPECT_TRUE(arcIsClockwise(300, 100, 300));
  EXPECT_FALSE(arcIsClockwise(300, 100, 200));
  EXPECT_TRUE(arcIsClockwise(300, 300, 200));
}

TEST(ArcShape, WrapAroundArcThroughAngleZero) {
  // From 315 degrees counter-clockwise through 0 to 45 degrees.
  const double r = std::sqrt(0.5);
  metaObjectC tree = arcTree({r, -r}, {1, 0}, {r, r});
  mBaseArc2dC arc(tree.node());
  EXPECT_EQ(arc.getSense(), 0);
  const anglePairC pair = arc.getWriterAngles();
  EXPECT_NEAR(pair.from, 315, 1e-9);
  EXPECT_NEAR(pair.to, 405, 1e-9);
  EXPECT_NEAR(arc.getLength(), kPi / 2, 1e-12);
}

TEST(ArcShape, EqualStartAndEndAnglesMakeAFullTurnPairButNoLength) {
  metaObjectC tree = arcTree({1, 0}, {-1, 0}, {1, 0});
  mBaseArc2dC arc(tree.node());
  const anglePairC pair = arc.getWriterAngles();
  EXPECT_EQ(pair.to, pair.from + 360);
  EXPECT_EQ(arc.getLength(), 0.0);
}

TEST(ArcShape, WriterPairAndLengthFromAnglesDirectly) {
  EXPECT_EQ(writerAnglePair(30, 30, false).to, 390.0);
  EXPECT_EQ(sweepAnglePair(30, 30, false).to, 30.0);
  EXPECT_EQ(writerAnglePair(200, 100, false).to, 460.0);
  EXPECT_EQ(writerAnglePair(200, 100, true).from, 100.0);
  EXPECT_EQ(writerAnglePair(200, 100, true).to, 200.0);
  EXPECT_EQ(arcLength(0, 90, false, 2), degreesToRadiansDividingFirst(90.0 * 2));
  // Angles from elsewhere that do not move when 360 is added end the loop.
  EXPECT_EQ(writerAnglePair(1e300, 0, false).to, 0.0 + 360 * (1 << 20));
  EXPECT_TRUE(std::isinf(writerAnglePair(INFINITY, -INFINITY, false).to));
}

TEST(ArcShape, CollinearPointsAreMeasuredAboutTheOrigin) {
  metaObjectC tree = arcTree({1, 1}, {2, 2}, {3, 3});
  mBaseArc2dC arc(tree.node());
  EXPECT_EQ(arc.getCentre().x, 0.0);
  EXPECT_EQ(arc.getRadius(), std::sqrt(2.0));
  EXPECT_NEAR(arc.getStartAngle(), 45, 1e-12);
}

TEST(ArcShape, SamplingRunsCounterClockwiseFromTheLowerAngle) {
  // Clockwise over the bottom: the samples run from 180 to 360 degrees.
  metaObjectC tree = arcTree({2, 0}, {0, -2}, {-2, 0});
  mBaseArc2dC arc(tree.node());
  pointListC points;
  const double h = 0.3;
  const int n = arc.getPoints(points, h);
  const double from = degreesToRadiansDividingFirst(180.0);
  const double to = degreesToRadiansDividingFirst(360.0);
  std::vector<double> ts;
  double t = from;
  for (; t < to; t = t + h) ts.push_back(t);
  if (t != to) ts.push_back(to);
  ASSERT_EQ(n, static_cast<int>(ts.size()));
  ASSERT_EQ(points.size(), ts.size());
  for (std::size_t k = 0; k < ts.size(); ++k) {
    EXPECT_EQ(points[k].x, 0 + 2 * std::cos(ts[k])) << k;
    EXPECT_EQ(points[k].y, 0 + 2 * std::sin(ts[k])) << k;
  }
}

TEST(ArcShape, SamplingAcrossAngleZeroAddsATurnToTheEnd) {
  const double r = std::sqrt(0.5);
  metaObjectC tree = arcTree({r, -r}, {1, 0}, {r, r});
  pointListC points;
  mBaseArc2dC(tree.node()).getPoints(points, 0);
  // 90 degrees at 5 degrees a step: 18 steps (the last a rounding off 45)
  // and maybe the end; all on the right half.
  ASSERT_GE(points.size(), 18u);
  ASSERT_LE(points.size(), 20u);
  for (const point2dC& p : points) EXPECT_GT(p.x, 0.7);
  EXPECT_NEAR(points.front().y, -r, 1e-12);
  EXPECT_NEAR(points.back().y, r, 1e-12);
}

TEST(ArcShape, BoxOfAHalfCircleHasTheChordAsOneSide) {
  metaObjectC tree = arcTree({1, 0}, {0, 1}, {-1, 0});
  point2dC c[4];
  EXPECT_EQ(mBaseArc2dC(tree.node()).getBoundingBox(c[0], c[1], c[2], c[3]), 1);
  // Along the chord from start to end, and across it to the bulge.
  const xy expected[4] = {{1, 1}, {-1, 1}, {-1, 0}, {1, 0}};
  for (int k = 0; k < 4; ++k) {
    EXPECT_NEAR(c[k].x, expected[k].x, 1e-12) << k;
    EXPECT_NEAR(c[k].y, expected[k].y, 1e-12) << k;
  }
}

TEST(ArcShape, BoxOfAThreeQuarterArcEnclosesItTightly) {
  // From 0 degrees counter-clockwise through 180 to 270.
  metaObjectC tree = arcTree({3, 1}, {1, 1}, {2, 0});
  mBaseArc2dC arc(tree.node());
  point2dC c[4];
  arc.getBoundingBox(c[0], c[1], c[2], c[3]);
  // A rectangle: opposite sides equal, adjacent sides perpendicular.
  const auto sub = [](point2dC a, point2dC b) { return xy{a.x - b.x, a.y - b.y}; };
  const xy side0 = sub(c[1], c[0]);
  const xy side1 = sub(c[2], c[1]);
  const xy side2 = sub(c[3], c[2]);
  EXPECT_NEAR(side0.x * side1.x + side0.y * side1.y, 0, 1e-12);
  EXPECT_NEAR(side0.x, -side2.x, 1e-12);
  EXPECT_NEAR(side0.y, -side2.y, 1e-12);
  // The side from corner 0 to 1 runs along the chord from start to end.
  const xy chord{2 - 3, 0 - 1};
  EXPECT_NEAR(side0.x * chord.y - side0.y * chord.x, 0, 1e-12);
  EXPECT_GT(side0.x * chord.x + side0.y * chord.y, 0);
  // Every point of the arc is inside, and each side touches it.
  pointListC points;
  arc.getPoints(points, 0.001);
  const double l0 = std::hypot(side0.x, side0.y);
  const double l1 = std::hypot(side1.x, side1.y);
  double umin = 1e9, umax = -1e9, nmin = 1e9, nmax = -1e9;
  for (const point2dC& p : points) {
    const xy rel = sub(p, c[0]);
    const double u = (rel.x * side0.x + rel.y * side0.y) / l0;
    const double n = (rel.x * side1.x + rel.y * side1.y) / l1;
    umin = std::min(umin, u);
    umax = std::max(umax, u);
    nmin = std::min(nmin, n);
    nmax = std::max(nmax, n);
  }
  EXPECT_GE(umin, -1e-12);
  EXPECT_LE(umax, l0 + 1e-12);
  EXPECT_GE(nmin, -1e-12);
  EXPECT_LE(nmax, l1 + 1e-12);
  EXPECT_NEAR(umin, 0, 1e-5);
  EXPECT_NEAR(umax, l0, 1e-5);
  EXPECT_NEAR(nmin, 0, 1e-5);
  EXPECT_NEAR(nmax, l1, 1e-5);
}

TEST(ArcShape, EndPointsAreTheFirstAndThirdPoints) {
  metaObjectC tree = arcTree({1, 0}, {0, 1}, {-1, 0});
  mBaseArc2dC arc(tree.node());
  point2dC s, e;
  EXPECT_EQ(arc.getEndPoints(s, e), 1);
  EXPECT_EQ(s.x, 1.0);
  EXPECT_EQ(e.x, -1.0);
  EXPECT_EQ(arc.reverse(), 1);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, -1.0);
  EXPECT_EQ(nthPoint(tree.node(), 1).y, 1.0);
  EXPECT_EQ(nthPoint(tree.node(), 2).x, 1.0);
  // Reversed, the same arc now runs clockwise.
  EXPECT_EQ(arc.getSense(), 1);
  EXPECT_EQ(arc.setEndPoints({5, 5}, {6, 6}), 1);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, 5.0);
  EXPECT_EQ(nthPoint(tree.node(), 1).y, 1.0);
  EXPECT_EQ(nthPoint(tree.node(), 2).x, 6.0);
}

TEST(ArcShape, ScaleAndTransformMoveAllThreePoints) {
  metaObjectC tree = arcTree({1, 0}, {0, 1}, {-1, 0});
  mBaseArc2dC arc(tree.node());
  arc.scale(3);
  EXPECT_EQ(nthPoint(tree.node(), 1).y, 3.0);
  EXPECT_EQ(arc.getRadius(), 3.0);
  arc.transform({1, 0, 0, 0, 1, 0, 10, 20, 1});
  EXPECT_EQ(nthPoint(tree.node(), 0).x, 13.0);
  EXPECT_EQ(nthPoint(tree.node(), 1).y, 23.0);
  EXPECT_EQ(nthPoint(tree.node(), 2).x, 7.0);
}

TEST(ArcShape, AnEmptyArcGainsThreeEmptyPoints) {
  metaObjectC tree = ownedTree("ARC");
  mBaseArc2dC arc(tree.node());
  EXPECT_EQ(arc.getLength(), 0.0);
  EXPECT_EQ(childrenWithKey(tree.node(), "POINT").size(), 3u);
}

}  // namespace
}  // namespace lorvane
