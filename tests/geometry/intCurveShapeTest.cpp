#include <gtest/gtest.h>

#include "lorvane/geometry/shapeIntCurve.h"
#include "lorvane/metatree/metaKeyContainer.h"
#include "testTrees.h"

namespace lorvane {
namespace {

using namespace test;

TEST(IntCurveShape, GetPointsReturnsItsOwnPointsAndIgnoresTheStep) {
  metaObjectC tree = ownedTree("ICRV2D");
  addPoint(tree.node(), 1, 2);
  addKey(tree.node(), "SHAPEATTR");
  addPoint(tree.node(), 3, 4);
  addPoint(tree.node(), 5, 6);
  pointListC points;
  EXPECT_EQ(mBaseIntCrv2dC(tree.node()).getPoints(points, 0.0), 3);
  ASSERT_EQ(points.size(), 3u);
  EXPECT_EQ(points[1].x, 3.0);
  EXPECT_EQ(points[2].y, 6.0);
  pointListC again;
  EXPECT_EQ(mBaseIntCrv2dC(tree.node()).getPoints(again, 123.0), 3);
}

TEST(IntCurveShape, ScaleAndTransformMoveEveryPoint) {
  metaObjectC tree = ownedTree("ICRV2D");
  for (int k = 0; k < 5; ++k) addPoint(tree.node(), k, -k);
  mBaseIntCrv2dC curve(tree.node());
  EXPECT_EQ(curve.scale(2), 1);
  EXPECT_EQ(curve.transform({1, 0, 0, 0, 1, 0, 1, 1, 1}), 1);
  for (int k = 0; k < 5; ++k) {
    expectNthPoint(tree.node(), k, 2.0 * k + 1, -2.0 * k + 1);
  }
}

TEST(IntCurveShape, MalformedPointsReadAsTheOriginAsEverywhere) {
  metaObjectC tree = ownedTree("ICRV2D");
  addNumberNode(addKey(tree.node(), "POINT"), 1);  // one number
  metaTreeC* three = addKey(tree.node(), "POINT");
  for (double v : {1.0, 2.0, 3.0}) addNumberNode(three, v);
  metaTreeC* mixed = addKey(tree.node(), "POINT");  // a text among two numbers still counts as two
  addNumberNode(mixed, 4);
  addStringNode(mixed, "z");
  addNumberNode(mixed, 5);
  addKey(tree.node(), "POINT");  // empty
  pointListC points;
  mBaseIntCrv2dC(tree.node()).getPoints(points, 0);
  const auto keys = childrenWithKey(tree.node(), "POINT");
  ASSERT_EQ(points.size(), keys.size());
  for (std::size_t k = 0; k < keys.size(); ++k) {
    int valid = -1;
    const point2dC expected = mObjPoint2dC(keys[k]).getPoint(&valid);
    EXPECT_EQ(points[k].x, expected.x) << k;
    EXPECT_EQ(points[k].y, expected.y) << k;
  }
  EXPECT_EQ(points[2].x, 4.0);
  EXPECT_EQ(points[2].y, 5.0);
  EXPECT_EQ(points[1].x, 0.0);
}

TEST(IntCurveShape, HasNoLengthAndNoBox) {
  metaObjectC tree = ownedTree("ICRV2D");
  addPoint(tree.node(), 0, 0);
  addPoint(tree.node(), 3, 4);
  mBaseIntCrv2dC curve(tree.node());
  EXPECT_EQ(curve.getLength(), 0.0);
  point2dC c[4];
  EXPECT_EQ(curve.getBoundingBox(c[0], c[1], c[2], c[3]), 0);
}

}  // namespace
}  // namespace lorvane
