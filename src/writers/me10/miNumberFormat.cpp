#include "lorvane/writers/me10/miNumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "lorvane/util/decimalDigits.h"

namespace lorvane {
namespace {

// "00" to "99".
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[static_cast<std::size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    pairs[static_cast<std::size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Powers of ten up to 10^9: each exact as a double.
constexpr double kScale[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
// 10^-4 to 10^5 as the doubles nearest to them.
constexpr double kBounds[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0, 1e1, 1e2, 1e3, 1e4, 1e5};

// "%g" of a value from 1e-4 to below 1e6 (the fixed form) without to_chars,
// for the common case; 0 when it cannot tell the digits for certain. The value
// is scaled to six digits before the point by one exact power of ten, so the
// product is off by at most 2^-33; unless its fraction lies that close to a
// half, rounding it gives the digits that rounding the exact value gives.
std::size_t formatFixedSixDigits(double value, char* out) {
  const double magnitude = std::fabs(value);
  if (!(magnitude >= 1e-4 && magnitude < 1e6)) return 0;
  // The decimal exponent; one too high only for a value within rounding of
  // that power of ten, whose six digits are 100000 at that exponent anyway.
  int exponent = 5;
  while (exponent > -4 && magnitude < kBounds[exponent + 4]) --exponent;
  const double scaled = magnitude * kScale[5 - exponent];
  // Positive and below 2^32: truncating is the floor.
  const double whole = static_cast<double>(static_cast<std::uint32_t>(scaled));
  const double fraction = scaled - whole;
  if (std::fabs(fraction - 0.5) < 1e-6) return 0;
  const auto digits = static_cast<std::uint32_t>(whole) + (fraction > 0.5 ? 1u : 0u);
  // Rounding up to 1000000 moves the exponent; to_chars handles that.
  if (digits < 100000 || digits > 999999) return 0;
  // The digits go in two at a time, and the output is copied in fixed
  // widths that the buffer has room for, which spares a loop per character.
  char six[12];
  std::memcpy(six, kDigitPairs.data() + 2 * (digits / 10000), 2);
  std::memcpy(six + 2, kDigitPairs.data() + 2 * (digits / 100 % 100), 2);
  std::memcpy(six + 4, kDigitPairs.data() + 2 * (digits % 100), 2);
  int kept = 6;
  while (kept > 1 && six[kept - 1] == '0') --kept;
  char* at = out;
  if (value < 0) *at++ = '-';
  if (exponent >= 0) {
    const int integral = exponent + 1;
    std::memcpy(at, six, 6);
    if (kept <= integral) return static_cast<std::size_t>(at - out + integral);
    // The fraction moves up one place to make room for the point.
    std::memcpy(at + integral + 1, six + integral, 6);
    at[integral] = '.';
    return static_cast<std::size_t>(at - out + kept + 1);
  }
  // 0.000ddd: as many zeros after the point as the exponent asks for.
  std::memcpy(at, "0.000", 6);
  const int zeros = -1 - exponent;
  std::memcpy(at + 2 + zeros, six, 6);
  return static_cast<std::size_t>(at - out + 2 + zeros + kept);
}

// The exponent is written with at least three digits, as the C runtime of
// the ME10 system's platform writes it: zeros go in after the sign. Where
// they go and how many; none for text without an exponent.
struct exponentPaddingC {
  std::size_t at = 0;
  std::size_t zeros = 0;
};

exponentPaddingC exponentPadding(std::string_view text) {
  const std::size_t mark = text.find('e');
  if (mark == std::string_view::npos || mark + 1 >= text.size()) return {};
  const std::size_t digitsAt = text[mark + 1] == '+' || text[mark + 1] == '-' ? mark + 2 : mark + 1;
  const std::size_t digits = text.size() - digitsAt;
  return {digitsAt, digits < 3 ? 3 - digits : 0};
}

}  // namespace

std::size_t formatMiFloat(double value, char* out) {
  if (const std::size_t length = formatFixedSixDigits(value, out)) return length;
  // Nought is common in drawings; its sign shows, as in "%g".
  if (value == 0) {
    const bool negative = std::signbit(value);
    std::memcpy(out, "-0", 2);
    if (!negative) out[0] = '0';
    return negative ? 2 : 1;
  }
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
  const std::size_t length = static_cast<std::size_t>(done.ptr - out);
  const exponentPaddingC padding = exponentPadding(std::string_view(out, length));
  if (padding.zeros == 0) return length;
  std::memmove(out + padding.at + padding.zeros, out + padding.at, length - padding.at);
  std::memset(out + padding.at, '0', padding.zeros);
  return length + padding.zeros;
}

void widenExponent(std::string& text) {
  const exponentPaddingC padding = exponentPadding(text);
  text.insert(padding.at, padding.zeros, '0');
}

std::string formatMiFloat(double value) {
  char buffer[kMiNumberBufferSize];
  return std::string(buffer, formatMiFloat(value, buffer));
}

std::size_t formatMiInt(std::int32_t value, char* out) {
  // The sign is written either way and counted or not.
  static_assert(kMiNumberBufferSize >= 1 + kDigitsRoom);
  out[0] = '-';
  const std::size_t sign = value < 0 ? 1 : 0;
  const auto wide = static_cast<std::int64_t>(value);
  return sign + writeDigits(static_cast<std::uint64_t>(wide < 0 ? -wide : wide), out + sign);
}

}  // namespace lorvane
