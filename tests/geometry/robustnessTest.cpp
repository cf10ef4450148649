// Shapes are read from whatever a host hands over: every operation has to end,
// and end without harm, on members that are missing, of the wrong kind or not
// numbers at all.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "lorvane/geometry/curveSampling.h"
#include "lorvane/geometry/shapeArc.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeEllipse.h"
#include "lorvane/geometry/pointList.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

// What every operation of a shape's class gives, in the order they run.
struct slotResultsC {
  double length = 0;
  point2dC box[4];
  pointListC points;
  // What toLinesAndArcs adds: straight pieces, those of them from the
  // origin to the origin, and arcs.
  std::size_t lines = 0, linesAtOrigin = 0, arcs = 0;
  point2dC start, end;
  std::string members;  // the shape's member keys after every operation
};

std::string memberKeys(metaTreeC* node) {
  std::string keys;
  for (metaTreeC* child = node->firstChild(); child; child = child->next()) {
    keys += child->isKey() ? std::string(child->value().text().view()) + " " : std::string("value ");
  }
  return keys;
}

slotResultsC runEverySlot(metaTreeC* node, double step) {
  slotResultsC r;
  const std::string before = memberKeys(node);
  mBaseShape2dC shape(node);
  r.length = shape.getLength();
  shape.getBoundingBox(r.box[0], r.box[1], r.box[2], r.box[3]);
  shape.getPoints(r.points, step);
  EXPECT_LE(r.points.size(), kMaxSamples + 1);
  metaObjectC out = ownedTree("OUT");
  shape.toLinesAndArcs(step, 0.0001, out.node());
  for (metaTreeC* piece = out.node()->firstChild(); piece; piece = piece->next()) {
    r.arcs += piece->hasKey("ARC");
    if (!piece->hasKey("LINE")) continue;
    ++r.lines;
    const pointListC ends = readPointChildren(piece);
    r.linesAtOrigin += ends.size() == 2 && ends[0].x == 0 && ends[0].y == 0 && ends[1].x == 0 && ends[1].y == 0;
  }
  shape.getEndPoints(r.start, r.end);
  shape.setEndPoints(r.start, r.end);
  shape.reverse();
  shape.transform({nan, 0, 0, 0, 1, 0, inf, 0, 1});
  shape.scale(nan);
  r.members = memberKeys(node);
  return r;
}

// A shape that reads every member as its default, 0: no length, every point,
// corner and end at the origin, and the straight pieces of its samples, if
// any, from the origin to the origin.
void expectEverythingAtTheOrigin(const slotResultsC& r, const char* key) {
  EXPECT_EQ(r.length, 0.0) << key;
  for (const point2dC& corner : r.box) EXPECT_TRUE(corner.x == 0 && corner.y == 0) << key;
  for (const point2dC& p : r.points) ASSERT_TRUE(p.x == 0 && p.y == 0) << key;
  EXPECT_TRUE(r.start.x == 0 && r.start.y == 0 && r.end.x == 0 && r.end.y == 0) << key;
  EXPECT_EQ(r.linesAtOrigin, r.lines) << key;
  EXPECT_EQ(r.arcs, 0u) << key;
}

// Samples at the default step of 5 degrees over a full turn: 73 by the
// running sum, then the closing one. A line has its two ends, a point one;
// an arc through three equal points, an elliptic arc from 0 to 0 degrees, a
// curve without points and a text have none.
TEST(Robustness, EmptyShapesOfEveryClass) {
  const struct {
    const char* key;
    std::size_t points;
  } classes[] = {{"SPOINT", 1}, {"LINE", 2}, {"ARC", 0},    {"CIRCLE", 74},
                 {"ELLIPSE", 74}, {"ELLIPSEARC", 0}, {"ICRV2D", 0}, {"TEXT", 0}};
  for (const auto& c : classes) {
    metaObjectC tree = ownedTree(c.key);
    const slotResultsC r = runEverySlot(tree.node(), 0);
    EXPECT_EQ(r.points.size(), c.points) << c.key;
    expectEverythingAtTheOrigin(r, c.key);
  }
}

// Members of the wrong kind read as their defaults: the shape behaves as the
// empty one, and keeps the members it was given.
TEST(Robustness, MembersOfTheWrongKind) {
  for (const char* key : {"CIRCLE", "ELLIPSE", "ELLIPSEARC", "ARC", "LINE"}) {
    metaObjectC tree = ownedTree(key);
    metaTreeC* point = addKey(tree.node(), "POINT");
    addStringNode(point, "x");
    addStringNode(point, "y");
    addStringNode(addKey(tree.node(), "RAD"), "big");
    addStringNode(addKey(tree.node(), "RAD1"), "big");
    addKey(addKey(tree.node(), "ANGLE"), "NESTED");
    const slotResultsC r = runEverySlot(tree.node(), 0.01);
    metaObjectC empty = ownedTree(key);
    const slotResultsC defaults = runEverySlot(empty.node(), 0.01);
    EXPECT_EQ(r.points.size(), defaults.points.size()) << key;
    EXPECT_EQ(r.lines, defaults.lines) << key;
    expectEverythingAtTheOrigin(r, key);
    EXPECT_EQ(r.members.rfind("POINT RAD RAD1 ANGLE ", 0), 0u) << key << ": " << r.members;
  }
}

// Values that are not numbers, or are too large to compute with, give no
// fewer and no more samples: a full turn at the step of 0.01 is 629 samples
// by the running sum and the closing one, joined by 629 straight pieces.
// No operation adds or drops a member.
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
      const slotResultsC r = runEverySlot(tree.node(), 0.01);
      EXPECT_EQ(r.members, "POINT RAD RAD1 RAD2 ANGLE ANGLE1 ANGLE2 ") << key << " " << bad;
      EXPECT_GE(r.points.size(), 1u) << key << " " << bad;
      if (std::string(key) != "ELLIPSEARC") {
        EXPECT_EQ(r.points.size(), 630u) << key << " " << bad;
        EXPECT_EQ(r.lines, 629u) << key << " " << bad;
      }
    }
    metaObjectC arc = ownedTree("ARC");
    addPoint(arc.node(), bad, 0);
    addPoint(arc.node(), 0, 1);
    addPoint(arc.node(), -1, bad);
    const slotResultsC r = runEverySlot(arc.node(), 0.01);
    EXPECT_EQ(r.members, "POINT POINT POINT ") << bad;
    // No circle passes through the points: the arc's ends are its first
    // and last point, as given.
    EXPECT_TRUE(r.start.x == bad || (std::isnan(bad) && std::isnan(r.start.x))) << bad;
    EXPECT_EQ(r.end.x, -1.0) << bad;
  }
}

TEST(Robustness, HugeParameterSpansStopAtTheSampleLimit) {
  metaObjectC tree = ellipseTree("ELLIPSEARC", {0, 0}, 2, 1, 0);
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
