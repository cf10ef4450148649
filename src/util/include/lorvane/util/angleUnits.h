#pragma once
#include <numbers>

namespace lorvane {

// Written files are compared bit for bit, and a degree becomes a radian in
// different orders of operation in different places (each matches the file it
// reads or the output it was made for): the names say which order they keep.

inline constexpr double kPi = std::numbers::pi;
inline constexpr double kTwoPi = 2 * kPi;

// degrees / 180 * pi
constexpr double degreesToRadiansDividingFirst(double degrees) { return degrees / 180 * kPi; }
// degrees * pi / 180
constexpr double degreesToRadiansMultiplyingFirst(double degrees) { return degrees * kPi / 180; }
// degrees * (pi / 180): one factor, rounded once.
constexpr double degreesToRadiansByFactor(double degrees) { return degrees * (kPi / 180); }
// radians * 180 / pi
constexpr double radiansToDegreesMultiplyingFirst(double radians) { return radians * 180 / kPi; }

}  // namespace lorvane
