#pragma once
#include <cmath>

namespace lorvane {

// A point of an ME10 part. Parts share points: elements refer to them by
// index, and points that lie within kME10PointTolerance of each other in both
// coordinates count as one.
struct ME10Point {
  double x = 0.0;
  double y = 0.0;
};

inline constexpr double kME10PointTolerance = 1e-10;

// Both bounds are inclusive. A NaN or infinite coordinate never coincides
// with anything: the difference is then NaN or infinite and fails the test.
inline bool coincide(const ME10Point& a, const ME10Point& b) {
  return std::fabs(a.x - b.x) <= kME10PointTolerance && std::fabs(a.y - b.y) <= kME10PointTolerance;
}

}  // namespace lorvane
