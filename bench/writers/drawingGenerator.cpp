
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lorvane/metatree/metaObject.h"

namespace lorvane::bench {
namespace {

// Children are appended behind a remembered last child, so that building a
// record of a million items costs no walk to its end.
class appenderC {
public:
  explicit appenderC(metaTreeC* parent) : parent_(parent), last_(metaTreeC::lastChild(parent)) {}
  metaTreeC* key(const char* name) {
    metaTreeC* node = metaTreeC::createKeyNode(name);
    link(node);
    return node;
  }
  void number(double v) {
    metaValueC value;
    value.setNumber(v);
    link(metaTreeC::createValueNode(value));
  }
  void text(const std::string& t) {
    metaValueC value;
    value.setString(t);
    link(metaTreeC::createValueNode(value));
  }

private:
  void link(metaTreeC* node) {
    if (last_) metaTreeC::insertAfter(node, last_);
    else metaTreeC::appendChildren(node, parent_);
    last_ = node;
  }
  metaTreeC* parent_;
  metaTreeC* last_;
};

void point(appenderC& shape, double x, double y) {
  appenderC p(shape.key("POINT"));
  p.number(x);
  p.number(y);
}

void attribute(appenderC& record, const char* key, double v) { appenderC(record.key(key)).number(v); }

void addItem(appenderC& items, std::size_t i) {
  const double x = static_cast<double>(i % 997) * 1.25;
  const double y = static_cast<double>(i % 101) * 0.75;
  if (i % 50 == 0) {
    appenderC attr(items.key("SHAPEATTR"));
    attribute(attr, "SHAPEWIDTH", static_cast<double>(i / 50 % 3));
    attribute(attr, "SHAPETYP", static_cast<double>(i / 50 % 3 + 1));
    attribute(attr, "METALINETYPE", static_cast<double>(i / 50 % 7));
    attribute(attr, "COSMETIC", static_cast<double>(i / 50 % 2));
  } else if (i % 1000 == 1) {
    appenderC e(items.key("ELLIPSE"));
    point(e, x, y);
    attribute(e, "RAD1", 10);
    attribute(e, "RAD2", 5);
    attribute(e, "ANGLE", 30);
  } else if (i % 10 < 6) {
    appenderC line(items.key("LINE"));
    point(line, x, y);
    point(line, x + 3.5, y + 1.25);
  } else if (i % 10 < 8) {
    appenderC arc(items.key("ARC"));
    const double s = i % 2 ? 1.0 : -1.0;
    point(arc, x + 5, y);
    point(arc, x + 5 * std::cos(0.7), y + s * 5 * std::sin(0.7));
    point(arc, x, y + s * 5);
  } else if (i % 10 == 8) {
    appenderC circle(items.key("CIRCLE"));
    point(circle, x, y);
    attribute(circle, "RAD", 2.5);
  } else {
    appenderC text(items.key("TEXT"));
    point(text, x, y);
    appenderC(text.key("TEXT")).text("Pos " + std::to_string(i));
    attribute(text, "HEIGHT", 2.5);
    attribute(text, "ANGLE", static_cast<double>(i % 4) * 90);
  }
}

void addItemWithEllipses(appenderC& items, std::size_t i) {
  const double x = static_cast<double>(i % 997) * 1.25;
  const double y = static_cast<double>(i % 101) * 0.75;
  if (i % 100 == 1) {
    appenderC e(items.key("ELLIPSE"));
    point(e, x, y);
    attribute(e, "RAD1", 10 + static_cast<double>(i % 7));
    attribute(e, "RAD2", 5);
    attribute(e, "ANGLE", static_cast<double>(i % 180));
  } else if (i % 100 == 51) {
    appenderC e(items.key("ELLIPSEARC"));
    point(e, x, y);
    attribute(e, "RAD1", 8);
    attribute(e, "RAD2", 3 + static_cast<double>(i % 5));
    attribute(e, "ANGLE", static_cast<double>(i % 90));
    attribute(e, "ANGLE1", static_cast<double>(i % 360));
    attribute(e, "ANGLE2", static_cast<double>((i + 200) % 360));
  } else {
    addItem(items, i);
  }
}

void addFigure(appenderC& figures, std::size_t number, std::size_t first, std::size_t last,
               void (*add)(appenderC&, std::size_t)) {
  appenderC figure(figures.key("FIGURE"));
  appenderC(figure.key("NAME")).text("View " + std::to_string(number));
  appenderC(figure.key("ANSICHTNO")).number(static_cast<double>(number));
  appenderC insert(figure.key("INSERTPOINT"));
  point(insert, static_cast<double>(number) * 500, 0);
  attribute(insert, "ROTATION", static_cast<double>(number % 4) * 15);
  appenderC list(figure.key("FIGURITEMS"));
  for (std::size_t i = first; i < last; ++i) add(list, i);
}

}  // namespace

metaTreeC* generateFigureDrawing(std::size_t figures, std::size_t perFigure) {
  metaTreeC* drawing = metaTreeC::createKeyNode("DRAWING");
  appenderC top(drawing);
  appenderC(top.key("NAME")).text("Large sheet");
  appenderC list(top.key("DRAWINGITEMS"));
  for (std::size_t f = 0; f < figures; ++f) addFigure(list, f, f * perFigure, (f + 1) * perFigure, &addItemWithEllipses);
  return drawing;
}

metaTreeC* generateDrawing(std::size_t items) {
  metaTreeC* drawing = metaTreeC::createKeyNode("DRAWING");
  appenderC top(drawing);
  appenderC(top.key("NAME")).text("Benchmark sheet");
  appenderC figures(top.key("DRAWINGITEMS"));
  constexpr std::size_t kPerFigure = 10000;
  for (std::size_t first = 0; first < items; first += kPerFigure) {
    addFigure(figures, first / kPerFigure, first, std::min(items, first + kPerFigure), &addItem);
  }
  return drawing;
}

metaTreeC* generateLineChainFigure(std::size_t lines) {
  metaTreeC* figure = metaTreeC::createKeyNode("FIGURE");
  appenderC top(figure);
  appenderC(top.key("NAME")).text("Chain");
  appenderC items(top.key("FIGURITEMS"));
  for (std::size_t i = 0; i < lines; ++i) {
    appenderC line(items.key("LINE"));
    const double x = static_cast<double>(i) * 0.5;
    point(line, x, static_cast<double>(i % 2));
    point(line, x + 0.5, static_cast<double>((i + 1) % 2));
  }
  return figure;
}

std::string scratchOutputPath(const char* fileName) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder ? folder : "/tmp") + "/" + fileName;
}

long long fileSize(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  std::fseek(f, 0, SEEK_END);
  const long long size = std::ftell(f);
  std::fclose(f);
  return size;
}

}  // namespace lorvane::bench
