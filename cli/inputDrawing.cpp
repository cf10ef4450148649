#include "lorvane/cli/inputDrawing.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "lorvane/metatree/metaObject.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::cli {
namespace {

using preview::elementC;
using preview::elementKind;
using preview::pointC;

const metaTreeC* child(const metaTreeC* node, std::string_view key) {
  for (const metaTreeC* c = node ? node->firstChild() : nullptr; c; c = c->next()) {
    if (c->hasKey(key)) return c;
  }
  return nullptr;
}

// Members read as the writers read them: through the runtime's accessors,
// absent or of another kind giving the default (0, "" or INT32_MIN for what
// an int cannot hold).
double numberOf(const metaTreeC* node, std::string_view key) {
  return metaObjectC(const_cast<metaTreeC*>(child(node, key))).getDouble();
}

std::string stringOf(const metaTreeC* node, std::string_view key) {
  return std::string(metaObjectC(const_cast<metaTreeC*>(child(node, key))).getString().view());
}

std::int32_t integerOf(const metaTreeC* node, std::string_view key) {
  return metaObjectC(const_cast<metaTreeC*>(child(node, key))).getInt();
}

// Exactly two numbers make a point; anything else is the origin.
pointC pointOf(const metaTreeC* key) {
  double values[2] = {0, 0};
  int count = 0;
  for (const metaTreeC* c = key ? key->firstChild() : nullptr; c; c = c->next()) {
    if (!c->value().isNumber()) continue;
    if (count == 2) return {};
    values[count++] = c->value().number();
  }
  return count == 2 ? pointC{values[0], values[1]} : pointC{};
}

// The n-th POINT child (from 0), counted among POINT children only.
pointC pointNumber(const metaTreeC* node, int n) {
  for (const metaTreeC* c = node->firstChild(); c; c = c->next()) {
    if (c->hasKey("POINT") && n-- == 0) return pointOf(c);
  }
  return {};
}

struct placementC {
  double cosine = 1, sine = 0, dx = 0, dy = 0;
  pointC operator()(pointC p) const {
    // Rotation first (as the writers' matrix applies it), then the move.
    const double x = cosine * p.x + -sine * p.y + 0.0;
    const double y = sine * p.x + cosine * p.y + 0.0;
    return {x + dx, y + dy};
  }
};

std::size_t lineOf(const metaTreeC* node) {
  const std::int32_t line = node->value().tagLine();
  return line > 0 ? static_cast<std::size_t>(line) : 0;
}

double distance(pointC a, pointC b) { return std::hypot(a.x - b.x, a.y - b.y); }

// The centre of the circle through three points; the origin for three
// points on one line, as the writers take it.
pointC circumcentre(pointC a, pointC b, pointC c) {
  const double bx = b.x - a.x, by = b.y - a.y, cx = c.x - a.x, cy = c.y - a.y;
  const double d = 2 * (bx * cy - by * cx);
  if (d == 0) return {};
  const double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
  return {a.x + (cy * b2 - by * c2) / d, a.y + (bx * c2 - cx * b2) / d};
}

elementC placedArc(const metaTreeC* item, const placementC& place) {
  const pointC s = place(pointNumber(item, 0));
  const pointC m = place(pointNumber(item, 1));
  const pointC e = place(pointNumber(item, 2));
  elementC arc;
  arc.kind = elementKind::arc;
  arc.centre = circumcentre(s, m, e);
  arc.radius = distance(s, arc.centre);
  // Written arcs run counter-clockwise: a clockwise one starts at its end.
  const double turn = (m.x - s.x) * (e.y - s.y) - (m.y - s.y) * (e.x - s.x);
  const bool clockwise = turn < 0;
  arc.a = clockwise ? e : s;
  arc.b = clockwise ? s : e;
  arc.startAngle = radiansToDegreesMultiplyingFirst(std::atan2(arc.a.y - arc.centre.y, arc.a.x - arc.centre.x));
  arc.endAngle = radiansToDegreesMultiplyingFirst(std::atan2(arc.b.y - arc.centre.y, arc.b.x - arc.centre.x));
  if (arc.endAngle <= arc.startAngle) arc.endAngle += 360;
  return arc;
}

bool placeItem(const metaTreeC* item, const placementC& place, elementC& out) {
  if (item->hasKey("LINE")) {
    out.kind = elementKind::line;
    out.a = place(pointNumber(item, 0));
    out.b = place(pointNumber(item, 1));
  } else if (item->hasKey("ARC")) {
    out = placedArc(item, place);
  } else if (item->hasKey("CIRCLE")) {
    out.kind = elementKind::circle;
    out.centre = place(pointOf(child(item, "POINT")));
    out.radius = numberOf(item, "RAD");
  } else if (item->hasKey("TEXT")) {
    out.kind = elementKind::text;
    out.a = place(pointOf(child(item, "POINT")));
    out.text = stringOf(item, "TEXT");
    out.height = numberOf(item, "HEIGHT");
    // Placing a text moves its anchor only; its angle stays as given.
    out.angle = numberOf(item, "ANGLE");
  } else {
    return false;
  }
  return true;
}

// Placing turns an ellipse's axes with the figure; its parameter angles,
// measured along its own axes, stay as they are.
approximatedShapeC placedShape(const metaTreeC* item, const placementC& place, double rotation) {
  approximatedShapeC shape;
  const bool arc = item->hasKey("ELLIPSEARC");
  if (arc || item->hasKey("ELLIPSE")) {
    shape.kind = arc ? approximatedKind::ellipseArc : approximatedKind::ellipse;
    shape.centre = place(pointOf(child(item, "POINT")));
    shape.radius1 = numberOf(item, "RAD1");
    shape.radius2 = numberOf(item, "RAD2");
    shape.axisDegrees = numberOf(item, "ANGLE") + rotation;
    if (arc) {
      shape.startDegrees = numberOf(item, "ANGLE1");
      shape.endDegrees = numberOf(item, "ANGLE2");
    }
  } else if (item->hasKey("ICRV2D")) {
    shape.kind = approximatedKind::curve;
    for (const metaTreeC* c = item->firstChild(); c; c = c->next()) {
      if (c->hasKey("POINT")) shape.points.push_back(place(pointOf(c)));
    }
  }
  return shape;
}

inputFigureC placeFigure(const metaTreeC* figure) {
  inputFigureC placed;
  placed.name = stringOf(figure, "NAME");
  placed.sourceLine = lineOf(figure);
  const metaTreeC* insert = child(figure, "INSERTPOINT");
  const double rotation = numberOf(insert, "ROTATION");
  const double radians = degreesToRadiansMultiplyingFirst(rotation);
  placementC place{std::cos(radians), std::sin(radians), 0, 0};
  const pointC at = pointOf(child(insert, "POINT"));
  place.dx = at.x;
  place.dy = at.y;

  bool suppressed = false;
  const metaTreeC* items = child(figure, "FIGURITEMS");
  // A figure may hold millions of items: room for all of them at once, so
  // that the list never moves them.
  std::size_t count = 0;
  for (const metaTreeC* item = items ? items->firstChild() : nullptr; item; item = item->next()) ++count;
  placed.items.reserve(count);
  for (const metaTreeC* item = items ? items->firstChild() : nullptr; item; item = item->next()) {
    inputItemC entry;
    entry.key = std::string(item->value().text().view());
    entry.sourceLine = lineOf(item);
    if (item->hasKey("SHAPEATTR")) {
      suppressed = integerOf(item, "SHAPETYP") == 4;
      continue;
    }
    entry.suppressedInMeta2d = suppressed;
    entry.isElement = placeItem(item, place, entry.element);
    if (!entry.isElement) {
      approximatedShapeC shape = placedShape(item, place, rotation);
      if (shape.kind != approximatedKind::none) entry.approximated = std::make_unique<approximatedShapeC>(std::move(shape));
    }
    entry.element.sourceLine = entry.sourceLine;
    placed.items.push_back(std::move(entry));
  }
  return placed;
}

// The figures of a DRAWING (its DRAWINGITEMS' FIGURE children in order) or
// the one FIGURE given.
template <class Visit>
void forEachFigure(const metaTreeC* drawing, Visit visit) {
  if (!drawing) return;
  if (drawing->hasKey("FIGURE")) {
    visit(drawing);
  } else if (drawing->hasKey("DRAWING")) {
    const metaTreeC* list = child(drawing, "DRAWINGITEMS");
    for (const metaTreeC* f = list ? list->firstChild() : nullptr; f; f = f->next()) {
      if (f->hasKey("FIGURE")) visit(f);
    }
  }
}

}  // namespace

std::vector<inputFigureC> placeInputFigures(const metaTreeC* drawing) {
  std::vector<inputFigureC> figures;
  forEachFigure(drawing, [&](const metaTreeC* figure) { figures.push_back(placeFigure(figure)); });
  return figures;
}

std::size_t drawingItemCount(const metaTreeC* drawing) {
  std::size_t count = 0;
  forEachFigure(drawing, [&](const metaTreeC* figure) {
    const metaTreeC* items = child(figure, "FIGURITEMS");
    for (const metaTreeC* item = items ? items->firstChild() : nullptr; item; item = item->next()) ++count;
  });
  return count;
}

}  // namespace lorvane::cli
