// Numbers and the date as the MI file writes them.
#include "lorvane/writers/me10/miNumberFormat.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <random>
#include <cmath>
#include <limits>
#include <string>

#include "lorvane/writers/me10/miFile.h"

namespace lorvane {
namespace {

TEST(MiNumberFormat, FloatsTakeSixSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(formatMiFloat(0.0), "0");
  EXPECT_EQ(formatMiFloat(-0.0), "-0");
  EXPECT_EQ(formatMiFloat(1.0), "1");
  EXPECT_EQ(formatMiFloat(2.5), "2.5");
  EXPECT_EQ(formatMiFloat(-2.5), "-2.5");
  EXPECT_EQ(formatMiFloat(0.1), "0.1");
  EXPECT_EQ(formatMiFloat(1.0 / 3.0), "0.333333");
  EXPECT_EQ(formatMiFloat(123456.0), "123456");
  EXPECT_EQ(formatMiFloat(999999.4), "999999");
  EXPECT_EQ(formatMiFloat(0.0001), "0.0001");
  EXPECT_EQ(formatMiFloat(3.14159265), "3.14159");
}

// The fixed form is written without to_chars for most values; it must agree
// with to_chars everywhere, near rounding ties and powers of ten above all.
TEST(MiNumberFormat, FixedFormAgreesWithToCharsOnRandomValues) {
  std::mt19937_64 random(6);
  std::uniform_real_distribution<double> exponent(-4.5, 6.5), mantissa(1, 10);
  std::uniform_int_distribution<int> sixDigits(100000, 999999), shift(-9, 5);
  auto expected = [](double v) {
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6).ptr);
  };
  for (int i = 0; i < 300000; ++i) {
    double v = 0;
    switch (i % 4) {
      case 0: v = std::pow(10.0, exponent(random)); break;
      // Six digits and a half at the seventh place: ties, or nearly.
      case 1: v = (sixDigits(random) + 0.5) * std::pow(10.0, shift(random)); break;
      case 2: v = std::nextafter(std::pow(10.0, shift(random)), (i & 8) ? 0.0 : 1e9); break;
      default: v = std::ldexp(static_cast<double>(sixDigits(random)) * 2 + 1, shift(random) - 8); break;
    }
    if (i & 16) v = -v;
    const std::string text = expected(v);
    // The exponent form is widened afterwards; only the fixed form is compared.
    if (text.find('e') != std::string::npos) continue;
    ASSERT_EQ(formatMiFloat(v), text) << std::hexfloat << v;
  }
}

TEST(MiNumberFormat, ExponentsHaveAtLeastThreeDigits) {
  EXPECT_EQ(formatMiFloat(1500000.0), "1.5e+006");
  EXPECT_EQ(formatMiFloat(0.00001), "1e-005");
  EXPECT_EQ(formatMiFloat(999999.5), "1e+006");
  EXPECT_EQ(formatMiFloat(1234567.0), "1.23457e+006");
  EXPECT_EQ(formatMiFloat(-0.000012345), "-1.2345e-005");
  EXPECT_EQ(formatMiFloat(1e100), "1e+100");
  EXPECT_EQ(formatMiFloat(1e-300), "1e-300");
  EXPECT_EQ(formatMiFloat(std::numeric_limits<double>::max()), "1.79769e+308");
  EXPECT_EQ(formatMiFloat(std::numeric_limits<double>::denorm_min()), "4.94066e-324");
  EXPECT_EQ(formatMiFloat(6.123233995736766e-17), "6.12323e-017");
}

TEST(MiNumberFormat, NonFiniteAndNegativeZeroValues) {
  EXPECT_EQ(formatMiFloat(-0.0), "-0");
  EXPECT_EQ(formatMiFloat(std::numeric_limits<double>::infinity()), "inf");
  EXPECT_EQ(formatMiFloat(-std::numeric_limits<double>::infinity()), "-inf");
  EXPECT_EQ(formatMiFloat(std::numeric_limits<double>::quiet_NaN()), "nan");
  EXPECT_EQ(formatMiFloat(-std::numeric_limits<double>::quiet_NaN()), "nan");
}

TEST(MiNumberFormat, IntegersAreWrittenAsPercentD) {
  char buffer[kMiNumberBufferSize];
  EXPECT_EQ(std::string(buffer, formatMiInt(0, buffer)), "0");
  EXPECT_EQ(std::string(buffer, formatMiInt(-17, buffer)), "-17");
  EXPECT_EQ(std::string(buffer, formatMiInt(std::numeric_limits<std::int32_t>::min(), buffer)), "-2147483648");
  // Eight digits and fewer are written a word at a time, more another way.
  EXPECT_EQ(std::string(buffer, formatMiInt(-99999999, buffer)), "-99999999");
  EXPECT_EQ(std::string(buffer, formatMiInt(100000000, buffer)), "100000000");
  EXPECT_EQ(std::string(buffer, formatMiInt(1020304, buffer)), "1020304");
}

TEST(MiNumberFormat, TheProcessLocaleDoesNotChangeTheDecimalPoint) {
  const char* names[] = {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "German"};
  const std::string before = std::setlocale(LC_ALL, nullptr);
  bool switched = false;
  for (const char* name : names) {
    if (std::setlocale(LC_ALL, name)) {
      switched = true;
      break;
    }
  }
  if (!switched) GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_EQ(formatMiFloat(2.5), "2.5");
  EXPECT_EQ(formatMiFloat(1500000.0), "1.5e+006");
  const miTimestamp when{5, 3, 2025, 7, 4, 9};
  EXPECT_EQ(miDateLine(when), " 5-March-2025");
  std::setlocale(LC_ALL, before.c_str());
}

TEST(MiTimestamp, DateAndTimeLines) {
  EXPECT_EQ(miDateLine({5, 3, 2025, 7, 4, 9}), " 5-March-2025");
  EXPECT_EQ(miTimeLine({5, 3, 2025, 7, 4, 9}), " 7:04:09");
  EXPECT_EQ(miDateLine({31, 12, 1999, 23, 59, 58}), "31-December-1999");
  EXPECT_EQ(miTimeLine({31, 12, 1999, 23, 59, 58}), "23:59:58");
  EXPECT_EQ(miDateLine({1, 1, 999, 0, 0, 0}), " 1-January- 999");
  EXPECT_EQ(miTimeLine({1, 1, 999, 0, 0, 0}), " 0:00:00");
}

TEST(MiTimestamp, EveryMonthHasItsEnglishName) {
  const char* months[] = {"January", "February", "March",     "April",   "May",      "June",
                          "July",    "August",   "September", "October", "November", "December"};
  for (int m = 1; m <= 12; ++m) {
    EXPECT_EQ(miDateLine({10, m, 2024, 0, 0, 0}), std::string("10-") + months[m - 1] + "-2024");
  }
}

TEST(MiTimestamp, LocalTimeIsInRange) {
  const miTimestamp now = localTimestamp();
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_GE(now.day, 1);
  EXPECT_LE(now.day, 31);
  EXPECT_GE(now.year, 2000);
  EXPECT_LE(now.hour, 23);
}

}  // namespace
}  // namespace lorvane
