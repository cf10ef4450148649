#include "lorvane/metatree/metaKeyContainer.h"

#include <gtest/gtest.h>

namespace lorvane {
namespace {

metaTreeC* addPoint(metaObjectC& shape, double x, double y) {
  metaTreeC* point = shape.addChild("POINT");
  metaValueC v;
  v.setNumber(x);
  metaTreeC::appendChildren(metaTreeC::createValueNode(v), point);
  v.setNumber(y);
  metaTreeC::appendChildren(metaTreeC::createValueNode(v), point);
  return point;
}

TEST(KeyContainer, CountsOnlyChildrenWithTheKey) {
  metaObjectC line = metaObjectVirtualDataBaseC::createTree("LINE", true);
  addPoint(line, 1, 2);
  line.addChild("OTHER");
  addPoint(line, 3, 4);
  metaObjListPoint2dContainerC points(line.node());
  EXPECT_EQ(points.pointCount(), 2u);
  EXPECT_EQ(points.getPointAt(1).x, 3.0);
  EXPECT_EQ(points.find("POINT", 2), nullptr);
}

TEST(KeyContainer, ATreeChangeInvalidatesTheCache) {
  metaObjectC line = metaObjectVirtualDataBaseC::createTree("LINE", true);
  addPoint(line, 1, 2);
  metaObjListPoint2dContainerC points(line.node());
  EXPECT_EQ(points.pointCount(), 1u);
  addPoint(line, 5, 6);
  addPoint(line, 7, 8);
  EXPECT_EQ(points.pointCount(), 3u);
  EXPECT_EQ(points.getPointAt(2).y, 8.0);
}

TEST(KeyContainer, ItemAppendsTheMissingKeysEmpty) {
  metaObjectC line = metaObjectVirtualDataBaseC::createTree("LINE", true);
  metaTreeC* first = addPoint(line, 1, 2);
  metaObjKeyContainerC container(line.node());
  metaTreeC* third = container.item("POINT", 2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(container.count("POINT"), 3u);
  EXPECT_EQ(first->next()->next(), third);
  EXPECT_EQ(third->firstChild(), nullptr);
  EXPECT_EQ(third->next(), nullptr);
  EXPECT_EQ(container.item("POINT", 0), first);
}

TEST(KeyContainer, ManyMatchesAreIndexedInOrder) {
  metaObjectC curve = metaObjectVirtualDataBaseC::createTree("ICRV2D", true);
  for (int i = 0; i < 100; ++i) {
    addPoint(curve, i, -i);
    if (i % 7 == 0) curve.addChild("OTHER");
  }
  metaObjListPoint2dContainerC points(curve.node());
  EXPECT_EQ(points.pointCount(), 100u);
  for (std::size_t i = 0; i < 100; ++i) ASSERT_EQ(points.getPointAt(i).x, static_cast<double>(i));
  metaTreeC* added = points.item("POINT", 104);
  EXPECT_EQ(points.find("POINT", 104), added);
  EXPECT_EQ(points.pointCount(), 105u);
  EXPECT_EQ(points.getPointAt(99).y, -99.0);
}

TEST(KeyContainer, AnotherKeyOrNodeStartsAFreshSearch) {
  metaObjectC shape = metaObjectVirtualDataBaseC::createTree("S", true);
  shape.addChild("A");
  shape.addChild("B");
  shape.addChild("B");
  metaObjKeyContainerC container(shape.node());
  EXPECT_EQ(container.count("A"), 1u);
  EXPECT_EQ(container.count("B"), 2u);
  metaObjectC other = metaObjectVirtualDataBaseC::createTree("S", true);
  container.attach(other.node(), false);
  EXPECT_EQ(container.count("B"), 0u);
}

TEST(PointView, ExactlyTwoNumbersMakeAPoint) {
  metaObjectC root = metaObjectVirtualDataBaseC::createTree("R", true);
  int valid = -1;
  metaObjListPoint2dContainerC list(root.node());
  const vectorC2d<double> p = mObjPoint2dC(addPoint(root, 1.5, -2)).getPoint(&valid);
  EXPECT_EQ(valid, 1);
  EXPECT_EQ(p.x, 1.5);
  EXPECT_EQ(p.y, -2.0);

  metaTreeC* three = addPoint(root, 1, 2);
  metaValueC v;
  v.setNumber(3);
  metaTreeC::appendChildren(metaTreeC::createValueNode(v), three);
  const vectorC2d<double> q = mObjPoint2dC(three).getPoint(&valid);
  EXPECT_EQ(valid, 0);
  EXPECT_EQ(q.x, 0.0);

  metaTreeC* one = root.addChild("POINT");
  metaTreeC::appendChildren(metaTreeC::createValueNode(v), one);
  EXPECT_EQ(mObjPoint2dC(one).getPoint(&valid).x, 0.0);
  EXPECT_EQ(valid, 0);
}

TEST(PointView, WritingReplacesTheValuesOfTheKey) {
  metaObjectC root = metaObjectVirtualDataBaseC::createTree("R", true);
  metaTreeC* point = addPoint(root, 1, 2);
  const metaTreeC* x = point->firstChild();
  mObjPoint2dC(point).setPoint({5, 6});
  EXPECT_EQ(point->firstChild(), x);  // overwritten in place
  EXPECT_EQ(mObjPoint2dC(point).getPoint().y, 6.0);

  metaTreeC* empty = root.addChild("POINT");
  mObjPoint2dC(empty).setPoint({7, 8});
  EXPECT_EQ(mObjPoint2dC(empty).getPoint().x, 7.0);

  metaTreeC* junk = root.addChild("POINT");
  metaObjectC(junk).setString("junk");
  mObjPoint2dC(junk).setPoint({9, 10});
  EXPECT_EQ(mObjPoint2dC(junk).getPoint().y, 10.0);
}

}  // namespace
}  // namespace lorvane
