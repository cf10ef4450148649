#pragma once
#include <cstddef>

namespace lorvane {

// META2D numbers are what "%1.24f" writes, cut (not rounded) to their first
// 24 characters, so that each field has the same width. Returns the number of
// characters of the field written at out, which must have room for
// kMeta2dNumberRoom: the characters behind the field may be overwritten, so
// that a field is rendered where it is used, without a copy.
inline constexpr std::size_t kMeta2dNumberWidth = 24;
inline constexpr std::size_t kMeta2dNumberRoom = 64;
// `fits` tells whether a reader gets the value back from the field: false for
// NaN and the infinities, and for a value whose sign and integer digits take
// all 24 characters, which leaves the field without its decimal point.
std::size_t formatMeta2dNumber(double value, char* out, bool& fits);
inline std::size_t formatMeta2dNumber(double value, char* out) {
  bool fits = false;
  return formatMeta2dNumber(value, out, fits);
}

}  // namespace lorvane
