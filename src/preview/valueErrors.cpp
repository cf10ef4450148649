#include "lorvane/preview/valueErrors.h"

#include <cmath>

#include "lorvane/util/angleUnits.h"

namespace lorvane::preview {
namespace {

}  // namespace

pointC sumError(pointC first, pointC second) { return {first.x + second.x, first.y + second.y}; }

// The difference of the two points moves by at most the sum of their errors
// in each coordinate, and the distance by at most the length of that move.
double distanceError(pointC from, pointC to) { return std::hypot(from.x + to.x, from.y + to.y); }

// r cos t moves by at most |dr| (cos is at most 1 in size) plus (|r| + |dr|)
// times |dt| (cos moves by at most the angle it is turned by); the same for
// the sine.
pointC pointOnCircleError(pointC centre, double radius, double radiusError, double angleError) {
  const double turn = radiusError + (std::fabs(radius) + radiusError) * angleError;
  return {centre.x + turn, centre.y + turn};
}

// A change (dc, ds) turns the vector by the part of it across the vector,
// |c ds - s dc| / |v|, over the length |v| - |(dc, ds)| it has at least.
double directionError(double cosine, double sine, double cosineError, double sineError) {
  const double length = std::hypot(cosine, sine);
  const double shortest = length - std::hypot(cosineError, sineError);
  if (!(shortest > 0)) return 180;
  const double across = (std::fabs(cosine) * sineError + std::fabs(sine) * cosineError) / length;
  return radiansToDegreesMultiplyingFirst(std::asin(std::fmin(1.0, across / shortest)));
}

}  // namespace lorvane::preview
