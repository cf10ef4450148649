#pragma once
#include "lorvane/geometry/vectorMath.h"

namespace lorvane {

// The writers' rule for a full turn: an angle of 359.9999 degrees or more
// is taken as its excess over 359.9999.
inline constexpr double kTurnRuleDegrees = 359.9999;
double applyTurnRule(double degrees);

// Angle of w against the reference r in degrees before the turn rule, in
// [0, 360]. A zero vector (a point on the centre) has angle 0.
double plainVectorAngle(const point2dC& w, const point2dC& reference);
// Against the x axis {1, 0}.
double plainVectorAngle(const point2dC& w);
// The angle as the writers take it: the plain angle under the turn rule, in
// [0, 359.9999).
double vectorAngle(const point2dC& w, const point2dC& reference);
double vectorAngle(const point2dC& w);

// Centre of the circle through a, b and c. Collinear points have none: the
// result is then the origin and, where asked, valid is false.
point2dC circumcentre(const point2dC& a, const point2dC& b, const point2dC& c, bool* valid = nullptr);

// The perpendicular bisector of the chord from p to b, as circumcentre
// takes it: the chord's middle and its direction turned a quarter.
struct bisectorC {
  point2dC middle;
  point2dC direction;
};
// Inline: the fitting takes both for nearly every point it reads.
inline bisectorC chordBisector(const point2dC& p, const point2dC& b) {
  return {add(p, divided(subtract(b, p), 2)), perpendicular(subtract(b, p))};
}
// circumcentre(a, b, c) is bisectorCrossing(chordBisector(a, b), chordBisector(c, b)):
// a caller that keeps a and b computes the first once.
inline point2dC bisectorCrossing(const bisectorC& first, const bisectorC& second, bool* valid = nullptr) {
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

// Sense of a three-point arc from the angles of its start, middle and end
// point about the centre: true when it runs clockwise.
bool arcIsClockwise(double startAngle, double middleAngle, double endAngle);

// Start and end of the arc as a counter-clockwise sweep, in degrees:
// from < to <= from + 360.
struct anglePairC {
  double from;
  double to;
};

// The pair both writers receive: exchanged when clockwise, then to raised by
// 360 while it is not above from, so equal angles make a full turn.
anglePairC writerAnglePair(double startAngle, double endAngle, bool clockwise);
// The same pair as the length sees it: to is raised only while it is below
// from, so equal angles sweep nothing.
anglePairC sweepAnglePair(double startAngle, double endAngle, bool clockwise);
double arcLength(double startAngle, double endAngle, bool clockwise, double radius);

// Everything a three-point arc derives from its points.
struct arcValuesC {
  point2dC centre;
  double radius;
  double startAngle;
  double middleAngle;
  double endAngle;
  bool clockwise;
};
arcValuesC arcValues(const point2dC& start, const point2dC& middle, const point2dC& end);

}  // namespace lorvane
