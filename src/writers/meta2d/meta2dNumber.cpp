#include "lorvane/writers/meta2d/meta2dNumber.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "lorvane/util/decimalDigits.h"

namespace lorvane {
namespace {

constexpr int kFractionDigits = 24;

#if defined(__SIZEOF_INT128__)
__extension__ using wideT = unsigned __int128;
#endif

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void eightDigits(std::uint32_t n, char* at) {
  if constexpr (std::endian::native == std::endian::little) {
    const std::uint64_t chars = eightDigitValues(n) | kZeroChars;
    std::memcpy(at, &chars, 8);
  } else {
    const std::uint32_t high = n / 10000;
    const std::uint32_t low = n % 10000;
    std::memcpy(at, kDigitPairs + 2 * (high / 100), 2);
    std::memcpy(at + 2, kDigitPairs + 2 * (high % 100), 2);
    std::memcpy(at + 4, kDigitPairs + 2 * (low / 100), 2);
    std::memcpy(at + 6, kDigitPairs + 2 * (low % 100), 2);
  }
}

constexpr std::uint32_t kGroupLimit = 100000000;  // 10^8

// The 24 fractional digits of fraction / 2^k (k <= 60) as three groups of
// eight, rounded to nearest with ties to even at the 24th digit; true when
// the rounding carries into the integer part. The rounding works on the
// groups, before any digit is written.
bool roundedFractionGroups(std::uint64_t fraction, int k, std::uint32_t groups[3]) {
  groups[0] = groups[1] = groups[2] = 0;
  if (k == 0) return false;
#if defined(__SIZEOF_INT128__)
  // The fraction as a 64-bit binary fraction (exact, as k <= 60): each
  // multiplication by 10^8 moves the next eight digits into the high word
  // and leaves the rest in the low one, with no shift or mask by k.
  std::uint64_t rest = fraction << (64 - k);
  for (int group = 0; group < 3; ++group) {
    const wideT product = static_cast<wideT>(rest) * kGroupLimit;
    rest = static_cast<std::uint64_t>(product);
    groups[group] = static_cast<std::uint32_t>(product >> 64);
  }
  const std::uint64_t half = std::uint64_t{1} << 63;
#else
  const std::uint64_t mask = (std::uint64_t{1} << k) - 1;
  for (int group = 0; group < 3; ++group) {
    for (int digit = 0; digit < 8; ++digit) {
      fraction *= 10;  // below 2^k * 10 <= 2^64
      groups[group] = groups[group] * 10 + static_cast<std::uint32_t>(fraction >> k);
      fraction &= mask;
    }
  }
  const std::uint64_t rest = fraction;
  const std::uint64_t half = std::uint64_t{1} << (k - 1);
#endif
  // The rest beyond the 24th digit against half a unit of it.
  const bool above = rest > half;
  const bool tie = rest == half;
  // The 24th digit is odd exactly when the last group is. Rounding up or
  // not is a coin toss for most values, so the step is added, not branched
  // on; only its carry, which is rare, takes a branch.
  groups[2] += static_cast<std::uint32_t>(above | (tie & ((groups[2] & 1) != 0)));
  if (groups[2] < kGroupLimit) return false;
  groups[2] = 0;
  for (int group = 1; group >= 0; --group) {
    if (++groups[group] < kGroupLimit) return false;
    groups[group] = 0;
  }
  return true;
}

// The exact "%.24f" of a double whose integer part is below 2^53 and whose
// fraction has at most 60 binary digits (m / 2^k with k <= 60), which covers
// the coordinates of drawings: the digits come from integer arithmetic,
// rounded to nearest with ties to even at the 24th digit like a correct
// printf. Returns 0 when the value is outside that range.
std::size_t renderFixed24Fast(double value, char* out) {
  std::uint64_t raw;
  std::memcpy(&raw, &value, sizeof raw);
  const bool negative = (raw >> 63) != 0;
  const int biased = static_cast<int>((raw >> 52) & 0x7FF);
  if (biased == 0x7FF) return 0;  // infinities and NaN
  std::uint64_t bits = raw & ((std::uint64_t{1} << 52) - 1);
  int shift;  // value = bits / 2^shift
  if (biased == 0) {
    if (bits != 0) return 0;  // subnormals: far beyond 60 fraction bits
    shift = 0;
  } else {
    bits |= std::uint64_t{1} << 52;
    shift = 1075 - biased;
  }
  if (bits != 0 && shift > 0) {
    const int zeros = std::countr_zero(bits);
    const int drop = zeros < shift ? zeros : shift;
    bits >>= drop;
    shift -= drop;
  }
  if (shift > 60 || shift < -10) return 0;  // tiny fractions, or integers of 2^63 and more
  std::uint64_t integerPart;
  std::uint64_t fraction = 0;
  if (shift <= 0) {
    integerPart = bits << -shift;
    shift = 0;
  } else {
    integerPart = bits >> shift;
    fraction = bits & ((std::uint64_t{1} << shift) - 1);
  }
  if (integerPart >= (std::uint64_t{1} << 53)) return 0;

  std::uint32_t groups[3];
  if (roundedFractionGroups(fraction, shift, groups)) ++integerPart;

  // Written in place, digits included: a copy read back right after its
  // bytes were stored piecewise would stall on the store buffer. The sign is
  // written either way and counted or not.
  out[0] = '-';
  std::size_t length = negative ? 1 : 0;
  length += writeDigits(integerPart, out + length);
  out[length++] = '.';
  for (int group = 0; group < 3; ++group) eightDigits(groups[group], out + length + 8 * group);
  return length + kFractionDigits;
}

}  // namespace

std::size_t formatMeta2dNumber(double value, char* out, bool& fits) {
  // The rendering is the exact decimal expansion that a correct "%.24f"
  // gives, independent of the C runtime and of the process locale; it is cut
  // after 24 characters. The fast rendering has at most 16 integer digits,
  // and with its point and 24 decimals it always fills the field; what it
  // writes beyond stays within the room behind the field.
  fits = true;
  if (renderFixed24Fast(value, out) != 0) return kMeta2dNumberWidth;
  // A double has at most 309 integer digits, so 309 + 1 + 24 characters
  // always fit.
  char rendered[384];
  const std::to_chars_result result =
      std::to_chars(rendered, rendered + sizeof rendered, value, std::chars_format::fixed, kFractionDigits);
  const auto length = static_cast<std::size_t>(result.ptr - rendered);
  // A finite rendering ends with the point and 24 decimals; the point must
  // stand within the field.
  fits = std::isfinite(value) && length - (kFractionDigits + 1) < kMeta2dNumberWidth;
  const std::size_t kept = length < kMeta2dNumberWidth ? length : kMeta2dNumberWidth;
  std::memcpy(out, rendered, kept);
  return kept;
}

}  // namespace lorvane
