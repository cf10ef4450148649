#include "writers/me10/miNumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace lorvane {

std::size_t formatMiFloat(double value, char* out) {
  // Whether a NaN carries a sign depends on the floating-point unit that
  // made it (x87 and SSE differ for some operations); the file never shows it.
  if (std::isnan(value)) {
    std::memcpy(out, "nan", 3);
    return 3;
  }
  // to_chars writes what printf's "%.6g" writes in the "C" locale, but never
  // consults the process locale; NaN and infinities come out as "nan" and
  // "inf" on every platform.
  const std::to_chars_result done = std::to_chars(out, out + kMiNumberBufferSize, value, std::chars_format::general, 6);
  std::size_t length = static_cast<std::size_t>(done.ptr - out);
  const void* mark = std::memchr(out, 'e', length);
  if (!mark) return length;
  // The exponent is written with at least three digits, as the C runtime of
  // the ME10 system's platform writes it: zeros go in after the sign.
  const std::size_t digitsAt = static_cast<std::size_t>(static_cast<const char*>(mark) - out) + 2;
  const std::size_t digits = length - digitsAt;
  if (digits >= 3) return length;
  const std::size_t pad = 3 - digits;
  std::memmove(out + digitsAt + pad, out + digitsAt, digits);
  std::memset(out + digitsAt, '0', pad);
  return length + pad;
}

void widenExponent(std::string& text) {
  const std::size_t mark = text.find('e');
  if (mark == std::string::npos || mark + 1 >= text.size()) return;
  const std::size_t digitsAt = text[mark + 1] == '+' || text[mark + 1] == '-' ? mark + 2 : mark + 1;
  const std::size_t digits = text.size() - digitsAt;
  if (digits < 3) text.insert(digitsAt, 3 - digits, '0');
}

std::string formatMiFloat(double value) {
  char buffer[kMiNumberBufferSize];
  return std::string(buffer, formatMiFloat(value, buffer));
}

std::size_t formatMiInt(std::int32_t value, char* out) {
  return static_cast<std::size_t>(std::to_chars(out, out + kMiNumberBufferSize, value).ptr - out);
}

}  // namespace lorvane
