// Shapes are read from whatever a host hands over: every operation has to end,
// and end without harm, on members that are missing, of the wrong kind or not
// numbers at all.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/shapeArc.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeEllipse.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

void runEverySlot(metaTreeC* node, double step) {
  mBaseShape2dC shape(node);
  shape.getLength();
  point2dC c[4];
  shape.getBoundingBox(c[0], c[1], c[2], c[3]);
  pointListC points;
  shape.getPoints(points, step);
  EXPECT_LE(points.size(), kMaxSamples + 1);
  metaObjectC out = ownedTree("OUT");
  shape.toLinesAndArcs(step, 0.0001, out.node());
  point2dC s, e;
  shape.getEndPoints(s, e);
  shape.setEndPoints(s, e);
  shape.reverse();
  shape.transform({nan, 0, 0, 0, 1, 0, inf, 0, 1});
  shape.scale(nan);
}

TEST(Robustness, EmptyShapesOfEveryClass) {
  for (const char* key : {"SPOINT", "LINE", "ARC", "CIRCLE", "ELLIPSE", "ELLIPSEARC", "ICRV2D", "TEXT"}) {
    metaObjectC tree = ownedTree(key);
    runEverySlot(tree.node(), 0);
  }
}

TEST(Robustness, MembersOfTheWrongKind) {
  for (const char* key : {"CIRCLE", "ELLIPSE", "ELLIPSEARC", "ARC", "LINE"}) {
    metaObjectC tree = ownedTree(key);
    metaTreeC* point = addKey(tree.node(), "POINT");
    addStringNode(point, "x");
    addStringNode(point, "y");
    addStringNode(addKey(tree.node(), "RAD"), "big");
    addStringNode(addKey(tree.node(), "RAD1"), "big");
    addKey(addKey(tree.node(), "ANGLE"), "NESTED");
    runEverySlot(tree.node(), 0.01);
  }
}

TEST(Robustness, RadiiAndAnglesThatAreNotNumbers) {
  for (double bad : {nan, inf, -inf, 1e308, -1e308}) {
    for (const char* key : {"CIRCLE", "ELLIPSE", "ELLIPSEARC"}) {
      metaObjectC tree = ownedTree(key);
      addPoint(tree.node(), bad, 0);
      addNumber(tree.node(), "RAD", bad);
      addNumber(tree.node(), "RAD1", bad);
      addNumber(tree.node(), "RAD2", 1);
      addNumber(tree.node(), "ANGLE", bad);
      addNumber(tree.node(), "ANGLE1", 0);
      addNumber(tree.node(), "ANGLE2", bad);
      runEverySlot(tree.node(), 0.01);
    }
    metaObjectC arc = ownedTree("ARC");
    addPoint(arc.node(), bad, 0);
    addPoint(arc.node(), 0, 1);
    addPoint(arc.node(), -1, bad);
    runEverySlot(arc.node(), 0.01);
  }
}

TEST(Robustness, HugeParameterSpansStopAtTheSampleLimit) {
  metaObjectC tree = ownedTree("ELLIPSEARC");
  addPoint(tree.node(), 0, 0);
  addNumber(tree.node(), "RAD1", 2);
  addNumber(tree.node(), "RAD2", 1);
  addNumber(tree.node(), "ANGLE", 0);
  addNumber(tree.node(), "ANGLE1", -1e300);
  addNumber(tree.node(), "ANGLE2", 1e300);
  pointListC points;
  mBaseEllipseArc2dC arc(tree.node());
  arc.getPoints(points, 1);
  // Where t + h == t the sum no longer moves: it stops there and closes.
  EXPECT_EQ(points.size(), 2u);
  arc.getPoints(points, 1e303);
  EXPECT_GE(points.size(), 2u);
}

TEST(Robustness, AStepTooSmallForTheSpanEndsAtTheLimit) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 0, 0);
  addNumber(tree.node(), "RAD", 1);
  pointListC points;
  mBaseCircle2dC(tree.node()).getPoints(points, 1e-9);
  EXPECT_EQ(points.size(), kMaxSamples + 1);
  EXPECT_EQ(points.back().x, std::cos(2 * kPi));
}

TEST(Robustness, NegativeOrNotANumberStepsTakeTheDefaultStep) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 0, 0);
  addNumber(tree.node(), "RAD", 1);
  for (double step : {-0.5, nan, -inf}) {
    pointListC points;
    EXPECT_EQ(mBaseCircle2dC(tree.node()).getPoints(points, step), 74);
  }
  pointListC points;
  // An infinite step: the start, then the closing point.
  EXPECT_EQ(mBaseCircle2dC(tree.node()).getPoints(points, inf), 2);
}

}  // namespace
}  // namespace lorvane
