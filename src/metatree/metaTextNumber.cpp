#include "lorvane/metatree/metaTextNumber.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <limits>
#include <system_error>

#include "metaTextDecimal.h"

namespace lorvane {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// For a word that from_chars matched but found out of range: whether its
// magnitude lies above the double range (otherwise it lies below it). Only
// the decimal exponent of the first significant digit matters there.
bool magnitudeOverflows(std::string_view word) {
  std::size_t i = 0;
  if (i < word.size() && (word[i] == '-' || word[i] == '+')) ++i;
  bool seenPoint = false;
  bool seenSignificant = false;
  long long digitsBeforePoint = 0;
  long long zerosAfterPoint = 0;
  for (; i < word.size(); ++i) {
    const char c = word[i];
    if (c == '.') {
      seenPoint = true;
    } else if (isDigit(c)) {
      if (!seenPoint) {
        if (seenSignificant || c != '0') {
          seenSignificant = true;
          ++digitsBeforePoint;
        }
      } else if (!seenSignificant) {
        if (c == '0') ++zerosAfterPoint;
        else seenSignificant = true;
      }
    } else {
      break;
    }
  }
  const long long leadingExponent = digitsBeforePoint > 0 ? digitsBeforePoint - 1 : -(zerosAfterPoint + 1);
  long long exponent = 0;
  if (i < word.size() && (word[i] == 'e' || word[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < word.size() && (word[i] == '-' || word[i] == '+')) negative = word[i++] == '-';
    for (; i < word.size() && isDigit(word[i]); ++i) {
      if (exponent < 1000000000LL) exponent = exponent * 10 + (word[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  return leadingExponent + exponent >= 0;
}

std::size_t put(char* out, const char* text) {
  const std::size_t n = std::strlen(text);
  std::memcpy(out, text, n);
  return n;
}


constexpr double kFourteenDigits = 1e14;
using metaText::kPowersOfTen;

// Plain decimals are exact while their digits stay below 2^53 (see
// parseShortDecimal, the reader's form of this for short words). Returns
// false to leave the word to the general conversion.
bool parsePlainDecimal([[maybe_unused]] const char* first, [[maybe_unused]] const char* last,
                       [[maybe_unused]] double& value) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD == 0
  constexpr std::uint64_t kExactLimit = (std::uint64_t{1} << 53) / 10;
  std::uint64_t digits = 0;
  int decimals = 0;
  bool seenPoint = false;
  bool seenDigit = false;
  for (const char* p = first; p != last; ++p) {
    const char c = *p;
    if (isDigit(c)) {
      if (digits >= kExactLimit) return false;
      digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
      seenDigit = true;
      if (seenPoint) ++decimals;
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      return false;
    }
  }
  if (!seenDigit || decimals >= static_cast<int>(std::size(kPowersOfTen))) return false;
  value = static_cast<double>(digits) / kPowersOfTen[decimals];
  return true;
#else
  return false;
#endif
}

// Most numbers of drawings are short decimals (12.5, -0.375). For them the
// digits "%.14g" gives are found directly, which is several times faster than
// the general conversion: a value v that lies within 1e-15 relative of a
// decimal m / 10^k with at most 14 digits rounds to exactly that decimal at
// 14 significant digits, because the rounding boundaries around it are at
// least 5e-15 relative away. The margin also absorbs the rounding of the
// few floating-point operations used here, whatever precision the platform
// evaluates them in. Returns 0 when the value is not such a decimal or would
// need exponent notation.
std::size_t formatShortDecimal(double value, char* out) {
  if (value == 0.0) return put(out, std::signbit(value) ? "-0" : "0");
  const double magnitude = std::fabs(value);
  if (!(magnitude < kFourteenDigits)) return 0;
  for (int decimals = 0; decimals < static_cast<int>(std::size(kPowersOfTen)); ++decimals) {
    const double scaled = magnitude * kPowersOfTen[decimals];
    if (!(scaled < kFourteenDigits)) return 0;
    const double nearest = std::nearbyint(scaled);
    if (nearest == 0.0 || std::fabs(scaled - nearest) > nearest * 1e-15) continue;
    auto digits = static_cast<std::uint64_t>(nearest);
    int places = decimals;
    while (places > 0 && digits % 10 == 0) {
      digits /= 10;
      --places;
    }
    char text[24];
    int count = 0;
    for (std::uint64_t rest = digits; rest != 0; rest /= 10) text[count++] = static_cast<char>('0' + rest % 10);
    // Below 1e-4 "%g" switches to exponent notation; leave that to the general path.
    if (count - 1 - places < -4) return 0;
    char* p = out;
    if (value < 0) *p++ = '-';
    if (count <= places) {
      *p++ = '0';
      *p++ = '.';
      for (int i = count; i < places; ++i) *p++ = '0';
      for (int i = count; i-- > 0;) *p++ = text[i];
    } else {
      for (int i = count; i-- > 0;) {
        *p++ = text[i];
        if (i == places && i != 0) *p++ = '.';
      }
    }
    return static_cast<std::size_t>(p - out);
  }
  return 0;
}

}  // namespace

bool parseTextNumber(std::string_view word, double& value) {
  const char* first = word.data();
  const char* last = first + word.size();
  if (first == last) return false;
  const bool negative = *first == '-';
  // from_chars takes no "+"; a second sign after it is no number.
  if (*first == '+') {
    ++first;
    if (first == last || *first == '+' || *first == '-') return false;
  }
  double parsed = 0.0;
  // Both conversions give the correctly rounded double. The plain one pays
  // only for words it can take without scanning what from_chars then scans
  // again: past a sign, a point and 15 digits it mostly fails at the end.
  if (last - first <= metaText::kShortDecimalChars &&
      parsePlainDecimal(*first == '-' ? first + 1 : first, last, parsed)) {
    value = negative ? -parsed : parsed;
    return true;
  }
  const auto [stop, error] = std::from_chars(first, last, parsed, std::chars_format::general);
  if (stop != last) return false;
  if (error == std::errc::result_out_of_range) {
    const double magnitude = magnitudeOverflows(word) ? std::numeric_limits<double>::infinity() : 0.0;
    parsed = negative ? -magnitude : magnitude;
  } else if (error != std::errc{}) {
    return false;
  }
  // The sign of a NaN is kept as written, so that written NaNs read back alike.
  if (std::isnan(parsed)) parsed = std::copysign(std::numeric_limits<double>::quiet_NaN(), negative ? -1.0 : 1.0);
  value = parsed;
  return true;
}

std::size_t formatTextNumber(double value, char* out) {
  if (std::isnan(value)) return put(out, std::signbit(value) ? "-nan" : "+nan");
  if (std::isinf(value)) return put(out, value < 0 ? "-inf" : "+inf");
  if (const std::size_t n = formatShortDecimal(value, out)) return n;
  const auto result = std::to_chars(out, out + kTextNumberMaxChars, value, std::chars_format::general, 14);
  return static_cast<std::size_t>(result.ptr - out);
}

std::size_t formatExactTextNumber(double value, char* out) {
  if (!std::isfinite(value)) return formatTextNumber(value, out);
  // Without a precision to_chars gives the shortest text that reads back
  // exactly, in the shorter of fixed and exponent notation.
  const auto result = std::to_chars(out, out + kTextNumberMaxChars, value);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace lorvane
