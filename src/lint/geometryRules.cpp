#include "geometryRules.h"

#include <cmath>

#include "lorvane/geometry/arcGeometry.h"
#include "structureRules.h"
#include "valueRules.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::cli::lint {
namespace {

// Sweeps that differ by less are the rule's own shift of 0.0001 degrees.
constexpr double kSweepTolerance = 0.001;

// The n-th POINT children (from 0); false when one is missing or not two numbers.
template <std::size_t N>
bool shapePoints(const metaTreeC* shape, point2dC (&points)[N]) {
  std::size_t n = 0;
  for (const metaTreeC* c = shape->firstChild(); c && n < N; c = c->next()) {
    if (!c->hasKey("POINT")) continue;
    if (!readPoint(c, points[n].x, points[n].y)) return false;
    ++n;
  }
  return n == N;
}

// The angle the writers would take without the turn rule, in [0, 360).
double angleWithoutTurnRule(const point2dC& v) {
  const double a = plainVectorAngle(v);
  return a >= 360 ? a - 360 : a;
}

// The sweep of the counter-clockwise arc the writers draw, 0 to 360.
double arcSweep(const double (&angles)[3]) {
  const anglePairC pair =
      writerAnglePair(angles[0], angles[2], arcIsClockwise(angles[0], angles[1], angles[2]));
  return pair.to - pair.from;
}

void checkArc(const scannedRecordC& arc, lintContextC& context) {
  point2dC p[3];
  if (!shapePoints(arc.node, p)) return;  // told as missing or bad points
  bool valid = false;
  // The writers' own circumcentre, so that "exactly collinear" means what it
  // means to them.
  const point2dC centre = circumcentre(p[0], p[1], p[2], &valid);
  if (!valid) {
    const bool coincide = (p[0].x == p[1].x && p[0].y == p[1].y) || (p[1].x == p[2].x && p[1].y == p[2].y) ||
                          (p[0].x == p[2].x && p[0].y == p[2].y);
    context.add(lintRule::collinearArc, arc.node,
                std::string("ARC through ") + (coincide ? "coinciding points" : "three points on one line") +
                    ": written as an arc about the origin");
    return;
  }
  const double radius = std::hypot(p[0].x - centre.x, p[0].y - centre.y);
  if (!fitsMeta2dField(centre.x) || !fitsMeta2dField(centre.y) || !fitsMeta2dField(radius)) {
    context.add(lintRule::meta2dFieldOverflow, arc.node,
                "ARC through nearly collinear points has the radius " + numberText(radius) +
                    ", which a 24-character META2D field cannot hold");
    return;
  }
  double ruled[3], plain[3];
  for (int i = 0; i < 3; ++i) {
    ruled[i] = vectorAngle(subtract(p[i], centre));
    plain[i] = angleWithoutTurnRule(subtract(p[i], centre));
  }
  const double drawn = arcSweep(ruled);
  const double meant = arcSweep(plain);
  if (std::fabs(drawn - meant) > kSweepTolerance) {
    context.add(lintRule::sweepChangedByAngleRule, arc.node,
                "ARC sweeps " + numberText(meant) + " degrees, but an end within 0.0001 degrees below a full turn "
                "is measured from 0: it is written sweeping " + numberText(drawn) + " degrees");
  }
}

void checkRadius(const scannedRecordC& shape, std::string_view key, lintContextC& context) {
  double radius = 0;
  const metaTreeC* member = shape.member(key);
  if (!numberValue(member, radius)) return;
  if (radius == 0) {
    context.add(lintRule::zeroRadius, member, memberName(member) + " is 0");
  } else if (radius < 0) {
    context.add(lintRule::negativeRadius, member,
                memberName(member) + " " + numberText(radius) + " is negative" +
                    (shape.node->hasKey("CIRCLE") ? ": META2D writes it as it is, MI draws the radius " +
                                                        numberText(-radius)
                                                  : std::string(": the shape is drawn mirrored or turned")));
  }
}

// An angle as placing an ellipse leaves it: within [0, 359.9999).
double placedAngle(double degrees) {
  double a = std::fmod(degrees, 360.0);
  if (a < 0) a += 360;
  return applyTurnRule(a);
}

// The parameter sweep an elliptic arc is sampled over, in degrees.
double ellipseSweep(double from, double to) { return to >= from ? to - from : to - from + 360; }

void noteTurnRule(const scannedRecordC& shape, std::string_view key, lintContextC& context) {
  double angle = 0;
  const metaTreeC* member = shape.member(key);
  if (!numberValue(member, angle) || !std::isfinite(angle) || angle < kTurnRuleDegrees) return;
  context.add(lintRule::angleAtTurnRule, member,
              memberName(member) + " " + numberText(angle) + " is placed as " + numberText(placedAngle(angle)));
}

void checkEllipse(const scannedRecordC& ellipse, lintContextC& context) {
  checkRadius(ellipse, "RAD1", context);
  checkRadius(ellipse, "RAD2", context);
  noteTurnRule(ellipse, "ANGLE", context);
  if (!ellipse.node->hasKey("ELLIPSEARC")) return;
  double from = 0, to = 0;
  const bool given = numberValue(ellipse.member("ANGLE1"), from) && numberValue(ellipse.member("ANGLE2"), to);
  if (!given || !std::isfinite(from) || !std::isfinite(to)) return;
  const double meant = ellipseSweep(from, to);
  const double drawn = ellipseSweep(placedAngle(from), placedAngle(to));
  if (std::fabs(meant - drawn) > kSweepTolerance) {
    context.add(lintRule::sweepChangedByAngleRule, ellipse.node,
                "ELLIPSEARC from ANGLE1 " + numberText(from) + " to ANGLE2 " + numberText(to) + " sweeps " +
                    numberText(meant) + " degrees, but placing it measures both in [0, 359.9999): it is drawn "
                    "sweeping " + numberText(drawn) + " degrees");
    return;
  }
  noteTurnRule(ellipse, "ANGLE1", context);
  noteTurnRule(ellipse, "ANGLE2", context);
}

void checkPointCount(const scannedRecordC& shape, std::uint32_t needed, lintContextC& context) {
  const std::uint32_t points = shape.countOf("POINT");
  const std::string key = keyText(shape.node);
  if (points < needed) {
    context.add(lintRule::missingPoints, shape.node,
                key + " has " + counted(points, "POINT") + " instead of " + std::to_string(needed) +
                    ": the missing ones read as (0, 0)");
  } else if (points > needed) {
    context.add(lintRule::extraPoints, shape.node,
                key + " has " + counted(points, "POINT") + ": only the first " + std::to_string(needed) +
                    " count");
  }
}

}  // namespace

