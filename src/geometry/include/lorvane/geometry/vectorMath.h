#pragma once
#include <cmath>
#include <vector>

#include "lorvane/metatree/vector2d.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {

// Every computation of the kernel is written out operation by operation: the
// writers' output is compared bit for bit, so the order of floating-point
// operations is part of the result.
using point2dC = vectorC2d<double>;
using pointListC = std::vector<point2dC>;

inline point2dC add(const point2dC& a, const point2dC& b) { return {a.x + b.x, a.y + b.y}; }
inline point2dC subtract(const point2dC& a, const point2dC& b) { return {a.x - b.x, a.y - b.y}; }
inline point2dC scaled(const point2dC& v, double f) { return {v.x * f, v.y * f}; }
inline point2dC divided(const point2dC& v, double d) { return {v.x / d, v.y / d}; }
inline double dot(const point2dC& a, const point2dC& b) { return a.x * b.x + a.y * b.y; }
inline double length(const point2dC& v) { return std::sqrt(v.x * v.x + v.y * v.y); }
inline point2dC perpendicular(const point2dC& v) { return {-v.y, v.x}; }
// Multiplied by the reciprocal, not divided: that is the rounding both
// writers' reference output was made with. A zero vector gives NaN.
inline point2dC unit(const point2dC& v) { return scaled(v, 1 / length(v)); }

// Components within 1e-8 of zero become zero, each on its own.
inline point2dC snapped(const point2dC& v) {
  return {std::fabs(v.x) < 1e-8 ? 0.0 : v.x, std::fabs(v.y) < 1e-8 ? 0.0 : v.y};
}

// The closure test of the fitting: both coordinates closer than 1e-8.
inline bool nearlyEqual(const point2dC& a, const point2dC& b) {
  return std::fabs(a.x - b.x) < 1e-8 && std::fabs(a.y - b.y) < 1e-8;
}

// Rotation of a column vector counter-clockwise by an angle in degrees; the
// degrees go to radians as a / 180 * pi.
struct rotation2dC {
  double cosA;
  double sinA;

  static rotation2dC degrees(double a) {
    const double radians = degreesToRadiansDividingFirst(a);
    return {std::cos(radians), std::sin(radians)};
  }
  point2dC apply(const point2dC& v) const { return {v.x * cosA - v.y * sinA, v.x * sinA + v.y * cosA}; }
};

}  // namespace lorvane
