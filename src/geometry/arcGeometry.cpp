#include "lorvane/geometry/arcGeometry.h"

#include <cmath>

namespace lorvane {

namespace {

// Angles from vectorAngle need one raise at most. Values from elsewhere may
// be huge or infinite, where adding 360 no longer moves them: the loop stops
// there, or after a bounded number of turns.
constexpr int kMaxTurnRaises = 1 << 20;

double raisedByTurn(double to) { return to + 360; }

}  // namespace

double applyTurnRule(double degrees) { return degrees >= kTurnRuleDegrees ? degrees - kTurnRuleDegrees : degrees; }

double plainVectorAngle(const point2dC& w, const point2dC& reference) {
  if (length(w) == 0 || length(reference) == 0) return 0.0;
  const point2dC r = snapped(unit(reference));
  const point2dC v = snapped(unit(w));
  double c = dot(r, v);
  if (c < -1) c = -1;
  if (c > 1) c = 1;
  double a = std::acos(c);
  if (dot(perpendicular(r), v) < 0) a = 2 * kPi - a;
  return radiansToDegreesMultiplyingFirst(a);
}

double vectorAngle(const point2dC& w, const point2dC& reference) { return applyTurnRule(plainVectorAngle(w, reference)); }

bisectorC chordBisector(const point2dC& p, const point2dC& b) {
  return {add(p, divided(subtract(b, p), 2)), perpendicular(subtract(b, p))};
}

point2dC bisectorCrossing(const bisectorC& first, const bisectorC& second, bool* valid) {
  const point2dC& m1 = first.middle;
  const point2dC& d1 = first.direction;
  const point2dC& m2 = second.middle;
  const point2dC& d2 = second.direction;
  const double det = d1.x * d2.y - d1.y * d2.x;
  if (det == 0) {
    if (valid) *valid = false;
    return {0.0, 0.0};
  }
  const double s = ((m2.x - m1.x) * d2.y - (m2.y - m1.y) * d2.x) / det;
  if (valid) *valid = true;
  return {m1.x + s * d1.x, m1.y + s * d1.y};
}

point2dC circumcentre(const point2dC& a, const point2dC& b, const point2dC& c, bool* valid) {
  return bisectorCrossing(chordBisector(a, b), chordBisector(c, b), valid);
}

bool arcIsClockwise(double as, double am, double ae) {
  if (am > as) return ae <= am && ae >= as;
  return ae <= am || ae >= as;
}

anglePairC writerAnglePair(double startAngle, double endAngle, bool clockwise) {
  anglePairC pair{startAngle, endAngle};
  if (clockwise) pair = {endAngle, startAngle};
  for (int i = 0; i < kMaxTurnRaises && pair.to <= pair.from; ++i) {
    const double raised = raisedByTurn(pair.to);
    if (raised == pair.to) break;
    pair.to = raised;
  }
  return pair;
}

anglePairC sweepAnglePair(double startAngle, double endAngle, bool clockwise) {
  anglePairC pair{startAngle, endAngle};
  if (clockwise) pair = {endAngle, startAngle};
  for (int i = 0; i < kMaxTurnRaises && pair.to < pair.from; ++i) {
    const double raised = raisedByTurn(pair.to);
    if (raised == pair.to) break;
    pair.to = raised;
  }
  return pair;
}

double arcLength(double startAngle, double endAngle, bool clockwise, double radius) {
  const anglePairC pair = sweepAnglePair(startAngle, endAngle, clockwise);
  const double sweep = pair.to - pair.from;
  return degreesToRadiansDividingFirst(sweep * radius);
}

arcValuesC arcValues(const point2dC& start, const point2dC& middle, const point2dC& end) {
  arcValuesC v{};
  v.centre = circumcentre(start, middle, end);
  v.radius = length(subtract(start, v.centre));
  v.startAngle = vectorAngle(subtract(start, v.centre));
  v.middleAngle = vectorAngle(subtract(middle, v.centre));
  v.endAngle = vectorAngle(subtract(end, v.centre));
  v.clockwise = arcIsClockwise(v.startAngle, v.middleAngle, v.endAngle);
  return v;
}

}  // namespace lorvane
