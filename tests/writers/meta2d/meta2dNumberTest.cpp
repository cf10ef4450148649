#include "lorvane/writers/meta2d/meta2dNumber.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace lorvane {
namespace {

std::string formatted(double value) {
  char out[kMeta2dNumberRoom];
  return std::string(out, formatMeta2dNumber(value, out));
}

// The C library's rendering, in a buffer large enough for any double.
std::string viaPrintf(double value) {
  char text[512];
  std::snprintf(text, sizeof text, "%1.24f", value);
  return std::string(text).substr(0, kMeta2dNumberWidth);
}

TEST(Meta2dNumber, FieldsAreTheFirst24CharactersOfTheFixedRendering) {
  EXPECT_EQ(formatted(0.0), "0.0000000000000000000000");
  EXPECT_EQ(formatted(0.5), "0.5000000000000000000000");
  EXPECT_EQ(formatted(2.5), "2.5000000000000000000000");
  EXPECT_EQ(formatted(10.0), "10.000000000000000000000");
  EXPECT_EQ(formatted(-1.0), "-1.000000000000000000000");
  EXPECT_EQ(formatted(360.0), "360.00000000000000000000");
  // 0.1 is 0.1000000000000000055511151231257827...: the cut does not round.
  EXPECT_EQ(formatted(0.1), "0.1000000000000000055511");
  EXPECT_EQ(formatted(-0.0), "-0.000000000000000000000");
}

TEST(Meta2dNumber, HugeValuesAreCutWithoutOverflow) {
  EXPECT_EQ(formatted(1e308), "100000000000000001097906");
  EXPECT_EQ(formatted(-DBL_MAX).size(), 24u);
  EXPECT_EQ(formatted(123456789012345678901234567890.0), "123456789012345677877719");
}

TEST(Meta2dNumber, NotANumberAndInfinitiesKeepTheirShortForm) {
  EXPECT_EQ(formatted(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(formatted(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(formatted(std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(Meta2dNumber, AgreesWithTheCLibraryOnRandomAndExtremeValues) {
  std::mt19937_64 random(20261208);
  std::uniform_int_distribution<std::uint64_t> bits;
  std::uniform_real_distribution<double> coordinate(-1e6, 1e6);
  std::uniform_int_distribution<int> exponent(-320, 308);
  for (int i = 0; i < 200000; ++i) {
    double value;
    switch (i % 4) {
      case 0: {
        const std::uint64_t b = bits(random);
        std::memcpy(&value, &b, sizeof value);
        if (!std::isfinite(value)) continue;
        break;
      }
      case 1: value = coordinate(random); break;
      case 2: value = std::ldexp(coordinate(random), exponent(random) / 4); break;
      default: value = std::pow(10.0, exponent(random)) * (i % 8 < 4 ? 1 : -1); break;
    }
    ASSERT_EQ(formatted(value), viaPrintf(value)) << value;
  }
  // Exact binary fractions around the 24th digit (ties included) and around
  // the widest fraction the integer rendering takes.
  for (int k : {24, 25, 26, 27, 59, 60, 61, 62}) {
    for (std::int64_t n = -300; n <= 300; ++n) {
      const double v = std::ldexp(static_cast<double>(n), -k) + static_cast<double>(n % 7) * 1024.0;
      ASSERT_EQ(formatted(v), viaPrintf(v)) << v;
    }
  }
  for (double v : {0.9999999999999999, 9007199254740991.5, 9007199254740991.0, 4503599627370495.5, 0.5, 0.25,
                   1.0 - 1.0 / 1024, 999999999999999.9}) {
    EXPECT_EQ(formatted(v), viaPrintf(v)) << v;
  }
  for (double v : {DBL_MIN, DBL_TRUE_MIN, DBL_MAX, -DBL_MIN, 1e-24, 5e-25, 4.9e-25, 0.999999999999999999999999}) {
    EXPECT_EQ(formatted(v), viaPrintf(v)) << v;
  }
}

// Integer parts of every length up to the widest the fast rendering takes,
// around each power of ten where the length changes.
TEST(Meta2dNumber, IntegerPartsOfEveryLength) {
  double power = 1;
  for (int digits = 1; digits <= 17; ++digits, power *= 10) {
    for (double v : {power, power - 1, std::nextafter(power, 0.0), std::nextafter(power, 2 * power), power + 0.5,
                     power * 7 + 0.125, power - std::ldexp(1.0, -40)}) {
      EXPECT_EQ(formatted(v), viaPrintf(v)) << v;
      EXPECT_EQ(formatted(-v), viaPrintf(-v)) << -v;
    }
  }
}

}  // namespace
}  // namespace lorvane
