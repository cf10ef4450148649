#pragma once
#include <cstddef>

namespace lorvane {

// META2D numbers are what "%1.24f" writes, cut (not rounded) to their first
// 24 characters, so that each field has the same width. Returns the number of
// characters written into out, which must hold kMeta2dNumberWidth.
inline constexpr std::size_t kMeta2dNumberWidth = 24;
// `fits` tells whether a reader gets the value back from the field: false for
// NaN and the infinities, and for a value whose sign and integer digits take
// all 24 characters, which leaves the field without its decimal point.
std::size_t formatMeta2dNumber(double value, char* out, bool& fits);
inline std::size_t formatMeta2dNumber(double value, char* out) {
  bool fits = false;
  return formatMeta2dNumber(value, out, fits);
}

}  // namespace lorvane
