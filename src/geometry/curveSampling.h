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

}  // namespace lorvane
