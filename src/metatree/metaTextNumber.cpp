#include "metatree/metaTextNumber.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <system_error>

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
  const auto result = std::to_chars(out, out + kTextNumberMaxChars, value, std::chars_format::general, 14);
  return static_cast<std::size_t>(result.ptr - out);
}

}  // namespace lorvane
