#pragma once
// Numbers as the two writers print them, read back strictly: a field that a
// writer cannot have produced is rejected rather than guessed at. Parsing is
// locale-independent.
#include <string_view>

namespace lorvane::preview {

// A "%d" integer: an optional minus sign and decimal digits, without leading
// zeros, "-0" or anything else in the field. False also when the value does
// not fit 64 bits.
bool parseDecimalInteger(std::string_view field, long long& value);

enum class meta2dNumberResult { ok, malformed, tooLarge };

// A META2D number: the first 24 characters of a fixed rendering with 24
// decimals, so an optional sign, digits and a point followed by what is left
// of the decimals; or one of "nan", "-nan", "inf", "-inf", which the writer
// prints uncut. A rendering without a point lost integer digits to the cut:
// the value is unknown and the field is reported as too large.
// `precision` is the largest error of the value against what the writer had:
// the truncated decimals, or the double's own resolution when that is coarser
// (infinite for NaN and infinities).
meta2dNumberResult parseMeta2dNumber(std::string_view field, double& value, double& precision);

// An MI float: "%g" with at most six significant digits and an exponent of
// at least three digits ("1.5e+006"), or "nan", "inf", "-inf". `precision` is
// half a unit of the sixth significant digit (0 for zero, infinite for NaN
// and infinities).
bool parseMiFloat(std::string_view field, double& value, double& precision);

// Any decimal float std::from_chars reads in its general format, the whole
// field consumed: the MI width line, which the writer prints with its own
// fixed or exponent rendering.
bool parsePlainFloat(std::string_view field, double& value);

}  // namespace lorvane::preview
