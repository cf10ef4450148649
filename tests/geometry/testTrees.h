#pragma once
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTree.h"
#include "lorvane/metatree/vector2d.h"
#include "treeBuilder.h"

namespace lorvane::test {

using xy = vectorC2d<double>;

// A free-standing key node that the test owns.
inline metaObjectC ownedTree(std::string_view key) { return metaObjectVirtualDataBaseC::createTree(key, true); }

// Nodes are made by the tree builder the benchmarks and fuzzers use too.
using drawings::addKey;
using drawings::addNumber;
using drawings::addNumberNode;
using drawings::addPoint;
using drawings::addStringNode;
inline metaTreeC* addPoint(metaTreeC* parent, xy p) { return addPoint(parent, p.x, p.y); }

inline std::vector<metaTreeC*> children(const metaTreeC* node) {
  std::vector<metaTreeC*> list;
  for (metaTreeC* c = node ? node->firstChild() : nullptr; c; c = c->next()) list.push_back(c);
  return list;
}

inline std::vector<metaTreeC*> childrenWithKey(const metaTreeC* node, std::string_view key) {
  std::vector<metaTreeC*> list;
  for (metaTreeC* c : children(node))
    if (c->hasKey(key)) list.push_back(c);
  return list;
}

inline std::string keyOf(const metaTreeC* node) { return std::string(node->value().text().view()); }

// The numbers directly under a node, in order.
inline std::vector<double> numbersOf(const metaTreeC* node) {
  std::vector<double> values;
  for (metaTreeC* c : children(node))
    if (c->value().isNumber()) values.push_back(c->value().number());
  return values;
}

// Reads a "POINT" key the plain way: its two numbers.
inline xy pointOf(const metaTreeC* pointKey) {
  const std::vector<double> v = numbersOf(pointKey);
  return v.size() == 2 ? xy{v[0], v[1]} : xy{};
}

inline xy nthPoint(const metaTreeC* shape, std::size_t n) { return pointOf(childrenWithKey(shape, "POINT").at(n)); }
// An ELLIPSE or ELLIPSEARC (its ANGLE1 and ANGLE2 still to add) about c.
inline metaObjectC ellipseTree(std::string_view key, xy c, double r1, double r2, double angle) {
  metaObjectC tree = ownedTree(key);
  addPoint(tree.node(), c);
  addNumber(tree.node(), "RAD1", r1);
  addNumber(tree.node(), "RAD2", r2);
  addNumber(tree.node(), "ANGLE", angle);
  return tree;
}

// The shape's nth point is exactly (x, y).
inline void expectNthPoint(const metaTreeC* shape, std::size_t n, double x, double y) {
  const xy point = nthPoint(shape, n);
  EXPECT_EQ(point.x, x) << "point " << n;
  EXPECT_EQ(point.y, y) << "point " << n;
}

inline double numberOf(const metaTreeC* shape, std::string_view key) {
  for (metaTreeC* c : childrenWithKey(shape, key)) {
    const std::vector<double> v = numbersOf(c);
    return v.empty() ? 0.0 : v[0];
  }
  return 0.0;
}

// Same bits, so -0.0 differs from 0.0 and equal NaNs compare equal.
inline bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace lorvane::test
