#pragma once
#include "../geometry/testTrees.h"

namespace lorvane::test {

// Walks keys from the node down, first match at each level; null if absent.
inline metaTreeC* path(metaTreeC* node, std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) {
    if (!node) return nullptr;
    node = metaObjectC(node).findChild(key);
  }
  return node;
}

inline metaTreeC* addFigure(metaTreeC* parent, double unit) {
  metaTreeC* figure = addKey(parent, "FIGURE");
  addNumber(addKey(figure, "FIGUREPREFS"), "UNITBASE", unit);
  return figure;
}

inline metaTreeC* addLine(metaTreeC* parent, xy a, xy b) {
  metaTreeC* line = addKey(parent, "LINE");
  addPoint(line, a);
  addPoint(line, b);
  return line;
}

inline metaTreeC* addCircle(metaTreeC* parent, xy c, double r) {
  metaTreeC* circle = addKey(parent, "CIRCLE");
  addPoint(circle, c);
  addNumber(circle, "RAD", r);
  return circle;
}

inline metaTreeC* addEllipse(metaTreeC* parent, xy c, double r1, double r2) {
  metaTreeC* e = addKey(parent, "ELLIPSE");
  addPoint(e, c);
  addNumber(e, "RAD1", r1);
  addNumber(e, "RAD2", r2);
  addNumber(e, "ANGLE", 0);
  return e;
}

}  // namespace lorvane::test
