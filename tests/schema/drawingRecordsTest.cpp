#include "lorvane/schema/drawingRecords.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "lorvane/document/m2dShapes.h"
#include "requestTrees.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane {
namespace {

TEST(DrawingRecords, AnAbsentMemberReadsEmptyAndIsAddedAsAnEmptyKey) {
  metaObjectC tree = testing::treeFromText(R"(FIGURE{NAME{"F"}})");
  figureRecordC figure(tree.node());
  EXPECT_EQ(figure.name(), "F");
  EXPECT_EQ(figure.shortName(), "");
  metaTreeC* added = tree.findChild("SHORTNAME");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->firstChild(), nullptr);
  EXPECT_EQ(figure.viewNumber(), 0);
  EXPECT_EQ(insertPointRecordC(figure.insertPoint()).rotation(), 0.0);
}

TEST(DrawingRecords, MembersOfAnotherKindReadAsTheirDefaults) {
  metaObjectC tree = testing::treeFromText(R"(FIGURE{NAME{12} ANSICHTNO{"3"} SHORTNAME{X}})");
  figureRecordC figure(tree.node());
  EXPECT_EQ(figure.name(), "");
  EXPECT_EQ(figure.viewNumber(), 0);
  EXPECT_EQ(figure.shortName(), "");
}

TEST(DrawingRecords, OnlyTheExactUpperCaseYesSetsAFlag) {
  metaObjectC tree = testing::treeFromText(R"(FIGURE{GROUP{"yes"} CUTOUT{HIDDEN{"YES"} DASH{"Yes"}}})");
  figureRecordC figure(tree.node());
  EXPECT_FALSE(figure.isGroup());
  EXPECT_TRUE(figure.cutout().hidden());
  EXPECT_FALSE(figure.cutout().dashed());
}

TEST(DrawingRecords, APointNeedsExactlyTwoNumbers) {
  metaObjectC one = testing::treeFromText(R"(INSERTPOINT{POINT{5}})");
  EXPECT_EQ(insertPointRecordC(one.node()).point(), (point2dC{0, 0}));
  metaObjectC three = testing::treeFromText(R"(INSERTPOINT{POINT{1,2,3}})");
  EXPECT_EQ(insertPointRecordC(three.node()).point(), (point2dC{0, 0}));
  metaObjectC two = testing::treeFromText(R"(INSERTPOINT{POINT{1.5,-2}})");
  EXPECT_EQ(insertPointRecordC(two.node()).point(), (point2dC{1.5, -2}));
}

TEST(DrawingRecords, TheFigureListSkipsOtherKeys) {
  metaObjectC tree = testing::treeFromText(R"(DRAWING{DRAWINGITEMS{FIGURE{NAME{"a"}} NOTE{} FIGURE{NAME{"b"}}}})");
  drawingRecordC drawing(tree.node());
  keyedListViewC figures = drawing.figures();
  EXPECT_EQ(figures.count(), 2u);
  metaTreeC* items = tree.findChild("DRAWINGITEMS");
  EXPECT_EQ(figures.at(1), items->firstChild()->next()->next());
  EXPECT_EQ(figures.at(2), nullptr);
}

TEST(DrawingRecords, AFigureAddedBetweenTwoReadsIsSeen) {
  metaObjectC tree = testing::treeFromText(R"(DRAWING{DRAWINGITEMS{FIGURE{}}})");
  drawingRecordC drawing(tree.node());
  keyedListViewC figures = drawing.figures();
  EXPECT_EQ(figures.count(), 1u);
  metaObjectC(tree.findChild("DRAWINGITEMS")).addChild("FIGURE");
  EXPECT_EQ(figures.count(), 2u);
  EXPECT_NE(figures.at(1), nullptr);
}

TEST(DrawingRecords, PlacingRotatesAboutTheOriginThenMoves) {
  metaObjectC tree = testing::treeFromText(R"(FIGURE{INSERTPOINT{POINT{10,0} ROTATION{90}} FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}}})");
  figureRecordC figure(tree.node());
  insertPointRecordC placement = figure.insertPoint();
  figureItemsRecordC items = figure.items();
  items.rotate(placement.rotation());
  items.translate(placement.point());
  m2dLineC line(items.firstItem());
  EXPECT_NEAR(line.getStartPoint().x, 10, 1e-12);
  EXPECT_NEAR(line.getStartPoint().y, 1, 1e-12);
  EXPECT_NEAR(line.getEndPoint().x, 10, 1e-12);
  EXPECT_NEAR(line.getEndPoint().y, 2, 1e-12);
}

TEST(DrawingRecords, PlacingInOneWalkGivesTheBitsOfTwoWalks) {
  const char* text = R"(FIGURITEMS{LINE{POINT{1.1,0.3} POINT{2.7,-5}} ARC{POINT{1,0} POINT{0,1} POINT{-1,0}}
      CIRCLE{POINT{3.3,4.4} RAD{2}} TEXT{POINT{0.1,0.2}} ELLIPSE{POINT{1,1} RAD1{3} RAD2{2} ANGLE{10}} NOTE{}})";
  metaObjectC one = testing::treeFromText(text);
  metaObjectC two = testing::treeFromText(text);
  figureItemsRecordC(one.node()).place(33.3, {10.25, -7.5});
  figureItemsRecordC(two.node()).rotate(33.3);
  figureItemsRecordC(two.node()).translate({10.25, -7.5});
  std::vector<double> a, b;
  for (const metaObjectC* tree : {&one, &two}) {
    std::vector<double>& out = tree == &one ? a : b;
    std::vector<metaTreeC*> stack{tree->node()};
    while (!stack.empty()) {
      metaTreeC* n = stack.back();
      stack.pop_back();
      if (n->value().isNumber()) out.push_back(n->value().number());
      for (metaTreeC* c = n->firstChild(); c; c = c->next()) stack.push_back(c);
    }
  }
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(std::memcmp(&a[i], &b[i], sizeof(double)), 0) << i;
}

TEST(DrawingRecords, AnAttributeRecordReadsItsIntegers) {
  metaObjectC tree = testing::treeFromText(R"(SHAPEATTR{SHAPEWIDTH{3.9} SHAPETYP{-4.2} METALINETYPE{1e300}})");
  shapeAttributesRecordC attributes(tree.node());
  EXPECT_EQ(attributes.width(), 3);
  EXPECT_EQ(attributes.type(), -4);
  EXPECT_EQ(attributes.metaLineType(), INT32_MIN);
  EXPECT_EQ(attributes.cosmetic(), 0);
}

TEST(DrawingRecords, InputIdentityIsTheExactKey) {
  metaObjectC drawing = testing::treeFromText("DRAWING");
  metaObjectC figure = testing::treeFromText("FIGURE");
  metaObjectC lower = testing::treeFromText("figure");
  EXPECT_TRUE(isDrawingNode(drawing.node()));
  EXPECT_TRUE(isFigureNode(figure.node()));
  EXPECT_FALSE(isFigureNode(lower.node()));
  EXPECT_FALSE(isDrawingNode(nullptr));
}

}  // namespace
}  // namespace lorvane
