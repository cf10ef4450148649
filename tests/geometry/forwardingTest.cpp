#include <gtest/gtest.h>

#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeLine.h"
#include "lorvane/metatree/metaRegistry.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

TEST(ShapeForwarding, ABaseViewOfACircleAnswersAsTheCircle) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 1, 1);
  addNumber(tree.node(), "RAD", 1.5);
  EXPECT_EQ(mBaseShape2dC(tree.node()).getLength(), mBaseCircle2dC(tree.node()).getLength());
  EXPECT_EQ(mBaseShape2dC(tree.node()).getLength(), (1.5 + 1.5) * kPi);
  pointListC viaBase, direct;
  mBaseShape2dC(tree.node()).getPoints(viaBase, 0.2);
  mBaseCircle2dC(tree.node()).getPoints(direct, 0.2);
  EXPECT_EQ(viaBase.size(), direct.size());
  EXPECT_EQ(viaBase.back().x, direct.back().x);
}

TEST(ShapeForwarding, EverySlotReachesTheLineClass) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 0, 0);
  addPoint(tree.node(), 3, 4);
  mBaseShape2dC shape(tree.node());
  EXPECT_EQ(shape.getLength(), 5.0);
  point2dC c[4];
  EXPECT_EQ(shape.getBoundingBox(c[0], c[1], c[2], c[3]), 1);
  EXPECT_EQ(c[2].y, 4.0);
  pointListC points;
  EXPECT_EQ(shape.getPoints(points, 0), 2);
  point2dC s, e;
  EXPECT_EQ(shape.getEndPoints(s, e), 1);
  EXPECT_EQ(e.x, 3.0);
  EXPECT_EQ(shape.reverse(), 1);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, 3.0);
  EXPECT_EQ(shape.setEndPoints({1, 1}, {2, 2}), 1);
  EXPECT_EQ(shape.scale(2), 1);
  EXPECT_EQ(nthPoint(tree.node(), 1).x, 4.0);
  EXPECT_EQ(shape.transform({1, 0, 0, 0, 1, 0, 1, 0, 1}), 1);
  EXPECT_EQ(nthPoint(tree.node(), 1).x, 5.0);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(shape.toLinesAndArcs(0.01, 0.0001, out.node()), 1);
}

TEST(ShapeForwarding, AnUnregisteredKeyDoesNothingAnywhere) {
  metaObjectC tree = ownedTree("SPLINE");
  addPoint(tree.node(), 1, 2);
  mBaseShape2dC shape(tree.node());
  EXPECT_EQ(shape.getLength(), 0.0);
  point2dC c[4] = {{9, 9}, {9, 9}, {9, 9}, {9, 9}};
  EXPECT_EQ(shape.getBoundingBox(c[0], c[1], c[2], c[3]), 0);
  EXPECT_EQ(c[0].x, 9.0);
  EXPECT_EQ(shape.transform({2, 0, 0, 0, 2, 0, 0, 0, 1}), 0);
  pointListC points;
  EXPECT_EQ(shape.getPoints(points, 0), 0);
  EXPECT_EQ(shape.scale(3), 0);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(shape.toLinesAndArcs(0.01, 0.0001, out.node()), 0);
  EXPECT_EQ(out.node()->firstChild(), nullptr);
  point2dC s{9, 9}, e{9, 9};
  EXPECT_EQ(shape.getEndPoints(s, e), 0);
  EXPECT_EQ(shape.setEndPoints({0, 0}, {0, 0}), 0);
  EXPECT_EQ(shape.reverse(), 0);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, 1.0);
  EXPECT_EQ(children(tree.node()).size(), 1u);
}

TEST(ShapeForwarding, ANodeThatIsNoKeyOrNoNodeDoesNothing) {
  metaValueC number;
  number.setNumber(4);
  metaTreeC* value = metaTreeC::createValueNode(number);
  metaObjectC owner(value, true);
  EXPECT_EQ(mBaseShape2dC(value).getLength(), 0.0);
  EXPECT_EQ(mBaseShape2dC(value).scale(2), 0);
  EXPECT_EQ(mBaseShape2dC().getLength(), 0.0);
  pointListC points;
  EXPECT_EQ(mBaseShape2dC().getPoints(points, 0), 0);
  EXPECT_EQ(mBaseShape2dC().toLinesAndArcs(0.01, 0.0001, nullptr), 0);
}

TEST(ShapeForwarding, ThePrototypeIsBoundBackAfterEachCall) {
  metaObjectC tree = ownedTree("CIRCLE");
  addNumber(tree.node(), "RAD", 1);
  metaObjectC* proto = shapeRegistry().findInterface("CIRCLE");
  ASSERT_NE(proto, nullptr);
  EXPECT_EQ(proto->node(), nullptr);
  mBaseShape2dC(tree.node()).getLength();
  EXPECT_EQ(proto->node(), nullptr);
  // Also when the call nests: toLinesAndArcs forwards and then samples.
  metaObjectC out = ownedTree("OUT");
  mBaseShape2dC(tree.node()).toLinesAndArcs(0.01, 0.0001, out.node());
  EXPECT_EQ(proto->node(), nullptr);
  EXPECT_EQ(shapeRegistry().findInterface("ICRV2D")->node(), nullptr);
}

TEST(ShapeForwarding, ASubclassViewOfAnotherKeyForwardsToThatKeysClass) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 0, 0);
  addPoint(tree.node(), 0, 2);
  // A circle view bound to a line node: its own slots read circle members,
  // but the shared conversion goes by the node's class.
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(mBaseCircle2dC(tree.node()).toLinesAndArcs(0.01, 0.0001, out.node()), 1);
  ASSERT_NE(out.node()->firstChild(), nullptr);
  EXPECT_EQ(keyOf(out.node()->firstChild()), "LINE");
}

}  // namespace
}  // namespace lorvane
