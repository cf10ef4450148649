#include <gtest/gtest.h>

#include "lorvane/document/m2dDrawing.h"
#include "lorvane/document/m2dFigure.h"
#include "documentTrees.h"

namespace lorvane {
namespace {

using namespace test;

TEST(CollectDocuments, AFigureListsItself) {
  metaObjectC figure = ownedTree("FIGURE");
  documentNodeListC list;
  EXPECT_EQ(&m2dFigureC(figure.node()).collectDocuments(list), &list);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0], figure.node());
}

TEST(CollectDocuments, ADrawingListsItselfThenItsFiguresInOrder) {
  metaObjectC drawing = ownedTree("DRAWING");
  metaTreeC* items = addKey(drawing.node(), "DRAWINGITEMS");
  metaTreeC* first = addFigure(items, 1);
  addKey(items, "SOMETHINGELSE");
  metaTreeC* second = addFigure(items, 1);
  documentNodeListC list;
  m2dDocumentC(drawing.node()).collectDocuments(list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], drawing.node());
  EXPECT_EQ(list[1], first);
  EXPECT_EQ(list[2], second);
}

TEST(CollectDocuments, AnUnregisteredKeyAddsNothing) {
  metaObjectC other = ownedTree("SHEET");
  documentNodeListC list;
  m2dDocumentC(other.node()).collectDocuments(list);
  EXPECT_TRUE(list.empty());
  EXPECT_EQ(m2dDocumentC(other.node()).convertItems(1, {}), 0);
  m2dDocumentC(other.node()).setUnitBase(5);
  EXPECT_EQ(other.node()->firstChild(), nullptr);
}

}  // namespace
}  // namespace lorvane
