#include "lorvane/preview/svgGrid.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "lorvane/preview/svgGeometry.h"

namespace lorvane::preview::svg {

namespace {

// Powers of ten by repeated multiplication: the same double on every
// platform, where pow and log10 may differ in their last bit.
double powerOfTen(int exponent) {
  double value = 1;
  for (int i = 0; i < std::abs(exponent); ++i) value *= 10;
  return exponent < 0 ? 1 / value : value;
}

// The decimals of the largest power of ten not above the length.
int decimalsAtMost(double length) {
  int decimals = 0;
  while (decimals < 330 && powerOfTen(-decimals) > length) ++decimals;
  while (decimals > -330 && powerOfTen(-(decimals - 1)) <= length) --decimals;
  return decimals;
}

double largestMagnitude(const elementC& element) {
  const double points = std::max({std::fabs(element.a.x), std::fabs(element.a.y), std::fabs(element.b.x),
                                  std::fabs(element.b.y)});
  return std::max(points, std::fabs(element.centre.x) + element.radius + std::fabs(element.centre.y));
}

constexpr double largestSteps = 1e15;  // exact in a double and an int64

}  // namespace

gridC::gridC(int decimals) : decimals_(decimals), scale_(powerOfTen(std::abs(decimals))), divide_(decimals < 0) {}

gridC gridC::forScene(const sceneC& scene, double unitsPerPixel) {
  double precision = 0;
  double magnitude = 0;
  for (const elementC& element : scene.elements) {
    if (!isDrawable(element)) continue;
    const valueErrorsC& e = element.error;
    for (double error : {e.a.x, e.a.y, e.b.x, e.b.y, e.centre.x, e.centre.y}) {
      if (std::isfinite(error)) precision = std::max(precision, error);
    }
    magnitude = std::max(magnitude, largestMagnitude(element));
  }
  const double pixel = std::isfinite(unitsPerPixel) && unitsPerPixel > 0 ? unitsPerPixel : 1;
  int decimals = decimalsAtMost(pixel / 100);
  if (precision > 0) decimals = std::min(decimals, decimalsAtMost(2 * precision));
  decimals = std::max(decimals, decimalsAtMost(pixel));
  while (decimals > -330 && magnitude / powerOfTen(-decimals) >= largestSteps) --decimals;
  return gridC(decimals);
}

double gridC::step() const { return powerOfTen(-decimals_); }

std::int64_t gridC::steps(double value) const {
  const double scaled = divide_ ? value / scale_ : value * scale_;
  if (!(std::fabs(scaled) < 9e18)) return 0;
  return std::llround(scaled);
}

void gridC::append(std::string& out, std::int64_t steps) const {
  if (steps == 0) {
    out += '0';
    return;
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, steps < 0 ? -steps : steps);
  std::string_view digits(buffer, static_cast<std::size_t>(result.ptr - buffer));
  if (steps < 0) out += '-';
  if (decimals_ <= 0) {
    out.append(digits);
    out.append(static_cast<std::size_t>(-decimals_), '0');
    return;
  }
  const std::size_t places = static_cast<std::size_t>(decimals_);
  std::size_t significant = digits.size();
  std::size_t trailingZeros = 0;
  while (trailingZeros < places && digits[significant - 1 - trailingZeros] == '0') ++trailingZeros;
  if (digits.size() > places) {
    out.append(digits.substr(0, digits.size() - places));
    if (trailingZeros < places) {
      out += '.';
      out.append(digits.substr(digits.size() - places, places - trailingZeros));
    }
    return;
  }
  out += '.';
  out.append(places - digits.size(), '0');
  out.append(digits.substr(0, digits.size() - trailingZeros));
}

}  // namespace lorvane::preview::svg
