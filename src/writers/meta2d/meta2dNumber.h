#pragma once
#include <cstddef>

namespace lorvane {

// META2D numbers are what "%1.24f" writes, cut (not rounded) to their first
// 24 characters, so that each field has the same width. Returns the number of
// characters written into out, which must hold kMeta2dNumberWidth.
inline constexpr std::size_t kMeta2dNumberWidth = 24;
std::size_t formatMeta2dNumber(double value, char* out);

}  // namespace lorvane
