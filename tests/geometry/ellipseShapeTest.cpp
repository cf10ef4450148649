#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/geometry/shapeEllipse.h"
#include "lorvane/geometry/transformMatrix.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;


// centre + Rot(angle) (r1 cos t, r2 sin t), the rotation in degrees / 180 * pi.
xy ellipsePoint(xy c, double r1, double r2, double angle, double t) {
  const double a = degreesToRadiansDividingFirst(angle);
  const double x = r1 * std::cos(t);
  const double y = r2 * std::sin(t);
  return {c.x + (x * std::cos(a) - y * std::sin(a)), c.y + (x * std::sin(a) + y * std::cos(a))};
}

// Each sampled point is exactly the ellipse's point at its parameter.
void expectEllipsePoints(const pointListC& points, const std::vector<double>& ts, xy c, double r1, double r2,
                         double angle) {
  for (std::size_t k = 0; k < ts.size(); ++k) {
    const xy e = ellipsePoint(c, r1, r2, angle, ts[k]);
    EXPECT_EQ(points[k].x, e.x) << k;
    EXPECT_EQ(points[k].y, e.y) << k;
  }
}

std::vector<double> parameters(double from, double to, double h) {
  std::vector<double> ts;
  double t = from;
  for (; t < to; t = t + h) ts.push_back(t);
  if (t != to) ts.push_back(to);
  return ts;
}

TEST(EllipseShape, SamplesTheFullTurnByParameter) {
  metaObjectC tree = ellipseTree("ELLIPSE", {1, 2}, 4, 2, 30);
  pointListC points;
  const int n = mBaseEllipse2dC(tree.node()).getPoints(points, 0.5);
  const std::vector<double> ts = parameters(0, 2 * kPi, 0.5);
  ASSERT_EQ(n, static_cast<int>(ts.size()));
  expectEllipsePoints(points, ts, {1, 2}, 4, 2, 30);
}

TEST(EllipseShape, StepZeroMeansFiveDegrees) {
  metaObjectC tree = ellipseTree("ELLIPSE", {0, 0}, 3, 1, 0);
  pointListC points;
  EXPECT_EQ(mBaseEllipse2dC(tree.node()).getPoints(points, 0), 74);
}

TEST(EllipseArcShape, AStartAboveTheEndMovesTheStartBackByATurn) {
  metaObjectC tree = ellipseTree("ELLIPSEARC", {0, 0}, 3, 1, 10);
  addNumber(tree.node(), "ANGLE1", 300);
  addNumber(tree.node(), "ANGLE2", 60);
  pointListC points;
  const int n = mBaseEllipseArc2dC(tree.node()).getPoints(points, 0.1);
  const double t1 = degreesToRadiansDividingFirst(300.0) - 2 * kPi;
  const double t2 = degreesToRadiansDividingFirst(60.0);
  const std::vector<double> ts = parameters(t1, t2, 0.1);
  ASSERT_EQ(n, static_cast<int>(ts.size()));
  EXPECT_NEAR(radiansToDegreesMultiplyingFirst(ts.front()), -60, 1e-12);
  expectEllipsePoints(points, ts, {0, 0}, 3, 1, 10);
}

TEST(EllipseArcShape, AnOrderedRangeIsSampledAsItIs) {
  metaObjectC tree = ellipseTree("ELLIPSEARC", {0, 0}, 3, 1, 0);
  addNumber(tree.node(), "ANGLE1", 60);
  addNumber(tree.node(), "ANGLE2", 300);
  pointListC points;
  mBaseEllipseArc2dC arc(tree.node());
  arc.getPoints(points, 0.1);
  EXPECT_EQ(points.size(), parameters(degreesToRadiansDividingFirst(60.0), degreesToRadiansDividingFirst(300.0), 0.1).size());
  const point2dC start = arc.getStartPoint();
  const point2dC end = arc.getEndPoint();
  EXPECT_EQ(points.front().x, start.x);
  EXPECT_EQ(points.back().x, end.x);
  EXPECT_EQ(points.back().y, end.y);
}

TEST(EllipseShape, AxisEndsAndRatio) {
  metaObjectC tree = ellipseTree("ELLIPSE", {1, 1}, 4, 2, 90);
  mBaseEllipse2dC e(tree.node());
  EXPECT_NEAR(e.getFirstAxisEnd().x, 1, 1e-12);
  EXPECT_NEAR(e.getFirstAxisEnd().y, 5, 1e-12);
  EXPECT_NEAR(e.getSecondAxisEnd().x, -1, 1e-12);
  EXPECT_NEAR(e.getSecondAxisEnd().y, 1, 1e-12);
  EXPECT_EQ(e.getAxisRatio(), 2.0);
}