void checkShapeGeometry(const scannedRecordC& shape, lintContextC& context) {
  const metaTreeC* node = shape.node;
  if (node->hasKey("LINE")) {
    checkPointCount(shape, 2, context);
    point2dC p[2];
    if (shapePoints(node, p) && p[0].x == p[1].x && p[0].y == p[1].y) {
      context.add(lintRule::zeroLengthLine, node,
                  "LINE from (" + numberText(p[0].x) + ", " + numberText(p[0].y) + ") to the same point");
    }
  } else if (node->hasKey("ARC")) {
    checkPointCount(shape, 3, context);
    checkArc(shape, context);
  } else if (node->hasKey("CIRCLE")) {
    checkRadius(shape, "RAD", context);
  } else if (node->hasKey("ELLIPSE") || node->hasKey("ELLIPSEARC")) {
    checkEllipse(shape, context);
  } else if (node->hasKey("ICRV2D")) {
    const std::uint32_t points = shape.countOf("POINT");
    if (points < 2) {
      context.add(lintRule::curveTooShort, node,
                  "ICRV2D has " + counted(points, "POINT") +
                      ": a curve needs two to be drawn");
    }
  } else if (node->hasKey("SPOINT")) {
    context.add(lintRule::curveTooShort, node, "SPOINT is a single point: neither writer draws it");
  }
}

}  // namespace lorvane::cli::lint
