#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace lorvane {

// Numbers as the MI file writes them, byte for byte the same on every
// platform and in every locale.

inline constexpr std::size_t kMiNumberBufferSize = 32;

// "%g": six significant digits, trailing zeros dropped, exponent form below
// 1e-4 and from 1e6 on, '.' as decimal point, and an exponent of at least
// three digits (1.5e+006, 1e-005); "inf", "-inf" and "nan" (never "-nan").
// Returns the length written into out, which
// must hold kMiNumberBufferSize characters; no terminating zero is written.
std::size_t formatMiFloat(double value, char* out);
std::string formatMiFloat(double value);

// Gives the exponent of a number written in exponent form at least three
// digits; text without an exponent is left as it is.
void widenExponent(std::string& text);

// "%d".
std::size_t formatMiInt(std::int32_t value, char* out);

}  // namespace lorvane
