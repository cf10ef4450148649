#include <gtest/gtest.h>

#include "lorvane/document/m2dDrawing.h"
#include "lorvane/document/m2dFigure.h"
#include "documentTrees.h"

namespace lorvane {
namespace {

using namespace test;

struct inchFigure {
  metaObjectC root = ownedTree("ROOT");
  metaTreeC* figure;
  metaTreeC* line;
  metaTreeC* circle;
  metaTreeC* arc;
  metaTreeC* ellipse;
  metaTreeC* text;
  metaTreeC* hatchLine;

  explicit inchFigure(double unit) {
    figure = addFigure(root.node(), unit);
    metaTreeC* items = addKey(figure, "FIGURITEMS");
    line = addLine(items, {25.4, 50.8}, {0, -25.4});
    circle = addCircle(items, {25.4, 12.7}, 12.7);
    arc = addKey(items, "ARC");
    addPoint(arc, 10, 0);
    addPoint(arc, 0, 10);
    addPoint(arc, -10, 0);
    ellipse = addEllipse(items, {1, 2}, 30, 15);
    text = addKey(items, "TEXT");
    addPoint(text, 25.4, 25.4);
    addStringNode(addKey(text, "TEXT"), "Note");
    addNumber(text, "HEIGHT", 5);
    addPoint(addKey(figure, "INSERTPOINT"), 254, 25.4);
    metaTreeC* dxf = addKey(addKey(figure, "SETTINGS"), "DXFSETTINGS");
    addNumber(dxf, "DXFINSERTX", 25.4);
    addNumber(dxf, "DXFINSERTY", 50.8);
    metaTreeC* hatch = addKey(addKey(figure, "M2DHATCHES"), "M2DHATCH");
    addNumber(hatch, "DISTANCE", 2.54);
    hatchLine = addLine(addKey(hatch, "M2DHATCHLINES"), {0, 0}, {25.4, 25.4});
    addKey(hatch, "M2DHATCHLOOPS");
  }
};

TEST(FigureUnit, ChangingFromUnit1To25_4ScalesEveryLengthByOneOver25_4) {
  inchFigure f(1);
  m2dFigureC(f.figure).setUnitBase(25.4);
  const double k = 1 / 25.4;
  expectNthPoint(f.line, 0, 25.4 * k, 50.8 * k);
  EXPECT_EQ(nthPoint(f.line, 1).y, -25.4 * k);
  EXPECT_EQ(nthPoint(f.circle, 0).y, 12.7 * k);
  EXPECT_EQ(numberOf(f.circle, "RAD"), 12.7 * k);
  EXPECT_EQ(nthPoint(f.arc, 1).y, 10 * k);
  EXPECT_EQ(numberOf(f.ellipse, "RAD1"), 30 * k);
  EXPECT_EQ(numberOf(f.ellipse, "RAD2"), 15 * k);
  EXPECT_EQ(nthPoint(f.ellipse, 0).y, 2 * k);
  EXPECT_EQ(numberOf(f.ellipse, "ANGLE"), 0.0);
  EXPECT_EQ(nthPoint(path(f.figure, {"INSERTPOINT"}), 0).x, 254 * k);
  EXPECT_EQ(numberOf(path(f.figure, {"SETTINGS", "DXFSETTINGS"}), "DXFINSERTX"), 25.4 * k);
  EXPECT_EQ(numberOf(path(f.figure, {"SETTINGS", "DXFSETTINGS"}), "DXFINSERTY"), 50.8 * k);
  EXPECT_EQ(numberOf(path(f.figure, {"M2DHATCHES", "M2DHATCH"}), "DISTANCE"), 2.54 * k);
  EXPECT_EQ(nthPoint(f.hatchLine, 1).x, 25.4 * k);
  EXPECT_EQ(numberOf(path(f.figure, {"FIGUREPREFS"}), "UNITBASE"), 25.4);
  // The unit change leaves the hatch loops as they are.
  EXPECT_NE(path(f.figure, {"M2DHATCHES", "M2DHATCH", "M2DHATCHLOOPS"}), nullptr);
}

TEST(FigureUnit, ATextKeepsItsPositionAndHeight) {
  inchFigure f(1);
  m2dFigureC(f.figure).setUnitBase(25.4);
  EXPECT_EQ(nthPoint(f.text, 0).x, 25.4);
  EXPECT_EQ(numberOf(f.text, "HEIGHT"), 5.0);
}

TEST(FigureUnit, TheFactorIsTheOldUnitOverTheNew) {
  inchFigure f(10);
  m2dFigureC(f.figure).setUnitBase(4);
  EXPECT_EQ(numberOf(f.circle, "RAD"), 12.7 * (10.0 / 4));
  EXPECT_EQ(numberOf(path(f.figure, {"FIGUREPREFS"}), "UNITBASE"), 4.0);
}

TEST(FigureUnit, TheSameUnitChangesNothing) {
  inchFigure f(25.4);
  const std::uint32_t before = metaTreeChangeCount;
  m2dFigureC(f.figure).setUnitBase(25.4);
  EXPECT_EQ(metaTreeChangeCount, before);
  EXPECT_EQ(numberOf(f.circle, "RAD"), 12.7);
  EXPECT_EQ(numberOf(path(f.figure, {"SETTINGS", "DXFSETTINGS"}), "DXFINSERTX"), 25.4);
}

TEST(FigureUnit, AStoredZeroCountsAsOne) {
  inchFigure f(0);
  m2dFigureC(f.figure).setUnitBase(1);
  EXPECT_EQ(numberOf(f.circle, "RAD"), 12.7);
  EXPECT_EQ(numberOf(path(f.figure, {"FIGUREPREFS"}), "UNITBASE"), 0.0);
  m2dFigureC(f.figure).setUnitBase(2);
  EXPECT_EQ(numberOf(f.circle, "RAD"), 12.7 * 0.5);
}

TEST(FigureUnit, WithoutPreferencesUnitOneLeavesOnlyTheEmptyRecordsOfTheRead) {
  metaObjectC root = ownedTree("ROOT");
  metaTreeC* figure = addKey(root.node(), "FIGURE");
  metaTreeC* circle = addCircle(addKey(figure, "FIGURITEMS"), {2, 2}, 3);
  m2dFigureC(figure).setUnitBase(1);
  EXPECT_EQ(numberOf(circle, "RAD"), 3.0);
  metaTreeC* prefs = path(figure, {"FIGUREPREFS"});
  ASSERT_NE(prefs, nullptr);
  const auto kids = children(prefs);
  ASSERT_EQ(kids.size(), 1u);
  EXPECT_EQ(keyOf(kids[0]), "UNITBASE");
  EXPECT_EQ(kids[0]->firstChild(), nullptr);
  EXPECT_EQ(children(figure).size(), 2u);
}

TEST(FigureUnit, SettingsAndHatchesAreNeverCreated) {
  metaObjectC root = ownedTree("ROOT");
  metaTreeC* figure = addFigure(root.node(), 1);
  addCircle(addKey(figure, "FIGURITEMS"), {2, 2}, 3);
  m2dFigureC(figure).setUnitBase(2);
  EXPECT_EQ(path(figure, {"SETTINGS"}), nullptr);
  EXPECT_EQ(path(figure, {"M2DHATCHES"}), nullptr);
  EXPECT_EQ(numberOf(path(figure, {"FIGUREPREFS"}), "UNITBASE"), 2.0);
}

TEST(DrawingUnit, EveryFigureGoesFromItsOwnUnit) {
  metaObjectC drawing = ownedTree("DRAWING");
  addNumber(addKey(drawing.node(), "DRAWINGPREFS"), "UNITBASE", 2);
  metaTreeC* dxf = addKey(addKey(drawing.node(), "SETTINGS"), "DXFSETTINGS");
  addNumber(dxf, "DXFINSERTX", 5);
  addNumber(dxf, "DXFINSERTY", -5);
  metaTreeC* items = addKey(drawing.node(), "DRAWINGITEMS");
  metaTreeC* first = addFigure(items, 1);
  metaTreeC* c1 = addCircle(addKey(first, "FIGURITEMS"), {10, 20}, 30);
  addKey(items, "NOTAFIGURE");
  metaTreeC* second = addFigure(items, 10);
  metaTreeC* c2 = addCircle(addKey(second, "FIGURITEMS"), {10, 20}, 30);

  m2dDrawingC(drawing.node()).setUnitBase(10);

  EXPECT_EQ(numberOf(c1, "RAD"), 30 * (1.0 / 10));
  EXPECT_EQ(nthPoint(c1, 0).y, 20 * (1.0 / 10));
  EXPECT_EQ(numberOf(c2, "RAD"), 30.0);
  EXPECT_EQ(numberOf(path(first, {"FIGUREPREFS"}), "UNITBASE"), 10.0);
  EXPECT_EQ(numberOf(path(second, {"FIGUREPREFS"}), "UNITBASE"), 10.0);
  EXPECT_EQ(numberOf(dxf, "DXFINSERTX"), 5 * (2.0 / 10));
  EXPECT_EQ(numberOf(dxf, "DXFINSERTY"), -5 * (2.0 / 10));
  EXPECT_EQ(numberOf(path(drawing.node(), {"DRAWINGPREFS"}), "UNITBASE"), 10.0);
}

TEST(DrawingUnit, TheSameDrawingUnitStopsBeforeTheFigures) {
  metaObjectC drawing = ownedTree("DRAWING");
  addNumber(addKey(drawing.node(), "DRAWINGPREFS"), "UNITBASE", 10);
  metaTreeC* first = addFigure(addKey(drawing.node(), "DRAWINGITEMS"), 1);
  metaTreeC* c1 = addCircle(addKey(first, "FIGURITEMS"), {10, 20}, 30);
  m2dDrawingC(drawing.node()).setUnitBase(10);
  EXPECT_EQ(numberOf(c1, "RAD"), 30.0);
}

TEST(DrawingUnit, ThroughTheDocumentBase) {
  metaObjectC drawing = ownedTree("DRAWING");
  metaTreeC* first = addFigure(addKey(drawing.node(), "DRAWINGITEMS"), 1);
  metaTreeC* c1 = addCircle(addKey(first, "FIGURITEMS"), {10, 20}, 30);
  m2dDocumentC(drawing.node()).setUnitBase(3);
  EXPECT_EQ(numberOf(c1, "RAD"), 30 * (1.0 / 3));
  m2dDocumentC(first).setUnitBase(1);
  EXPECT_EQ(numberOf(c1, "RAD"), 30 * (1.0 / 3) * (3.0 / 1));
}

}  // namespace
}  // namespace lorvane
