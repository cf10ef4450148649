#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/geometry/shapePlacement.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;


TEST(PlacementMatrices, RotationUsesDegreesTimesPiOver180) {
  const transformMatrixC m = rotationMatrix(30);
  const double a = degreesToRadiansMultiplyingFirst(30);
  EXPECT_EQ(m[0], std::cos(a));
  EXPECT_EQ(m[1], std::sin(a));
  EXPECT_EQ(m[2], 0.0);
  EXPECT_EQ(m[3], -std::sin(a));
  EXPECT_EQ(m[4], std::cos(a));
  EXPECT_EQ(m[5], 0.0);
  EXPECT_EQ(m[6], 0.0);
  EXPECT_EQ(m[7], 0.0);
  EXPECT_EQ(m[8], 1.0);
}

TEST(PlacementMatrices, RotationTurnsCounterClockwise) {
  const point2dC p = applyTransform(rotationMatrix(90), {1, 0});
  EXPECT_NEAR(p.x, 0, 1e-15);
  EXPECT_EQ(p.y, 1.0);
}

TEST(PlacementMatrices, TranslationIsTheIdentityWithTheOffsetInTheThirdRow) {
  const transformMatrixC m = translationMatrix(3, -4);
  const transformMatrixC expected{1, 0, 0, 0, 1, 0, 3, -4, 1};
  EXPECT_EQ(m, expected);
}

TEST(Placement, AFigureRotatedBy90AndMovedTo10_0PlacesItsLine) {
  metaObjectC items = ownedTree("FIGURITEMS");
  metaTreeC* line = addKey(items.node(), "LINE");
  addPoint(line, 1, 0);
  addPoint(line, 2, 0);
  transformAll(items.node(), rotationMatrix(90));
  transformAll(items.node(), translationMatrix(10, 0));
  EXPECT_NEAR(nthPoint(line, 0).x, 10, 1e-12);
  EXPECT_NEAR(nthPoint(line, 0).y, 1, 1e-12);
  EXPECT_NEAR(nthPoint(line, 1).x, 10, 1e-12);
  EXPECT_NEAR(nthPoint(line, 1).y, 2, 1e-12);
}

TEST(Placement, EveryKindOfItemMovesAndOthersAreLeftAlone) {
  metaObjectC items = ownedTree("FIGURITEMS");
  metaTreeC* circle = addKey(items.node(), "CIRCLE");
  addPoint(circle, 1, 1);
  addNumber(circle, "RAD", 2);
  metaTreeC* attr = addKey(items.node(), "SHAPEATTR");
  addPoint(attr, 1, 1);
  metaTreeC* text = addKey(items.node(), "TEXT");
  addPoint(text, 5, 5);
  addNumber(text, "HEIGHT", 2.5);
  transformAll(items.node(), translationMatrix(1, 2));
  expectNthPoint(circle, 0, 2.0, 3.0);
  EXPECT_EQ(nthPoint(attr, 0).x, 1.0);
  EXPECT_EQ(nthPoint(text, 0).x, 6.0);
  EXPECT_EQ(numberOf(text, "HEIGHT"), 2.5);
}

TEST(Placement, ScaleAllScalesAndAFactorOfZeroDoesNothing) {
  metaObjectC items = ownedTree("FIGURITEMS");
  metaTreeC* circle = addKey(items.node(), "CIRCLE");
  addPoint(circle, 1, 1);
  addNumber(circle, "RAD", 2);
  scaleAll(items.node(), 0);
  EXPECT_EQ(numberOf(circle, "RAD"), 2.0);
  scaleAll(items.node(), 3);
  EXPECT_EQ(numberOf(circle, "RAD"), 6.0);
  EXPECT_EQ(nthPoint(circle, 0).y, 3.0);
  scaleAll(nullptr, 2);
  transformAll(nullptr, rotationMatrix(1));
}

TEST(Placement, ChainFormsStartAtTheGivenNode) {
  metaObjectC items = ownedTree("FIGURITEMS");
  metaTreeC* first = addKey(items.node(), "SPOINT");
  addPoint(first, 1, 0);
  metaTreeC* second = addKey(items.node(), "SPOINT");
  addPoint(second, 2, 0);
  scaleChain(second, 2);
  EXPECT_EQ(nthPoint(first, 0).x, 1.0);
  EXPECT_EQ(nthPoint(second, 0).x, 4.0);
  transformChain(first, translationMatrix(1, 0));
  EXPECT_EQ(nthPoint(first, 0).x, 2.0);
  EXPECT_EQ(nthPoint(second, 0).x, 5.0);
}

}  // namespace
}  // namespace lorvane
