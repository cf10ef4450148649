#include "numberFields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>

namespace lorvane::preview {
namespace {

constexpr std::size_t kMeta2dWidth = 24;
// The resolution of a double relative to its magnitude.
constexpr double kDoubleResolution = 0x1p-52;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// 10 to an integer power, as std::pow gives it: a file holds millions of
// numbers, each of which needs one, and a table of the powers a double can
// hold costs a lookup where the call cost a good share of the reading.
double powerOfTen(long long exponent) {
  constexpr long long kLowest = -330, kHighest = 310;
  static const std::array<double, kHighest - kLowest + 1> kPowers = [] {
    std::array<double, kHighest - kLowest + 1> powers{};
    for (long long e = kLowest; e <= kHighest; ++e) {
      powers[static_cast<std::size_t>(e - kLowest)] = std::pow(10.0, static_cast<double>(e));
    }
    return powers;
  }();
  if (exponent < kLowest || exponent > kHighest) return std::pow(10.0, static_cast<double>(exponent));
  return kPowers[static_cast<std::size_t>(exponent - kLowest)];
}

bool fromChars(std::string_view field, double& value) {
  if (field.empty()) return false;
  const char* end = field.data() + field.size();
  const std::from_chars_result r = std::from_chars(field.data(), end, value, std::chars_format::general);
  // Out of range values come back as errors; the writers print only what a
  // double holds, so such a field is malformed.
  return r.ec == std::errc() && r.ptr == end;
}

// The non-finite renderings both writers share. True when `field` is one.
bool nonFinite(std::string_view field, bool signedNan, double& value) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  if (field == "inf") value = kInf;
  else if (field == "-inf") value = -kInf;
  else if (field == "nan") value = kNan;
  else if (signedNan && field == "-nan") value = -kNan;
  else return false;
  return true;
}

}  // namespace

bool parseDecimalInteger(std::string_view field, long long& value) {
  std::size_t at = field.empty() || field[0] != '-' ? 0 : 1;
  const std::string_view digits = field.substr(at);
  if (digits.empty()) return false;
  for (char c : digits) {
    if (!isDigit(c)) return false;
  }
  if (digits.size() > 1 && digits[0] == '0') return false;
  if (at == 1 && digits == "0") return false;
  const char* end = field.data() + field.size();
  const std::from_chars_result r = std::from_chars(field.data(), end, value);
  return r.ec == std::errc() && r.ptr == end;
}

meta2dNumberResult parseMeta2dNumber(std::string_view field, double& value, double& precision) {
  if (nonFinite(field, true, value)) {
    precision = std::numeric_limits<double>::infinity();
    return meta2dNumberResult::ok;
  }
  if (field.size() != kMeta2dWidth) return meta2dNumberResult::malformed;
  std::size_t at = field[0] == '-' ? 1 : 0;
  const std::size_t integerStart = at;
  while (at < field.size() && isDigit(field[at])) ++at;
  if (at == integerStart) return meta2dNumberResult::malformed;
  if (at == field.size()) return meta2dNumberResult::tooLarge;
  if (field[at] != '.') return meta2dNumberResult::malformed;
  const std::size_t decimals = field.size() - at - 1;
  for (std::size_t i = at + 1; i < field.size(); ++i) {
    if (!isDigit(field[i])) return meta2dNumberResult::malformed;
  }
  if (!fromChars(field, value)) return meta2dNumberResult::malformed;
  const double truncation = powerOfTen(-static_cast<long long>(decimals));
  precision = std::fmax(truncation, kDoubleResolution * std::fabs(value));
  return meta2dNumberResult::ok;
}

bool parseMiFloat(std::string_view field, double& value, double& precision) {
  if (nonFinite(field, false, value)) {
    precision = std::numeric_limits<double>::infinity();
    return true;
  }
  // Shape: [-] digits [. digits] [e (+|-) ddd...]
  std::size_t at = !field.empty() && field[0] == '-' ? 1 : 0;
  const std::size_t mantissaStart = at;
  std::size_t point = std::string_view::npos;
  std::size_t firstSignificant = std::string_view::npos;
  std::size_t digits = 0;
  for (; at < field.size(); ++at) {
    const char c = field[at];
    if (isDigit(c)) {
      if (c != '0' && firstSignificant == std::string_view::npos) firstSignificant = at;
      ++digits;
    } else if (c == '.' && point == std::string_view::npos) {
      point = at;
    } else {
      break;
    }
  }
  if (digits == 0 || point + 1 == at || point == mantissaStart) return false;
  const std::size_t mantissaEnd = at;
  long long exponent = 0;
  if (at < field.size()) {
    if (field[at] != 'e' || at + 2 >= field.size()) return false;
    const char sign = field[at + 1];
    if (sign != '+' && sign != '-') return false;
    const std::string_view exponentDigits = field.substr(at + 2);
    if (exponentDigits.size() < 3 || exponentDigits.size() > 5) return false;
    for (char c : exponentDigits) {
      if (!isDigit(c)) return false;
      exponent = exponent * 10 + (c - '0');
    }
    if (sign == '-') exponent = -exponent;
  }
  if (!fromChars(field, value)) return false;
  if (firstSignificant == std::string_view::npos) {
    precision = 0;
    return true;
  }
  // The decimal place of the leading significant digit, from the text itself
  // (a logarithm of the value can land on the wrong side of a power of ten).
  const std::size_t pointAt = point == std::string_view::npos ? mantissaEnd : point;
  const long long place = firstSignificant < pointAt ? static_cast<long long>(pointAt - firstSignificant) - 1
                                                     : -static_cast<long long>(firstSignificant - pointAt);
  precision = 0.5 * powerOfTen(place + exponent - 5);
  return true;
}

bool parsePlainFloat(std::string_view field, double& value) {
  if (!field.empty() && (field[0] == '+' || field[0] == ' ')) return false;
  return fromChars(field, value);
}

}  // namespace lorvane::preview
