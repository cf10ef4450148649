#include <gtest/gtest.h>

#include "lorvane/document/m2dDrawing.h"
#include "lorvane/document/m2dFigure.h"
#include "lorvane/geometry/shapeBase.h"
#include "documentTrees.h"

namespace lorvane {
namespace {

using namespace test;

struct mixedFigure {
  metaObjectC root = ownedTree("ROOT");
  metaTreeC* figure;
  metaTreeC* items;
  metaTreeC* hatch;

  mixedFigure() {
    figure = addFigure(root.node(), 1);
    items = addKey(figure, "FIGURITEMS");
    addLine(items, {0, 0}, {1, 1});
    addEllipse(items, {5, 5}, 4, 2);
    metaTreeC* arc = addKey(items, "ARC");
    addPoint(arc, 1, 0);
    addPoint(arc, 0, 1);
    addPoint(arc, -1, 0);
    addCircle(items, {3, 3}, 1);
    hatch = addKey(addKey(figure, "M2DHATCHES"), "M2DHATCH");
    addKey(hatch, "M2DHATCHLOOPS");
    addKey(hatch, "M2DHATCHLOOPSHREFS");
    addKey(figure, "INSERTPOINT");
  }
};

// What the ellipse alone turns into at the figure's step and tolerance.
std::vector<std::string> ellipsePieces(double tol) {
  metaObjectC e = ownedTree("HOLDER");
  metaTreeC* ellipse = addEllipse(e.node(), {5, 5}, 4, 2);
  metaObjectC out = ownedTree("OUT");
  mBaseShape2dC(ellipse).toLinesAndArcs(0.01, tol, out.node());
  std::vector<std::string> keys;
  for (metaTreeC* c : children(out.node())) keys.push_back(keyOf(c) + " " + std::to_string(nthPoint(c, 0).x));
  return keys;
}

std::vector<std::string> describe(metaTreeC* items) {
  std::vector<std::string> keys;
  for (metaTreeC* c : children(items)) keys.push_back(keyOf(c) + " " + std::to_string(nthPoint(c, 0).x));
  return keys;
}

void expectEllipseReplaced(const mixedFigure& f, int created) {
  const std::vector<std::string> pieces = ellipsePieces(1e-05);
  EXPECT_EQ(created, static_cast<int>(pieces.size()));
  // Finer than the writers' tolerance, so more pieces than they would get.
  EXPECT_GT(pieces.size(), ellipsePieces(0.0001).size());
  metaTreeC* items = path(f.figure, {"FIGURITEMS"});
  ASSERT_NE(items, nullptr);
  // The new list is the figure's last child, in the old order.
  EXPECT_EQ(metaTreeC::lastChild(f.figure), items);
  std::vector<std::string> expected{"LINE " + std::to_string(0.0)};
  expected.insert(expected.end(), pieces.begin(), pieces.end());
  expected.push_back("ARC " + std::to_string(1.0));
  expected.push_back("CIRCLE " + std::to_string(3.0));
  EXPECT_EQ(describe(items), expected);
  EXPECT_EQ(childrenWithKey(f.figure, "FIGURITEMS").size(), 1u);
  // The hatch loops referred to the old items and are gone; nothing else is.
  EXPECT_EQ(path(f.hatch, {"M2DHATCHLOOPS"}), nullptr);
  EXPECT_NE(path(f.hatch, {"M2DHATCHLOOPSHREFS"}), nullptr);
}

TEST(ConvertItems, ModeOneReplacesWhatIsNotListed) {
  mixedFigure f;
  const int created = m2dFigureC(f.figure).convertItems(1, {"LINE", "ARC", "CIRCLE"});
  expectEllipseReplaced(f, created);
}

TEST(ConvertItems, ModeZeroReplacesWhatIsListed) {
  mixedFigure f;
  const int created = m2dFigureC(f.figure).convertItems(0, {"ELLIPSE"});
  expectEllipseReplaced(f, created);
}

TEST(ConvertItems, UnchangedItemsAreCopiesWithTheirWholeContent) {
  mixedFigure f;
  metaTreeC* line = path(f.figure, {"FIGURITEMS", "LINE"});
  addNumber(addKey(line, "SHAPEATTR"), "SHAPEWIDTH", 3);
  m2dFigureC(f.figure).convertItems(0, {"ELLIPSE"});
  metaTreeC* copied = path(f.figure, {"FIGURITEMS", "LINE"});
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(nthPoint(copied, 1).y, 1.0);
  EXPECT_EQ(numberOf(path(copied, {"SHAPEATTR"}), "SHAPEWIDTH"), 3.0);
}

TEST(ConvertItems, NothingCreatedLeavesTheFigureAsItWas) {
  mixedFigure f;
  EXPECT_EQ(m2dFigureC(f.figure).convertItems(0, {"SPLINE"}), 0);
  EXPECT_EQ(path(f.figure, {"FIGURITEMS"}), f.items);
  EXPECT_EQ(f.figure->firstChild()->next(), f.items);
  EXPECT_NE(path(f.hatch, {"M2DHATCHLOOPS"}), nullptr);
  // A point converts to nothing: still nothing created, so it stays.
  metaTreeC* point = addKey(f.items, "SPOINT");
  addPoint(point, 1, 1);
  EXPECT_EQ(m2dFigureC(f.figure).convertItems(0, {"SPOINT"}), 0);
  EXPECT_EQ(childrenWithKey(f.items, "SPOINT").size(), 1u);
}

TEST(ConvertItems, ClassNamesCompareExactly) {
  mixedFigure f;
  EXPECT_EQ(m2dFigureC(f.figure).convertItems(0, {"ellipse", "ELLIPSE "}), 0);
  EXPECT_EQ(path(f.figure, {"FIGURITEMS"}), f.items);
}

TEST(ConvertItems, AFigureWithoutItemsCreatesNothing) {
  metaObjectC root = ownedTree("ROOT");
  metaTreeC* figure = addKey(root.node(), "FIGURE");
  EXPECT_EQ(m2dFigureC(figure).convertItems(1, {}), 0);
  EXPECT_EQ(figure->firstChild(), nullptr);
}

TEST(ConvertItems, ADrawingAddsUpItsFigures) {
  metaObjectC drawing = ownedTree("DRAWING");
  metaTreeC* items = addKey(drawing.node(), "DRAWINGITEMS");
  metaTreeC* first = addFigure(items, 1);
  addEllipse(addKey(first, "FIGURITEMS"), {5, 5}, 4, 2);
  metaTreeC* second = addFigure(items, 1);
  metaTreeC* secondItems = addKey(second, "FIGURITEMS");
  addEllipse(secondItems, {5, 5}, 4, 2);
  addLine(secondItems, {0, 0}, {1, 0});
  const int each = static_cast<int>(ellipsePieces(1e-05).size());
  EXPECT_EQ(m2dDrawingC(drawing.node()).convertItems(0, {"ELLIPSE"}), 2 * each);
  EXPECT_EQ(children(path(second, {"FIGURITEMS"})).size(), static_cast<std::size_t>(each) + 1);
  // Through the document base as well; nothing is left to convert now.
  EXPECT_EQ(m2dDocumentC(drawing.node()).convertItems(0, {"ELLIPSE"}), 0);
}

}  // namespace
}  // namespace lorvane
