#pragma once
#include "lorvane/geometry/vectorMath.h"

namespace lorvane {

// The writers' rule for a full turn: an angle of 359.9999 degrees or more
// is taken as its excess over 359.9999.
inline constexpr double kTurnRuleDegrees = 359.9999;
double applyTurnRule(double degrees);

// Angle of w against the reference r in degrees before the turn rule, in
// [0, 360]. A zero vector (a point on the centre) has angle 0.
double plainVectorAngle(const point2dC& w, const point2dC& reference = {1.0, 0.0});
// The angle as the writers take it: the plain angle under the turn rule, in
// [0, 359.9999).
double vectorAngle(const point2dC& w, const point2dC& reference = {1.0, 0.0});

// Centre of the circle through a, b and c. Collinear points have none: the
// result is then the origin and, where asked, valid is false.
point2dC circumcentre(const point2dC& a, const point2dC& b, const point2dC& c, bool* valid = nullptr);

// The perpendicular bisector of the chord from p to b, as circumcentre
// takes it: the chord's middle and its direction turned a quarter.
struct bisectorC {
  point2dC middle;
  point2dC direction;
};
bisectorC chordBisector(const point2dC& p, const point2dC& b);
// circumcentre(a, b, c) is bisectorCrossing(chordBisector(a, b), chordBisector(c, b)):
// a caller that keeps a and b computes the first once.
point2dC bisectorCrossing(const bisectorC& first, const bisectorC& second, bool* valid = nullptr);

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
