#include "benchmarkDrawings.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "treeBuilder.h"

namespace lorvane::drawings {
namespace {

void addItem(treeAppenderC& items, std::size_t i) {
  const double x = static_cast<double>(i % 997) * 1.25;
  const double y = static_cast<double>(i % 101) * 0.75;
  if (i % 50 == 0) {
    treeAppenderC attr(items.key("SHAPEATTR"));
    attr.numberMember("SHAPEWIDTH", static_cast<double>(i / 50 % 3));
    attr.numberMember("SHAPETYP", static_cast<double>(i / 50 % 3 + 1));
    attr.numberMember("METALINETYPE", static_cast<double>(i / 50 % 7));
    attr.numberMember("COSMETIC", static_cast<double>(i / 50 % 2));
  } else if (i % 1000 == 1) {
    treeAppenderC e(items.key("ELLIPSE"));
    e.point(x, y);
    e.numberMember("RAD1", 10);
    e.numberMember("RAD2", 5);
    e.numberMember("ANGLE", 30);
  } else if (i % 10 < 6) {
    treeAppenderC line(items.key("LINE"));
    line.point(x, y);
    line.point(x + 3.5, y + 1.25);
  } else if (i % 10 < 8) {
    treeAppenderC arc(items.key("ARC"));
    const double s = i % 2 ? 1.0 : -1.0;
    arc.point(x + 5, y);
    arc.point(x + 5 * std::cos(0.7), y + s * 5 * std::sin(0.7));
    arc.point(x, y + s * 5);
  } else if (i % 10 == 8) {
    treeAppenderC circle(items.key("CIRCLE"));
    circle.point(x, y);
    circle.numberMember("RAD", 2.5);
  } else {
    treeAppenderC text(items.key("TEXT"));
    text.point(x, y);
    text.textMember("TEXT", "Pos " + std::to_string(i));
    text.numberMember("HEIGHT", 2.5);
    text.numberMember("ANGLE", static_cast<double>(i % 4) * 90);
  }
}

void addItemWithEllipses(treeAppenderC& items, std::size_t i) {
  const double x = static_cast<double>(i % 997) * 1.25;
  const double y = static_cast<double>(i % 101) * 0.75;
  if (i % 100 == 1) {
    treeAppenderC e(items.key("ELLIPSE"));
    e.point(x, y);
    e.numberMember("RAD1", 10 + static_cast<double>(i % 7));
    e.numberMember("RAD2", 5);
    e.numberMember("ANGLE", static_cast<double>(i % 180));
  } else if (i % 100 == 51) {
    treeAppenderC e(items.key("ELLIPSEARC"));
    e.point(x, y);
    e.numberMember("RAD1", 8);
    e.numberMember("RAD2", 3 + static_cast<double>(i % 5));
    e.numberMember("ANGLE", static_cast<double>(i % 90));
    e.numberMember("ANGLE1", static_cast<double>(i % 360));
    e.numberMember("ANGLE2", static_cast<double>((i + 200) % 360));
  } else {
    addItem(items, i);
  }
}

void addFigure(treeAppenderC& figures, std::size_t number, std::size_t first, std::size_t last,
               void (*add)(treeAppenderC&, std::size_t)) {
  treeAppenderC figure(figures.key("FIGURE"));
  figure.textMember("NAME", "View " + std::to_string(number));
  figure.numberMember("ANSICHTNO", static_cast<double>(number));
  treeAppenderC insert(figure.key("INSERTPOINT"));
  insert.point(static_cast<double>(number) * 500, 0);
  insert.numberMember("ROTATION", static_cast<double>(number % 4) * 15);
  treeAppenderC list(figure.key("FIGURITEMS"));
  for (std::size_t i = first; i < last; ++i) add(list, i);
}

// Figure f holds the items from f * perFigure up to the next figure's first
// or the last of all.
metaTreeC* drawingOfFigures(const char* name, std::size_t figures, std::size_t perFigure, std::size_t items,
                            void (*add)(treeAppenderC&, std::size_t)) {
  metaTreeC* drawing = metaTreeC::createKeyNode("DRAWING");
  treeAppenderC top(drawing);
  top.textMember("NAME", name);
  treeAppenderC list(top.key("DRAWINGITEMS"));
  for (std::size_t f = 0; f < figures; ++f) {
    addFigure(list, f, f * perFigure, std::min(items, (f + 1) * perFigure), add);
  }
  return drawing;
}

}  // namespace

metaTreeC* generateFigureDrawing(std::size_t figures, std::size_t perFigure) {
  return drawingOfFigures("Large sheet", figures, perFigure, figures * perFigure, &addItemWithEllipses);
}

metaTreeC* generateDrawing(std::size_t items) {
  constexpr std::size_t kPerFigure = 10000;
  return drawingOfFigures("Benchmark sheet", (items + kPerFigure - 1) / kPerFigure, kPerFigure, items, &addItem);
}

metaTreeC* generateLineChainFigure(std::size_t lines) {
  metaTreeC* figure = metaTreeC::createKeyNode("FIGURE");
  treeAppenderC top(figure);
  top.textMember("NAME", "Chain");
  treeAppenderC items(top.key("FIGURITEMS"));
  for (std::size_t i = 0; i < lines; ++i) {
    treeAppenderC line(items.key("LINE"));
    const double x = static_cast<double>(i) * 0.5;
    line.point(x, static_cast<double>(i % 2));
    line.point(x + 0.5, static_cast<double>((i + 1) % 2));
  }
  return figure;
}

}  // namespace lorvane::drawings
