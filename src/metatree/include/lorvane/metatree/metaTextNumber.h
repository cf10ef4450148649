#pragma once
#include <cstddef>
#include <string_view>

#include "lorvane/metatree/runtimeExport.h"

namespace lorvane {

// Numbers in the text form have the "C" locale's syntax whatever locale the
// host process runs in, so a tree written on one machine reads on any other.

// Converts a whole word to a double: decimal floating-point syntax with an
// optional sign ("+" included), or a signed inf/nan word. A word that does not
// convert to its last character is rejected. Magnitudes beyond the double
// range give an infinity or zero of the word's sign.
LORVANE_RUNTIME_API bool parseTextNumber(std::string_view word, double& value);

// Room formatTextNumber needs at most.
inline constexpr std::size_t kTextNumberMaxChars = 32;

// Writes the value with 14 significant digits in the shorter of fixed and
// exponent notation, trailing zeros dropped (the bytes "%.14g" gives in the
// "C" locale). NaN and infinities get an explicit sign ("+nan", "-inf") so
// that they read back as numbers. Returns the number of characters written.
LORVANE_RUNTIME_API std::size_t formatTextNumber(double value, char* out);

// The same with the fewest significant digits that read back as the very
// same double (at most 17), for a text that must convert as its tree does.
LORVANE_RUNTIME_API std::size_t formatExactTextNumber(double value, char* out);

}  // namespace lorvane
