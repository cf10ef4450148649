#pragma once
#include <cmath>
#include <cstddef>

#include "lorvane/geometry/vectorMath.h"

namespace lorvane {

// 5 degrees (bit pattern 3FB657184AE74487), taken when the step passed is 0.
inline constexpr double kDefaultAngularStep = 0.08726646259971647;

// Stored values can ask for any number of samples (a huge span, a step so
// small that it vanishes against the parameter). Sampling stops here and
// closes onto the end; no sensible drawing comes near it.
inline constexpr std::size_t kMaxSamples = std::size_t{1} << 20;

// A step of 0 means the default step. A negative step or one that is not a
// number would never reach the end: it is taken as the default step too.
inline double effectiveStep(double step) { return step > 0 ? step : kDefaultAngularStep; }

// Samples a curve by its parameter with the running sum t = t + h (never
// t = k * h: the sum's rounding decides the last sample): t = from, from + h,
// ... while t < to, then the point at to unless t landed on it exactly.
template <class PointAt>
std::size_t sampleParameterRange(double from, double to, double step, PointAt&& pointAt, pointListC& out) {
  const double h = effectiveStep(step);
  const std::size_t before = out.size();
  double t = from;
  std::size_t count = 0;
  while (t < to && count < kMaxSamples) {
    out.push_back(pointAt(t));
    ++count;
    const double next = t + h;
    if (next == t) break;
    t = next;
  }
  if (t != to) out.push_back(pointAt(to));
  return out.size() - before;
}

// An elliptic arc from parameter t1 to t2 (radians); when t2 < t1 the
// start moves back by a turn, not the end forward. Ends that are not finite
// leave no curve to follow. On an ellipse with both radii they come from a
// stored value that is not finite: the arc gives its two end points only,
// which carry that value on, so that the writers report a number the file
// cannot hold instead of the arc vanishing. With a zero radius, placing an
// arc of finite numbers leaves such ends too (0/0): that arc stays empty.
template <class PointAt>
void sampleEllipticArc(double t1, double t2, bool hasBothRadii, double step, PointAt&& pointAt, pointListC& out) {
  if (hasBothRadii && !(std::isfinite(t1) && std::isfinite(t2))) {
    out.push_back(pointAt(t1));
    out.push_back(pointAt(t2));
    return;
  }
  if (t2 < t1) t1 = t1 - kTwoPi;
  sampleParameterRange(t1, t2, step, pointAt, out);
}

}  // namespace lorvane
