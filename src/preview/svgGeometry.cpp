#include "lorvane/preview/svgGeometry.h"

#include <algorithm>
#include <cmath>

#include "svgFormat.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::preview::svg {

namespace {

bool isCoordinate(double value) { return std::isfinite(value) && std::fabs(value) <= drawableLimit; }

bool isCoordinate(const pointC& point) { return isCoordinate(point.x) && isCoordinate(point.y); }

bool isSize(double value) { return isCoordinate(value) && value > 0; }

// Taylor series on [-45, 45] degrees, where 13 terms are far below a unit in
// the last place.
void sinCosReduced(double radians, double& sine, double& cosine) {
  const double square = radians * radians;
  double sineTerm = radians;
  double cosineTerm = 1;
  sine = 0;
  cosine = 0;
  for (int n = 1; n <= 13; ++n) {
    sine += sineTerm;
    cosine += cosineTerm;
    sineTerm *= -square / ((2.0 * n) * (2.0 * n + 1));
    cosineTerm *= -square / ((2.0 * n - 1) * (2.0 * n));
  }
}

}  // namespace

bool isDrawable(const elementC& element) {
  switch (element.kind) {
    case elementKind::line:
      return isCoordinate(element.a) && isCoordinate(element.b);
    case elementKind::arc:
      return isCoordinate(element.a) && isCoordinate(element.b) && isCoordinate(element.centre) &&
             isSize(element.radius) && std::isfinite(element.startAngle) &&
             std::isfinite(element.endAngle) && std::isfinite(element.endAngle - element.startAngle);
    case elementKind::circle:
      return isCoordinate(element.centre) && isSize(element.radius);
    case elementKind::text:
      return isCoordinate(element.a) && isSize(element.height) && std::isfinite(element.angle) &&
             !element.text.empty();
  }
  return false;
}

void boxC::add(double x, double y) {
  minX = std::min(minX, x);
  minY = std::min(minY, y);
  maxX = std::max(maxX, x);
  maxY = std::max(maxY, y);
}

double arcSweep(const elementC& arc) {
  const double sweep = arc.endAngle - arc.startAngle;
  if (sweep > 0) return sweep;
  const double turns = std::fmod(sweep, 360.0);
  return turns + 360.0;
}

void sinCosDegrees(double degrees, double& sine, double& cosine) {
  double reduced = std::fmod(degrees, 360.0);
  if (reduced < 0) reduced += 360.0;
  // Quarter turns of the reduced angle, so that what is left lies within
  // 45 degrees of zero.
  int quarter = static_cast<int>(std::floor((reduced + 45.0) / 90.0));
  double rest = reduced - 90.0 * quarter;
  quarter %= 4;
  double s = 0;
  double c = 1;
  if (rest != 0) sinCosReduced(degreesToRadiansByFactor(rest), s, c);
  switch (quarter) {
    case 0: sine = s; cosine = c; break;
    case 1: sine = c; cosine = -s; break;
    case 2: sine = -s; cosine = -c; break;
    default: sine = -c; cosine = s; break;
  }
}

textLayoutC layoutText(const elementC& text) {
  textLayoutC layout;
  std::size_t start = 0;
  while (true) {
    const std::string& lines = text.text;
    const std::size_t end = lines.find('\n', start);
    const std::string_view piece =
        std::string_view(lines).substr(start, end == std::string::npos ? std::string::npos : end - start);
    layout.lines.push_back(cleanText(piece));
    layout.longestLine = std::max(layout.longestLine, characterCount(layout.lines.back()));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  // 1..9 in rows from the bottom: 1 bottom left, 5 centre, 9 top right;
  // anything else reads as bottom left.
  const int position =
      text.relativePosition >= 1 && text.relativePosition <= 9 ? text.relativePosition : 1;
  layout.column = (position - 1) % 3;
  const int row = (position - 1) / 3;  // 0 bottom, 1 middle, 2 top
  const double height = text.height;
  layout.pitch = linePitchPerHeight * height;
  layout.blockHeight = height + static_cast<double>(layout.lines.size() - 1) * layout.pitch;
  layout.blockWidth = characterWidthPerHeight * height * static_cast<double>(layout.longestLine);
  if (row == 0) {
    layout.blockTop = -layout.blockHeight;
  } else if (row == 1) {
    layout.blockTop = -layout.blockHeight / 2;
  } else {
    layout.blockTop = 0;
  }
  layout.firstBaseline = layout.blockTop + height;
  return layout;
}

void addExtent(boxC& box, const elementC& element) {
  switch (element.kind) {
    case elementKind::line:
      box.add(element.a.x, element.a.y);
      box.add(element.b.x, element.b.y);
      return;
    case elementKind::circle:
      box.add(element.centre.x - element.radius, element.centre.y - element.radius);
      box.add(element.centre.x + element.radius, element.centre.y + element.radius);
      return;
    case elementKind::arc: {
      box.add(element.a.x, element.a.y);
      box.add(element.b.x, element.b.y);
      const double sweep = arcSweep(element);
      double start = std::fmod(element.startAngle, 360.0);
      if (start < 0) start += 360.0;
      const double cx = element.centre.x;
      const double cy = element.centre.y;
      const double r = element.radius;
      // The axis directions the sweep passes: 0, 90, 180, 270 degrees and
      // the same one turn on.
      for (int k = 0; k < 8; ++k) {
        const double axis = 90.0 * k;
        if (sweep < 360.0 && !(axis >= start && axis <= start + sweep)) continue;
        switch (k % 4) {
          case 0: box.add(cx + r, cy); break;
          case 1: box.add(cx, cy + r); break;
          case 2: box.add(cx - r, cy); break;
          default: box.add(cx, cy - r); break;
        }
      }
      return;
    }
    case elementKind::text: {
      const textLayoutC layout = layoutText(element);
      double sine = 0;
      double cosine = 1;
      sinCosDegrees(element.angle, sine, cosine);
      const double left = -layout.blockWidth * layout.column / 2;
      const double xs[2] = {left, left + layout.blockWidth};
      // The frame's y runs down; the drawing's up.
      const double ys[2] = {-layout.blockTop, -(layout.blockTop + layout.blockHeight)};
      for (const double x : xs) {
        for (const double y : ys) {
          box.add(element.a.x + x * cosine - y * sine, element.a.y + x * sine + y * cosine);
        }
      }
      return;
    }
  }
}

}  // namespace lorvane::preview::svg