TEST(EllipseShape, ScaleChangesRadiiAndCentreButNotTheAngle) {
  metaObjectC tree = ellipseTree("ELLIPSE", {1, -1}, 4, 2, 30);
  EXPECT_EQ(mBaseEllipse2dC(tree.node()).scale(0.5), 1);
  expectNthPoint(tree.node(), 0, 0.5, -0.5);
  EXPECT_EQ(numberOf(tree.node(), "RAD1"), 2.0);
  EXPECT_EQ(numberOf(tree.node(), "RAD2"), 1.0);
  EXPECT_EQ(numberOf(tree.node(), "ANGLE"), 30.0);
}

TEST(EllipseShape, TransformIsARigidMotionThatKeepsTheRadii) {
  metaObjectC tree = ellipseTree("ELLIPSE", {1, 0}, 2, 1, 0);
  mBaseEllipse2dC e(tree.node());
  EXPECT_EQ(e.transform(rotationMatrix(90)), 1);
  EXPECT_NEAR(nthPoint(tree.node(), 0).x, 0, 1e-12);
  EXPECT_NEAR(nthPoint(tree.node(), 0).y, 1, 1e-12);
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE"), 90, 1e-9);
  // Even a matrix that scales leaves the radii as they are.
  e.transform({3, 0, 0, 0, 3, 0, 0, 0, 1});
  EXPECT_EQ(numberOf(tree.node(), "RAD1"), 2.0);
  EXPECT_EQ(numberOf(tree.node(), "RAD2"), 1.0);
}

TEST(EllipseShape, TheNewAngleIsTheAngleRuleOfTheMovedAxis) {
  metaObjectC tree = ellipseTree("ELLIPSE", {0, 0}, 2, 1, 0);
  // A turn by -0.00005 degrees: the axis now points at 359.99995, which the
  // angle rule reports as 0.00005.
  mBaseEllipse2dC(tree.node()).transform(rotationMatrix(-0.00005));
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE"), 0.00005, 1e-7);
}

TEST(EllipseArcShape, ARigidMotionKeepsTheParameterAngles) {
  metaObjectC tree = ellipseTree("ELLIPSEARC", {2, 1}, 3, 1.5, 20);
  addNumber(tree.node(), "ANGLE1", 30);
  addNumber(tree.node(), "ANGLE2", 100);
  mBaseEllipseArc2dC arc(tree.node());
  const point2dC start = arc.getStartPoint();
  const point2dC end = arc.getEndPoint();
  transformMatrixC m = rotationMatrix(50);
  m[6] = -4;
  m[7] = 7;
  arc.transform(m);
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE"), 70, 1e-9);
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE1"), 30, 1e-9);
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE2"), 100, 1e-9);
  EXPECT_EQ(numberOf(tree.node(), "RAD1"), 3.0);
  const point2dC movedStart = applyTransform(m, start);
  const point2dC movedEnd = applyTransform(m, end);
  EXPECT_NEAR(arc.getStartPoint().x, movedStart.x, 1e-9);
  EXPECT_NEAR(arc.getStartPoint().y, movedStart.y, 1e-9);
  EXPECT_NEAR(arc.getEndPoint().x, movedEnd.x, 1e-9);
  EXPECT_NEAR(arc.getEndPoint().y, movedEnd.y, 1e-9);
}

TEST(EllipseArcShape, AMirrorTurnsTheArcParametersAsTheAxesGo) {
  // Mirrored at the y axis the ellipse turns by 180 degrees as a rigid
  // motion sees it; a start at parameter 0 (the right axis end, now left of
  // the centre on the first axis) stays at parameter 0.
  metaObjectC tree = ellipseTree("ELLIPSEARC", {0, 0}, 2, 1, 0);
  addNumber(tree.node(), "ANGLE1", 0);
  addNumber(tree.node(), "ANGLE2", 90);
  mBaseEllipseArc2dC(tree.node()).transform({-1, 0, 0, 0, 1, 0, 0, 0, 1});
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE"), 180, 1e-9);
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE1"), 0, 1e-9);
  // (0, 1) turned back by 180 degrees is (0, -1): parameter 270.
  EXPECT_NEAR(numberOf(tree.node(), "ANGLE2"), 270, 1e-9);
}

TEST(EllipseShape, HasNoLengthBoxOrEndPoints) {
  metaObjectC tree = ellipseTree("ELLIPSE", {0, 0}, 2, 1, 0);
  mBaseEllipse2dC e(tree.node());
  EXPECT_EQ(e.getLength(), 0.0);
  point2dC c[4] = {{7, 7}, {7, 7}, {7, 7}, {7, 7}};
  EXPECT_EQ(e.getBoundingBox(c[0], c[1], c[2], c[3]), 0);
  EXPECT_EQ(c[2].x, 7.0);
  point2dC s{7, 7}, f{7, 7};
  EXPECT_EQ(e.getEndPoints(s, f), 0);
  EXPECT_EQ(e.reverse(), 0);
  EXPECT_EQ(s.x, 7.0);
}

}  // namespace
}  // namespace lorvane
