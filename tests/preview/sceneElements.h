#pragma once
// Scene elements built by hand for the tests of the preview's drawing.
#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "lorvane/preview/scene.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::preview::testing {

inline elementC line(double x1, double y1, double x2, double y2) {
  elementC element;
  element.kind = elementKind::line;
  element.a = {x1, y1};
  element.b = {x2, y2};
  return element;
}

inline elementC circle(double x, double y, double radius) {
  elementC element;
  element.kind = elementKind::circle;
  element.centre = {x, y};
  element.radius = radius;
  return element;
}

// Counter-clockwise from start to end degrees; its end points on the circle.
inline elementC arc(double x, double y, double radius, double start, double end) {
  elementC element = circle(x, y, radius);
  element.kind = elementKind::arc;
  element.startAngle = start;
  element.endAngle = end;
  const double from = degreesToRadiansMultiplyingFirst(start);
  const double to = degreesToRadiansMultiplyingFirst(end);
  element.a = {x + radius * std::cos(from), y + radius * std::sin(from)};
  element.b = {x + radius * std::cos(to), y + radius * std::sin(to)};
  return element;
}

inline elementC text(double x, double y, double height, double angle, int position, std::string content) {
  elementC element;
  element.kind = elementKind::text;
  element.a = {x, y};
  element.height = height;
  element.angle = angle;
  element.relativePosition = position;
  element.text = std::move(content);
  return element;
}

}  // namespace lorvane::preview::testing
