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

namespace {

// The angle of the unit vector v against the unit reference r, both snapped.
// Inline everywhere: every written arc takes it three times.
[[gnu::always_inline]] inline double angleOfUnit(const point2dC& r, const point2dC& v) {
  double c = dot(r, v);
  if (c < -1) c = -1;
  if (c > 1) c = 1;
  double a = std::acos(c);
  if (dot(perpendicular(r), v) < 0) a = 2 * kPi - a;
  return radiansToDegreesMultiplyingFirst(a);
}

// unit(v) with the length that was just tested taken again, not recomputed.
point2dC unitOfLength(const point2dC& v, double vLength) { return scaled(v, 1 / vLength); }

}  // namespace

double plainVectorAngle(const point2dC& w, const point2dC& reference) {
  const double wLength = length(w);
  if (wLength == 0) return 0.0;
  const double referenceLength = length(reference);
  if (referenceLength == 0) return 0.0;
  return angleOfUnit(snapped(unitOfLength(reference, referenceLength)), snapped(unitOfLength(w, wLength)));
}

namespace {

// The x axis as the general form takes it: its length is exactly 1 and its
// unit and snapped forms are itself, so they are not computed anew.
[[gnu::always_inline]] inline double plainXAxisAngle(const point2dC& w) {
  const double wLength = length(w);
  if (wLength == 0) return 0.0;
  return angleOfUnit(point2dC{1.0, 0.0}, snapped(unitOfLength(w, wLength)));
}

}  // namespace

double plainVectorAngle(const point2dC& w) { return plainXAxisAngle(w); }

double vectorAngle(const point2dC& w, const point2dC& reference) { return applyTurnRule(plainVectorAngle(w, reference)); }

double vectorAngle(const point2dC& w) { return applyTurnRule(plainVectorAngle(w)); }

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
  // circumcentre and vectorAngle written out, so that nothing is called
  // but the square roots and arc cosines.
  v.centre = bisectorCrossing(chordBisector(start, middle), chordBisector(end, middle));
  v.radius = length(subtract(start, v.centre));
  v.startAngle = applyTurnRule(plainXAxisAngle(subtract(start, v.centre)));
  v.middleAngle = applyTurnRule(plainXAxisAngle(subtract(middle, v.centre)));
  v.endAngle = applyTurnRule(plainXAxisAngle(subtract(end, v.centre)));
  v.clockwise = arcIsClockwise(v.startAngle, v.middleAngle, v.endAngle);
  return v;
}

}  // namespace lorvane
