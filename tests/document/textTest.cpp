#include <gtest/gtest.h>

#include "lorvane/document/m2dShapes.h"
#include "lorvane/geometry/shapePlacement.h"
#include "lorvane/metatree/metaRegistry.h"
#include "documentTrees.h"

namespace lorvane {
namespace {

using namespace test;

metaObjectC textTree() {
  metaObjectC tree = ownedTree("TEXT");
  addPoint(tree.node(), 2, 3);
  addStringNode(addKey(tree.node(), "TEXT"), "Hello");
  addNumber(tree.node(), "HEIGHT", 3.5);
  addNumber(tree.node(), "ANGLE", 15);
  return tree;
}

TEST(TextItem, IsRegisteredAsAShape) {
  EXPECT_NE(dynamic_cast<m2dTextC*>(static_cast<mBaseShape2dC*>(shapeRegistry().findInterface("TEXT"))), nullptr);
}

TEST(TextItem, AccessorsReadItsMembers) {
  metaObjectC tree = textTree();
  m2dTextC text(tree.node());
  EXPECT_EQ(text.getPosition().x, 2.0);
  EXPECT_EQ(text.getText().view(), "Hello");
  EXPECT_EQ(text.getHeight(), 3.5);
  EXPECT_EQ(text.getAngle(), 15.0);
}

TEST(TextItem, TransformMovesOnlyTheAnchor) {
  metaObjectC tree = textTree();
  EXPECT_EQ(mBaseShape2dC(tree.node()).transform({0, 1, 0, -1, 0, 0, 5, 0, 1}), 1);
  expectNthPoint(tree.node(), 0, 5 - 3.0, 2.0);
  EXPECT_EQ(numberOf(tree.node(), "HEIGHT"), 3.5);
  EXPECT_EQ(numberOf(tree.node(), "ANGLE"), 15.0);
}

TEST(TextItem, HasNoScaleLengthOrBoxOfItsOwn) {
  metaObjectC tree = textTree();
  mBaseShape2dC shape(tree.node());
  EXPECT_EQ(shape.scale(2), 0);
  EXPECT_EQ(nthPoint(tree.node(), 0).x, 2.0);
  EXPECT_EQ(numberOf(tree.node(), "HEIGHT"), 3.5);
  EXPECT_EQ(shape.getLength(), 0.0);
  point2dC c[4];
  EXPECT_EQ(shape.getBoundingBox(c[0], c[1], c[2], c[3]), 0);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(shape.toLinesAndArcs(0.01, 0.0001, out.node()), 0);
}

TEST(DocumentShapes, TheFigureViewsOfLinesArcsAndCirclesAreTheShapes) {
  metaObjectC root = ownedTree("ROOT");
  metaTreeC* line = addLine(root.node(), {0, 0}, {3, 4});
  metaTreeC* circle = addCircle(root.node(), {1, 1}, 2);
  metaTreeC* arc = addKey(root.node(), "ARC");
  addPoint(arc, 1, 0);
  addPoint(arc, 0, -1);
  addPoint(arc, -1, 0);
  EXPECT_EQ(m2dLineC(line).getLength(), 5.0);
  EXPECT_EQ(m2dCircleC(circle).getRadius(), 2.0);
  EXPECT_EQ(m2dArcC(arc).getSense(), 1);
  EXPECT_EQ(m2dArcC(arc).getWriterAngles().to, 360.0);
  m2dLineC view(line);
  mBaseShape2dC& asShape = view;
  EXPECT_EQ(asShape.getLength(), 5.0);
}

}  // namespace
}  // namespace lorvane
