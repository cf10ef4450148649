#pragma once
// How the error of printed numbers carries into values computed from them.
// Every bound holds whatever the errors' signs, so it is the largest error
// the computed value can have, not an estimate.
#include "lorvane/preview/scene.h"

namespace lorvane::preview {

// Per coordinate: the error of a sum of two points (a part's position added
// to a point of the part).
pointC sumError(pointC first, pointC second);

// The error of the distance between two points known within their
// per-coordinate errors (a radius from a printed centre and a printed point
// on the circle).
double distanceError(pointC from, pointC to);

// Per coordinate: the error of centre + radius * (cos t, sin t), t in
// radians, from the errors of the centre, the radius and t.
pointC pointOnCircleError(pointC centre, double radius, double radiusError, double angleError);

// In degrees: the error of the direction of the vector (cosine, sine), each
// printed within its error. Half a turn when the vector may be zero.
double directionError(double cosine, double sine, double cosineError, double sineError);

}  // namespace lorvane::preview
