#pragma once
// Decimal digits of unsigned integers a word at a time, for the writers'
// number formatting: no loop per digit, whose end a branch would guess
// wrong for numbers of varying length.
#include <bit>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lorvane {

// The eight decimal digit values of n < 10^8, one per byte of a 64-bit word,
// the most significant in the lowest byte; for little-endian machines only.
// n is split into two halves of four digits (one per 32-bit lane), each into
// two pairs (16-bit lanes), each pair into two digits (bytes). The
// multiplications stand for exact divisions within each lane's range:
// (x * 10486) >> 20 is x / 100 for x < 10^4, (x * 103) >> 10 is x / 10 for
// x < 100, and no product reaches into the next lane.
inline std::uint64_t eightDigitValues(std::uint32_t n) {
  std::uint64_t v = (n / 10000) | (static_cast<std::uint64_t>(n % 10000) << 32);
  const std::uint64_t hundreds = ((v * 10486) >> 20) & 0x0000007F0000007Fu;
  v = hundreds | ((v - hundreds * 100) << 16);
  const std::uint64_t tens = ((v * 103) >> 10) & 0x000F000F000F000Fu;
  return tens | ((v - tens * 10) << 8);
}

inline constexpr std::uint64_t kZeroChars = 0x3030303030303030u;

// Room that writeDigits needs at its target, whatever it writes.
inline constexpr std::size_t kDigitsRoom = 24;

// The digits of n without leading zeros ("0" for nought) at at, which must
// have kDigitsRoom bytes; returns their count. Below 10^8 eight bytes are
// stored whatever the count.
inline std::size_t writeDigits(std::uint64_t n, char* at) {
  if (std::endian::native == std::endian::little && n < 100000000) {
    const std::uint64_t values = eightDigitValues(static_cast<std::uint32_t>(n));
    // The leading zeros are the lowest bytes that hold 0; nought keeps one.
    const int zeros = std::countr_zero(values | (std::uint64_t{1} << 56)) / 8;
    const std::uint64_t chars = (values | kZeroChars) >> (8 * zeros);
    std::memcpy(at, &chars, 8);
    return static_cast<std::size_t>(8 - zeros);
  }
  return static_cast<std::size_t>(std::to_chars(at, at + kDigitsRoom, n).ptr - at);
}

}  // namespace lorvane
