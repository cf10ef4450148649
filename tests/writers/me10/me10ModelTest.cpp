// The model on its own: parts, shared points, naming, numbering, pruning and
// the attribute rules.
#include <gtest/gtest.h>

#include "lorvane/writers/me10/me10Attributes.h"
#include "lorvane/writers/me10/me10Model.h"

namespace lorvane {
namespace {

TEST(ME10Part, PointsWithinTheToleranceAreShared) {
  ME10Model model;
  ME10Part& part = model.addPart();
  EXPECT_EQ(part.addPoint(1.0, 2.0), 0);
  EXPECT_EQ(part.addPoint(1.0 + 0.9e-10, 2.0 - 0.9e-10), 0);
  EXPECT_EQ(part.addPoint(1.0 + 2e-10, 2.0), 1);
  EXPECT_EQ(part.points().size(), 2u);
  EXPECT_EQ(part.points()[1].x, 1.0 + 2e-10);
}

TEST(ME10Part, ElementsRegisterTheirPointsInOrder) {
  ME10Model model;
  ME10Part& part = model.addPart();
  part.setAttributes({4, "0.350", "3", 1});
  EXPECT_EQ(part.addLine({0, 0}, {1, 0}), 0);
  EXPECT_EQ(part.addArc({1, 0}, {2, 0}, {1, 1}), 1);
  EXPECT_EQ(part.addCircle({1, 2}, 5), 2);
  EXPECT_EQ(part.addText("t", {9, 9}, 2.0, 45.0, 7), 0);
  ASSERT_EQ(part.points().size(), 6u);  // (0,0) (1,0) (2,0) (1,1) (1,2) (6,2)
  EXPECT_EQ(part.points()[4].x, 1.0);
  EXPECT_EQ(part.points()[5].x, 6.0);
  EXPECT_EQ(part.points()[5].y, 2.0);
  EXPECT_EQ(part.elements()[0].kind(), ME10Element::kLine);
  const ME10Element& arc = part.elements()[1];
  EXPECT_EQ(arc.kind(), ME10Element::kArc);
  EXPECT_EQ(arc.centre, 1);
  EXPECT_EQ(arc.first, 2);
  EXPECT_EQ(arc.second, 3);
  const ME10Element& circle = part.elements()[2];
  EXPECT_EQ(circle.kind(), ME10Element::kCircle);
  EXPECT_EQ(circle.centre, 4);
  EXPECT_EQ(circle.rim(), 5);
  // Every element took the part's attributes as they were when it was added.
  for (const ME10Element& element : part.elements()) {
    const ME10Attributes& attributes = part.attributes(element.attributes);
    EXPECT_EQ(attributes.layerIndex, 4);
    EXPECT_EQ(attributes.width, "0.350");
    EXPECT_EQ(attributes.colour, "3");
    EXPECT_EQ(attributes.lineType, 1);
  }
  ASSERT_EQ(part.texts().size(), 1u);
  EXPECT_EQ(part.texts()[0].text, "t");
  EXPECT_EQ(part.texts()[0].relativePosition, 7);
  EXPECT_EQ(part.attributes(part.texts()[0].attributes).colour, "3");
}

TEST(ME10Part, EachElementKeepsTheAttributesOfItsTimeWhenTheyChangeBackAndForth) {
  ME10Model model;
  ME10Part& part = model.addPart();
  part.addLine({0, 0}, {1, 0});
  part.setAttributes({1, "0.350", "3", 1});
  part.addLine({1, 0}, {2, 0});
  part.setAttributes({1, "0.350", "4", 1});
  part.addCircle({2, 0}, 1);
  part.setAttributes({1, "0.350", "3", 1});
  part.addArc({2, 0}, {3, 0}, {2, 1});
  part.addText("t", {0, 0}, 1, 0, 1);
  ASSERT_EQ(part.elements().size(), 4u);
  const auto colourOf = [&](const ME10Element& element) { return part.attributes(element.attributes).colour; };
  EXPECT_EQ(part.attributes(part.elements()[0].attributes).layerIndex, -1);  // never set: the defaults
  EXPECT_EQ(colourOf(part.elements()[0]), "");
  EXPECT_EQ(colourOf(part.elements()[1]), "3");
  EXPECT_EQ(colourOf(part.elements()[2]), "4");
  EXPECT_EQ(colourOf(part.elements()[3]), "3");
  EXPECT_EQ(part.attributes(part.texts()[0].attributes).colour, "3");
}

TEST(ME10Part, NamesLoseTheirTildesAndGetThePartNumber) {
  ME10Model model;
  ME10Part& part = model.addPart();
  part.setName("Plate~A", 2);
  EXPECT_EQ(part.name(), "Plate_A`~2");
  part.setName("", 17);
  EXPECT_EQ(part.name(), "`~17");
  model.setModelName("~a~~b");
  EXPECT_EQ(model.modelName(), "_a__b");
}

TEST(ME10Part, AssignNumbersCountsPointsElementsThenTexts) {
  ME10Model model;
  ME10Part& part = model.addPart();
  part.addLine({0, 0}, {1, 0});
  part.addText("a", {0, 0}, 1, 0, 0);
  part.addText("b", {0, 0}, 1, 0, 0);
  EXPECT_EQ(part.assignNumbers(10), 14);
  EXPECT_EQ(part.firstPointNumber(), 10);
  EXPECT_EQ(part.firstElementNumber(), 12);
  EXPECT_EQ(part.firstTextNumber(), 13);
  EXPECT_EQ(part.lastNumber(), 14);
}

TEST(ME10Part, EmptyRangesKeepMinusOne) {
  ME10Model model;
  ME10Part& texts = model.addPart();
  texts.addText("a", {0, 0}, 1, 0, 0);
  EXPECT_EQ(texts.assignNumbers(5), 5);
  EXPECT_EQ(texts.firstPointNumber(), -1);
  EXPECT_EQ(texts.firstElementNumber(), -1);
  EXPECT_EQ(texts.firstTextNumber(), 5);
  ME10Part& empty = model.addPart();
  EXPECT_EQ(empty.assignNumbers(5), 4);
  EXPECT_EQ(empty.firstPointNumber(), -1);
  EXPECT_EQ(empty.firstTextNumber(), -1);
}

TEST(ME10Model, LayersAreRegisteredOnceInOrderOfFirstUse) {
  ME10Model model;
  EXPECT_EQ(model.layerIndex("1"), 0);
  EXPECT_EQ(model.layerIndex(""), 1);
  EXPECT_EQ(model.layerIndex("Kontur"), 2);
  EXPECT_EQ(model.layerIndex("kontur"), 3);  // case counts
  EXPECT_EQ(model.layerIndex("1"), 0);
  EXPECT_EQ(model.layerIndex(std::string_view("Kontur\0x", 8)), 4);
  EXPECT_EQ(model.layers().size(), 5u);
}

TEST(ME10Model, PruningDropsEmptyPartsWhileAnotherRemains) {
  ME10Model model;
  model.addPart().setName("a", 1);
  model.addPart().setName("b", 2);
  model.parts()[1]->addPoint(0, 0);
  model.addPart().setName("c", 3);
  model.addPart().setName("d", 4);
  model.parts()[3]->addText("t", {0, 0}, 1, 0, 0);
  model.addPart().setName("e", 5);
  model.pruneParts();
  ASSERT_EQ(model.parts().size(), 2u);
  EXPECT_EQ(model.parts()[0]->name(), "b`~2");
  EXPECT_EQ(model.parts()[1]->name(), "d`~4");
}

TEST(ME10Model, PruningKeepsTheLastOfOnlyEmptyParts) {
  ME10Model model;
  for (int i = 1; i <= 4; ++i) model.addPart().setName("p", i);
  model.pruneParts();
  ASSERT_EQ(model.parts().size(), 1u);
  EXPECT_EQ(model.parts()[0]->name(), "p`~4");
}

TEST(ME10Model, NumberingLeavesRoomForTheAssemblies) {
  ME10Model model;
  model.layerIndex("1");
  model.layerIndex("2");
  ME10Part& a = model.addPart();
  a.addLine({0, 0}, {1, 0});
  ME10Part& b = model.addPart();
  b.addCircle({0, 0}, 1);
  b.addText("x", {0, 0}, 1, 0, 0);
  model.numberRecords();
  EXPECT_EQ(model.statusNumber(), 1);
  EXPECT_EQ(model.layerBase(), 2);
  EXPECT_EQ(model.firstAssemblyNumber(), 4);
  // Assemblies 4 and 5, the top assembly 6.
  EXPECT_EQ(a.firstPointNumber(), 7);
  EXPECT_EQ(a.firstElementNumber(), 9);
  EXPECT_EQ(a.lastNumber(), 9);
  EXPECT_EQ(b.firstPointNumber(), 10);
  EXPECT_EQ(b.firstElementNumber(), 12);
  EXPECT_EQ(b.firstTextNumber(), 13);
  EXPECT_EQ(model.lastNumber(), 13);
}

TEST(ME10Model, WithoutPartsTheLastNumberIsTheOneBeforeTheFirstAssembly) {
  ME10Model model;
  model.numberRecords();
  EXPECT_EQ(model.firstAssemblyNumber(), 2);
  EXPECT_EQ(model.lastNumber(), 1);
  model.layerIndex("x");
  model.numberRecords();
  EXPECT_EQ(model.lastNumber(), 2);
}

struct tablesC {
  ME10LayerNameTable layers{};
  ME10LineWidthTable widths{1, 1, 1, 1, 1, 1, 1, 1};
  ME10LineColorTable colours{7, 7, 7, 7, 7, 7, 7, 7};
  ME10AttributeChoice choose(std::int32_t t, std::int32_t c) const { return chooseAttributes(t, c, layers, widths, colours); }
};

TEST(ME10Attributes, WithoutSettingsLineTypeZeroIsLayerOne) {
  const tablesC tables;
  const ME10AttributeChoice a = tables.choose(0, 0);
  EXPECT_EQ(a.layerName, "1");
  EXPECT_EQ(a.width, "1.000");
  EXPECT_EQ(a.colour, "7");
  EXPECT_EQ(a.lineTypeCode, 0);
}

TEST(ME10Attributes, ACosmeticLineTypeTwoWithoutSettings) {
  const tablesC tables;
  const ME10AttributeChoice a = tables.choose(2, 1);
  EXPECT_EQ(a.layerName, "");  // entry 2 is empty, and so is the cosmetic entry
  EXPECT_EQ(a.width, "1.000");
  EXPECT_EQ(a.colour, "7");
  EXPECT_EQ(a.lineTypeCode, 1);
}

TEST(ME10Attributes, CosmeticShapesTakeEntrySevenUnlessLineTypeThree) {
  tablesC tables;
  tables.layers[3] = "Mitte";
  tables.layers[5] = "Punkt";
  tables.layers[7] = "Kosmetik";
  tables.colours[3] = 1;
  tables.colours[5] = 2;
  tables.colours[7] = 6;
  tables.widths[5] = 0.25;
  const ME10AttributeChoice cosmetic = tables.choose(5, 1);
  EXPECT_EQ(cosmetic.layerName, "Kosmetik");
  EXPECT_EQ(cosmetic.colour, "6");
  EXPECT_EQ(cosmetic.width, "0.250");  // the width is always the line type's own
  EXPECT_EQ(cosmetic.lineTypeCode, 4);
  const ME10AttributeChoice centre = tables.choose(3, 1);
  EXPECT_EQ(centre.layerName, "Mitte");
  EXPECT_EQ(centre.colour, "1");
  EXPECT_EQ(centre.lineTypeCode, 3);
  // Only 1 marks a shape as cosmetic.
  EXPECT_EQ(tables.choose(5, 2).layerName, "Punkt");
}

TEST(ME10Attributes, AnEmptyCosmeticLayerOrAColourOfMinusOneFallsBackToTheLineType) {
  tablesC tables;
  tables.layers[4] = "Strich";
  tables.colours[4] = 3;
  tables.colours[7] = -1;
  const ME10AttributeChoice a = tables.choose(4, 1);
  EXPECT_EQ(a.layerName, "Strich");
  EXPECT_EQ(a.colour, "3");
  // Line type 7 itself reads entry 7.
  EXPECT_EQ(tables.choose(7, 0).colour, "-1");
}

TEST(ME10Attributes, LineTypesOutsideTheTablesTakeFixedValues) {
  tablesC tables;
  tables.layers[0] = "never";
  tables.layers[8] = "never";
  for (std::int32_t t : {-1, 8, 100, INT32_MIN}) {
    const ME10AttributeChoice a = tables.choose(t, 0);
    EXPECT_EQ(a.layerName, "1") << t;
    EXPECT_EQ(a.width, "0") << t;
    EXPECT_EQ(a.colour, "7") << t;
    EXPECT_EQ(a.lineTypeCode, 0) << t;
  }
  EXPECT_EQ(tables.choose(0, 0).layerName, "1");
}

TEST(ME10Attributes, LineTypeCodes) {
  const std::int32_t expected[] = {0, 0, 1, 3, 3, 4, 4, 0, 0};
  for (std::int32_t t = 0; t <= 8; ++t) EXPECT_EQ(lineTypeCode(t), expected[t]) << t;
  EXPECT_EQ(lineTypeCode(-3), 0);
}

TEST(ME10Attributes, WidthsAreWrittenWithThreeDecimals) {
  tablesC tables;
  tables.widths[1] = 2.5;
  tables.widths[2] = 1e61;
  tables.widths[3] = -0.0005;
  EXPECT_EQ(tables.choose(1, 0).width, "2.500");
  EXPECT_EQ(tables.choose(2, 0).width, "1e+061");
  EXPECT_EQ(tables.choose(3, 0).width, "-0.001");
}

TEST(ME10Attributes, RelativePositionsSwapTheTopAndBottomRows) {
  const std::int32_t expected[] = {0, 7, 8, 9, 4, 5, 6, 1, 2, 3, 10};
  for (std::int32_t p = 0; p <= 10; ++p) EXPECT_EQ(mapRelativePosition(p), expected[p]) << p;
  EXPECT_EQ(mapRelativePosition(-1), -1);
}

}  // namespace
}  // namespace lorvane
