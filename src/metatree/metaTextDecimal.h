#pragma once
// The common case of reading a number, inline where the reader needs it.
// Internal to the runtime.
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lorvane::metaText {

inline constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                          1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};

inline bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// The most digits a short decimal has (see below): 10^15 is below 2^53.
inline constexpr std::ptrdiff_t kShortDecimalDigits = 15;

// Plain decimals (digits with at most one point, no exponent) whose digits
// fit in 53 bits are the quotient of two exactly representable doubles, and
// one IEEE division rounds that quotient correctly: the same double the
// general conversion gives, in a fraction of the time. Only where doubles
// are evaluated in double precision; elsewhere (x87) the division could be
// rounded twice. This takes the words of up to 15 digits, which can never
// reach 2^53; false leaves the word to parseTextNumber.
inline bool parseShortDecimal(const char* first, const char* last, double& value) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
  std::uint64_t digits = 0;
  const char* p = first;
  while (p != last && isDecimalDigit(*p)) digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
  const char* const point = p;
  if (p != last && *p == '.') {
    ++p;
    while (p != last && isDecimalDigit(*p)) digits = digits * 10 + static_cast<std::uint64_t>(*p++ - '0');
  }
  if (p != last) return false;
  const bool hasPoint = point != last;
  const std::ptrdiff_t digitCount = (last - first) - (hasPoint ? 1 : 0);
  if (digitCount == 0 || digitCount > kShortDecimalDigits) return false;
  value = static_cast<double>(digits) / kPowersOfTen[hasPoint ? last - point - 1 : 0];
  return true;
#else
  (void)first;
  (void)last;
  (void)value;
  return false;
#endif
}

// The same with an optional leading "-", as the reader meets numbers.
inline bool parseShortDecimal(std::string_view word, double& value) {
  const char* first = word.data();
  const char* last = first + word.size();
  const bool negative = first != last && *first == '-';
  if (!parseShortDecimal(negative ? first + 1 : first, last, value)) return false;
  if (negative) value = -value;
  return true;
}

}  // namespace lorvane::metaText
