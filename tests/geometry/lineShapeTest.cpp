#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/geometry/shapeLine.h"
#include "testTrees.h"

namespace lorvane {
namespace {

using namespace test;

TEST(LineShape, LengthIsTheDistanceOfItsEnds) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 1, 2);
  addPoint(tree.node(), 4, 6);
  EXPECT_EQ(mBaseLine2dC(tree.node()).getLength(), 5.0);
}

TEST(LineShape, CoincidentEndsGiveLengthZeroAndAPointBox) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 3, -2);
  addPoint(tree.node(), 3, -2);
  mBaseLine2dC line(tree.node());
  EXPECT_EQ(line.getLength(), 0.0);
  point2dC c[4];
  EXPECT_EQ(line.getBoundingBox(c[0], c[1], c[2], c[3]), 1);
  for (const point2dC& p : c) {
    EXPECT_EQ(p.x, 3.0);
    EXPECT_EQ(p.y, -2.0);
  }
}

TEST(LineShape, ReadingAnEmptyLineLeavesTwoEmptyPointKeys) {
  metaObjectC tree = ownedTree("LINE");
  EXPECT_EQ(mBaseLine2dC(tree.node()).getLength(), 0.0);
  const auto kids = children(tree.node());
  ASSERT_EQ(kids.size(), 2u);
  for (metaTreeC* k : kids) {
    EXPECT_EQ(keyOf(k), "POINT");
    EXPECT_EQ(k->firstChild(), nullptr);
  }
}

TEST(LineShape, BoxCornersGoAroundFromTheMinimum) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 5, -1);
  addPoint(tree.node(), -2, 7);
  point2dC c[4];
  mBaseLine2dC(tree.node()).getBoundingBox(c[0], c[1], c[2], c[3]);
  EXPECT_EQ(c[0].x, -2.0);
  EXPECT_EQ(c[0].y, -1.0);
  EXPECT_EQ(c[1].x, 5.0);
  EXPECT_EQ(c[1].y, -1.0);
  EXPECT_EQ(c[2].x, 5.0);
  EXPECT_EQ(c[2].y, 7.0);
  EXPECT_EQ(c[3].x, -2.0);
  EXPECT_EQ(c[3].y, 7.0);
}

TEST(LineShape, OnEqualCoordinatesTheBoxTakesTheEndPoints) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 0.0, 0.0);
  addPoint(tree.node(), -0.0, -0.0);
  point2dC c[4];
  mBaseLine2dC(tree.node()).getBoundingBox(c[0], c[1], c[2], c[3]);
  for (const point2dC& p : c) {
    EXPECT_TRUE(std::signbit(p.x));
    EXPECT_TRUE(std::signbit(p.y));
  }
}

TEST(LineShape, GetPointsYieldsBothEndsWhateverTheStep) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 1, 1);
  addPoint(tree.node(), 2, 3);
  mBaseLine2dC line(tree.node());
  for (double step : {0.0, 0.01, 1.0, -1.0, 1e-300}) {
    pointListC points{{9, 9}};
    EXPECT_EQ(line.getPoints(points, step), 2);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].x, 1.0);
    EXPECT_EQ(points[1].y, 3.0);
  }
}

TEST(LineShape, ScaleMultipliesBothPointsAboutTheOrigin) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 1, -2);
  addPoint(tree.node(), 3, 4);
  EXPECT_EQ(mBaseLine2dC(tree.node()).scale(2.5), 1);
  expectNthPoint(tree.node(), 0, 2.5, -5.0);
  expectNthPoint(tree.node(), 1, 7.5, 10.0);
}

TEST(LineShape, TransformMapsRowVectorsWithTheTranslationInTheThirdRow) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 1, 0);
  addPoint(tree.node(), 0, 2);
  // Rows (0, 1, 0), (-1, 0, 0), (5, 0, 1).
  EXPECT_EQ(mBaseLine2dC(tree.node()).transform({0, 1, 0, -1, 0, 0, 5, 0, 1}), 1);
  expectNthPoint(tree.node(), 0, 5.0, 1.0);
  expectNthPoint(tree.node(), 1, 3.0, 0.0);
}

TEST(LineShape, TheThirdColumnOfTheMatrixIsIgnored) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 2, 3);
  addPoint(tree.node(), 2, 3);
  mBaseLine2dC(tree.node()).transform({1, 0, 7, 0, 1, 7, 0, 0, 7});
  expectNthPoint(tree.node(), 0, 2.0, 3.0);
}

TEST(LineShape, EndPointsReverseAndSetEndPoints) {
  metaObjectC tree = ownedTree("LINE");
  addPoint(tree.node(), 1, 2);
  addPoint(tree.node(), 3, 4);
  mBaseLine2dC line(tree.node());
  point2dC s, e;
  EXPECT_EQ(line.getEndPoints(s, e), 1);
  EXPECT_EQ(s.x, 1.0);
  EXPECT_EQ(e.y, 4.0);
  EXPECT_EQ(line.reverse(), 1);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, 3.0);
  EXPECT_EQ(nthPoint(tree.node(), 1).x, 1.0);
  EXPECT_EQ(line.setEndPoints({7, 8}, {9, 10}), 1);
  EXPECT_EQ(nthPoint(tree.node(), 0).y, 8.0);
  EXPECT_EQ(nthPoint(tree.node(), 1).y, 10.0);
  EXPECT_EQ(children(tree.node()).size(), 2u);
}

TEST(LineShape, PointsAreCountedAmongPointKeysOnly) {
  metaObjectC tree = ownedTree("LINE");
  addNumber(tree.node(), "WIDTH", 3);
  addPoint(tree.node(), 1, 1);
  addKey(tree.node(), "SHAPEATTR");
  addPoint(tree.node(), 1, 5);
  EXPECT_EQ(mBaseLine2dC(tree.node()).getLength(), 4.0);
}

TEST(LineShape, APointWithOneOrThreeNumbersReadsAsOrigin) {
  metaObjectC tree = ownedTree("LINE");
  metaTreeC* one = addKey(tree.node(), "POINT");
  addNumberNode(one, 3);
  metaTreeC* three = addKey(tree.node(), "POINT");
  addNumberNode(three, 3);
  addNumberNode(three, 4);
  addNumberNode(three, 5);
  mBaseLine2dC line(tree.node());
  EXPECT_EQ(line.getLength(), 0.0);
  // Writing replaces whatever the key held.
  line.scale(2);
  EXPECT_EQ(numbersOf(one).size(), 2u);
  EXPECT_EQ(numbersOf(three).size(), 2u);
}

}  // namespace
}  // namespace lorvane
