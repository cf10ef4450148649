#pragma once
// The common case of reading a number, inline where the reader needs it.
// Internal to the runtime.
#include <bit>
#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace lorvane::metaText {

inline constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                          1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};

inline bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// The most digits a short decimal has (see below): 10^15 is below 2^53.
inline constexpr std::ptrdiff_t kShortDecimalDigits = 15;
// The longest word such a decimal can be: a sign, a point and its digits.
inline constexpr std::ptrdiff_t kShortDecimalChars = kShortDecimalDigits + 2;

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

// The digits that begin a text of at least kDigitRun bytes, read as one
// load where words are little-endian: their count and their value.
inline constexpr std::ptrdiff_t kDigitRun = 8;
inline constexpr std::uint64_t kRunScale[kDigitRun + 1] = {1,      10,      100,      1000,     10000,
                                                           100000, 1000000, 10000000, 100000000};

struct digitRunC {
  std::uint64_t value;
  std::ptrdiff_t length;
};

namespace swar {

inline constexpr std::uint64_t kOnes = 0x0101010101010101u;

inline std::uint64_t load8(const unsigned char* text) {
  std::uint64_t bytes;
  std::memcpy(&bytes, text, sizeof bytes);
  return bytes;
}

// Bits set in each byte of a little-endian word that is no digit. A digit is
// 0x30 to 0x39: its high half is 3, and adding 6 keeps it 3. Carries only
// run towards later bytes, so the answer holds up to the first byte of 0xFA
// or more, which is no digit.
inline std::uint64_t notDigits(std::uint64_t bytes) {
  return ((bytes & 0xF0 * kOnes) ^ 0x30 * kOnes) | (((bytes + 0x06 * kOnes) & 0xF0 * kOnes) ^ 0x30 * kOnes);
}

// The value of the first length (1 to 8) bytes of a word, all digits: moved
// to the last bytes with zeros before them, eight digits with leading zeros
// are combined pairwise. Borrows from the bytes after the digits run away
// from them.
inline std::uint64_t digitsValue(std::uint64_t bytes, std::ptrdiff_t length) {
  std::uint64_t v = (bytes - 0x30 * kOnes) << (8 * (kDigitRun - length));
  v = v * 10 + (v >> 8);
  return (((v & 0x000000FF000000FFu) * (100 + (std::uint64_t{1000000} << 32))) +
          (((v >> 16) & 0x000000FF000000FFu) * (1 + (std::uint64_t{10000} << 32)))) >>
         32;
}

}  // namespace swar

inline digitRunC digitRun(const unsigned char* text) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t bytes = swar::load8(text);
    const std::uint64_t notDigit = swar::notDigits(bytes);
    const std::ptrdiff_t length = notDigit ? std::countr_zero(notDigit) / 8 : kDigitRun;
    if (length == 0) return {0, 0};
    return {swar::digitsValue(bytes, length), length};
  } else {
    digitRunC run{0, 0};
    while (run.length < kDigitRun && isDecimalDigit(static_cast<char>(text[run.length])))
      run.value = run.value * 10 + static_cast<std::uint64_t>(text[run.length++] - '0');
    return run;
  }
}

// A decimal with a point whose word and the byte after it lie within the
// eight bytes at text, as coordinates of a few decimals are ("523.417,"),
// read from one load where words are little-endian: the value of its
// digits, how many of them follow the point, and its length; a length of 0
// where the text begins otherwise.
struct pointDecimalC {
  std::uint64_t digits = 0;
  std::ptrdiff_t decimals = 0;
  std::ptrdiff_t length = 0;
};

inline pointDecimalC pointDecimal(const unsigned char* text) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t bytes = swar::load8(text);
    const std::uint64_t notDigit = swar::notDigits(bytes);
    if (!notDigit) return {};
    const int point = std::countr_zero(notDigit) / 8;
    // Digits and a point carry nothing on, so the bytes up to the next one
    // that is no digit are told right too.
    if (text[point] != '.' || point == kDigitRun - 1) return {};
    const std::uint64_t afterPoint = notDigit & (~std::uint64_t{0} << (8 * point + 8));
    if (!afterPoint) return {};
    const int end = std::countr_zero(afterPoint) / 8;
    const std::ptrdiff_t count = end - 1;
    if (count == 0) return {};
    // The digits after the point moved down over it.
    const std::uint64_t beforePoint = (std::uint64_t{1} << (8 * point)) - 1;
    const std::uint64_t joined = (bytes & beforePoint) | ((bytes >> 8) & ~beforePoint);
    return {swar::digitsValue(joined, count), end - point - 1, end};
  } else {
    (void)text;
    return {};
  }
}

// The same with an optional leading "-", as the reader meets numbers.
inline bool parseShortDecimal(std::string_view word, double& value) {
  // A longer word is refused unread.
  if (word.size() > static_cast<std::size_t>(kShortDecimalChars)) return false;
  const char* first = word.data();
  const char* last = first + word.size();
  const bool negative = first != last && *first == '-';
  if (!parseShortDecimal(negative ? first + 1 : first, last, value)) return false;
  if (negative) value = -value;
  return true;
}

}  // namespace lorvane::metaText
