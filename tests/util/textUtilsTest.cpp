#include "lorvane/util/textUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace lorvane {
namespace {

using fields = std::vector<std::string>;

const std::string blanks = " \t";

// ---------------------------------------------------------------- trimChars

TEST(TrimChars, BothEndsRemoveAnyMixOfBlanksAndTabs) {
  EXPECT_EQ(trimChars(" \t \ta b\t \t ", 3, blanks), "a b");
}

TEST(TrimChars, LeadingModeLeavesTheTrailingEnd) {
  EXPECT_EQ(trimChars(" \t a \t", 1, blanks), "a \t");
}

TEST(TrimChars, TrailingModeLeavesTheLeadingEnd) {
  EXPECT_EQ(trimChars(" \t a \t", 2, blanks), " \t a");
}

TEST(TrimChars, StopsAtTheFirstOtherCharacter) {
  EXPECT_EQ(trimChars("\t x\ty \t", 3, blanks), "x\ty");
  EXPECT_EQ(trimChars("xy", 3, blanks), "xy");
}

TEST(TrimChars, RepeatsPassesUntilNothingChanges) {
  // One pass over " \t" would stop at the blank that precedes the last tab.
  EXPECT_EQ(trimChars("a \t \t", 2, blanks), "a");
  EXPECT_EQ(trimChars("\t \t a", 1, blanks), "a");
  EXPECT_EQ(trimChars("xxyxabcxyx", 3, "xy"), "abc");
}

TEST(TrimChars, CanRemoveEverything) {
  EXPECT_EQ(trimChars(" \t\t ", 3, blanks), "");
  EXPECT_EQ(trimChars(" \t\t ", 1, blanks), "");
  EXPECT_EQ(trimChars(" \t\t ", 2, blanks), "");
  EXPECT_EQ(trimChars("", 3, blanks), "");
}

TEST(TrimChars, OtherModesLeaveTheTextUnchanged) {
  EXPECT_EQ(trimChars(" a ", 0, blanks), " a ");
  EXPECT_EQ(trimChars(" a ", 4, blanks), " a ");
  EXPECT_EQ(trimChars(" a ", -1, blanks), " a ");
}

TEST(TrimChars, AnEmptySetRemovesNothing) {
  EXPECT_EQ(trimChars(" a ", 3, ""), " a ");
}

// -------------------------------------------------------------- splitFields

TEST(SplitFields, RemovesBlanksAroundUnquotedFields) {
  EXPECT_EQ(splitFields(" a , b\t,\tc d ", ',', '"', false), (fields{"a", "b", "c d"}));
}

TEST(SplitFields, TwoSeparatorsInARowGiveAnEmptyField) {
  EXPECT_EQ(splitFields("a,,b", ',', '"', false), (fields{"a", "", "b"}));
  EXPECT_EQ(splitFields("a, ,b", ',', '"', false), (fields{"a", "", "b"}));
  EXPECT_EQ(splitFields(",a", ',', '"', false), (fields{"", "a"}));
}

TEST(SplitFields, SkipEmptyDropsFieldsThatNeverStarted) {
  EXPECT_EQ(splitFields("a,,b", ',', '"', true), (fields{"a", "b"}));
  EXPECT_EQ(splitFields("a, \t,b", ',', '"', true), (fields{"a", "b"}));
  EXPECT_EQ(splitFields(",,a", ',', '"', true), (fields{"a"}));
}

TEST(SplitFields, SkipEmptyKeepsAQuotedEmptyField) {
  EXPECT_EQ(splitFields("\"\",a", ',', '"', true), (fields{"", "a"}));
}

TEST(SplitFields, ASeparatorAtTheEndAddsNoField) {
  EXPECT_EQ(splitFields("a,b,", ',', '"', false), (fields{"a", "b"}));
  EXPECT_EQ(splitFields("a,b, \t", ',', '"', false), (fields{"a", "b"}));
}

TEST(SplitFields, AQuotedEmptyFieldAtTheEndComesOut) {
  EXPECT_EQ(splitFields("a,\"\"", ',', '"', false), (fields{"a", ""}));
  EXPECT_EQ(splitFields("\"\"", ',', '"', false), (fields{""}));
}

TEST(SplitFields, QuotedFieldsKeepInnerBlanksAndSeparators) {
  EXPECT_EQ(splitFields("\" x, y \",b", ',', '"', false), (fields{" x, y ", "b"}));
  EXPECT_EQ(splitFields("  \"\tin\t\"  ,b", ',', '"', false), (fields{"\tin\t", "b"}));
}

TEST(SplitFields, ADoubledQuoteInsideQuotesStandsForOne) {
  EXPECT_EQ(splitFields("\"say \"\"hi\"\"\",x", ',', '"', false),
            (fields{"say \"hi\"", "x"}));
  EXPECT_EQ(splitFields("\"\"\"\"", ',', '"', false), (fields{"\""}));
}

TEST(SplitFields, AQuoteAfterTheFieldStartedIsOrdinary) {
  EXPECT_EQ(splitFields("ab\"c,d\"", ',', '"', false), (fields{"ab\"c", "d\""}));
}

TEST(SplitFields, TextAfterAClosingQuoteJoinsTheFieldWithoutBlanks) {
  EXPECT_EQ(splitFields("\"ab\" x y,z", ',', '"', false), (fields{"abxy", "z"}));
}

TEST(SplitFields, AnUnclosedQuoteRunsToTheEnd) {
  EXPECT_EQ(splitFields("a,\"b, c ", ',', '"', false), (fields{"a", "b, c "}));
}

TEST(SplitFields, EmptyTextYieldsNoFields) {
  EXPECT_TRUE(splitFields("", ',', '"', false).empty());
  EXPECT_TRUE(splitFields("", ',', '"', true).empty());
  EXPECT_TRUE(splitFields(" \t ", ',', '"', false).empty());
}

TEST(SplitFields, TextWithoutSeparatorsIsOneField) {
  EXPECT_EQ(splitFields("  one field  ", ',', '"', false), (fields{"one field"}));
}

TEST(SplitFields, QuoteZeroMeansNoQuoting) {
  EXPECT_EQ(splitFields("\"a,b\"", ',', '\0', false), (fields{"\"a", "b\""}));
  const std::string withZero("a\0b,c", 5);
  EXPECT_EQ(splitFields(withZero, ',', '\0', false),
            (fields{std::string("a\0b", 3), "c"}));
}

TEST(SplitFields, CutsTextIntoLines) {
  EXPECT_EQ(splitFields("first line\n  second\n\nlast\n", '\n', '\0', false),
            (fields{"first line", "second", "", "last"}));
}

// ------------------------------------------------------------- formatDouble

TEST(FormatDouble, FixedNotationWithTheGivenDecimals) {
  EXPECT_EQ(formatDouble(2.5, 3, ','), "2,500");
  EXPECT_EQ(formatDouble(2.5, 3, '.'), "2.500");
  EXPECT_EQ(formatDouble(-3.14159, 2, ','), "-3,14");
  EXPECT_EQ(formatDouble(0.0, 1, '.'), "0.0");
  EXPECT_EQ(formatDouble(2.75, 0, ','), "3");
}

TEST(FormatDouble, AboveOneE60UsesExponentNotation) {
  EXPECT_EQ(formatDouble(1e61, 3, '.'), "1e+61");
  EXPECT_EQ(formatDouble(1.5e61, 3, ','), "1,5e+61");
  // 2^200 = 1.606938...e60
  EXPECT_EQ(formatDouble(std::ldexp(1.0, 200), 3, ','), "1,61e+60");
  EXPECT_EQ(formatDouble(std::nextafter(1e60, 2e60), 3, '.'), "1e+60");
}

TEST(FormatDouble, OneE60ItselfIsStillFixedAndComesOutWhole) {
  // The double nearest to 1e60 is this 60-digit integer.
  EXPECT_EQ(formatDouble(1e60, 1, ','),
            "999999999999999949387135297074018866963645011013410073083904,0");
}

TEST(FormatDouble, LongFixedValuesComeOutWhole) {
  EXPECT_EQ(formatDouble(std::ldexp(1.0, 199), 2, '.'),
            "803469022129495137770981046170581301261101496891396417650688.00");
  EXPECT_EQ(formatDouble(-std::ldexp(1.0, 300), 3, '.'),
            "-2037035976334486086268445688409378161051468393665936250636140449354381"
            "299763336706183397376.000");
  const std::string most = formatDouble(-std::numeric_limits<double>::max(), 0, '.');
  EXPECT_EQ(most.size(), 1u + 309u);
  EXPECT_EQ(most.substr(0, 6), "-17976");
}

TEST(FormatDouble, HugePrecisionsKeepEveryDecimal) {
  const std::string half = formatDouble(0.5, 2000, ',');
  EXPECT_EQ(half, "0,5" + std::string(1999, '0'));
  EXPECT_EQ(formatDouble(0.25, 1101, '.'), "0.25" + std::string(1099, '0'));
  EXPECT_EQ(formatDouble(0.25, 1100, '.'), "0.25" + std::string(1098, '0'));
}

TEST(FormatDouble, HugePrecisionInExponentRangeGivesTheExactInteger) {
  // With more significant digits than the value has, "%g" shows it in full
  // and drops the trailing zeros together with the decimal point.
  EXPECT_EQ(formatDouble(std::ldexp(1.0, 200), INT_MAX, ','),
            "1606938044258990275541962092341162602522202993782792835301376");
}

TEST(FormatDouble, NegativePrecisionMeansTheDefaultOfSix) {
  EXPECT_EQ(formatDouble(2.5, -1, '.'), "2.500000");
  EXPECT_EQ(formatDouble(2.5, INT_MIN, ','), "2,500000");
}

std::string lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

TEST(FormatDouble, NotANumberAndInfinitiesDoNotBreak) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_NE(lower(formatDouble(nan, 3, ',')).find("nan"), std::string::npos);
  EXPECT_NE(lower(formatDouble(nan, INT_MAX, ',')).find("nan"), std::string::npos);
  EXPECT_NE(lower(formatDouble(inf, 3, ',')).find("inf"), std::string::npos);
  const std::string minusInf = formatDouble(-inf, 3, ',');
  EXPECT_EQ(minusInf.front(), '-');
  EXPECT_NE(lower(minusInf).find("inf"), std::string::npos);
}

TEST(FormatDouble, InfinitiesGetNoPaddingDigits) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(formatDouble(-inf, 5000, '.'), formatDouble(-inf, 3, '.'));
  EXPECT_EQ(formatDouble(inf, 5000, '.'), formatDouble(inf, 3, '.'));
}

// Restores the numeric locale whatever the test does.
class numericLocaleGuard {
public:
  numericLocaleGuard() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {}
  ~numericLocaleGuard() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  numericLocaleGuard(const numericLocaleGuard&) = delete;
  numericLocaleGuard& operator=(const numericLocaleGuard&) = delete;

private:
  std::string saved_;
};

TEST(FormatDouble, TheHostsNumericLocaleDoesNotLeakIn) {
  numericLocaleGuard guard;
  const char* const candidates[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8",
                                    "fr_FR.utf8", "German_Germany.1252"};
  bool found = false;
  for (const char* name : candidates) {
    if (std::setlocale(LC_NUMERIC, name) != nullptr &&
        std::string(std::localeconv()->decimal_point) != ".") {
      found = true;
      break;
    }
  }
  if (!found) GTEST_SKIP() << "no locale with another decimal point is installed";
  EXPECT_EQ(formatDouble(2.5, 3, '.'), "2.500");
  EXPECT_EQ(formatDouble(2.5, 3, ';'), "2;500");
  EXPECT_EQ(formatDouble(1.5e61, 3, '.'), "1.5e+61");
}

// ---------------------------------------------------------------- formatInt

TEST(FormatInt, WritesPlainDecimals) {
  EXPECT_EQ(formatInt(0), "0");
  EXPECT_EQ(formatInt(42), "42");
  EXPECT_EQ(formatInt(-7), "-7");
}

TEST(FormatInt, CoversTheWholeRange) {
  EXPECT_EQ(formatInt(INT32_MAX), "2147483647");
  EXPECT_EQ(formatInt(INT32_MIN), "-2147483648");
}

}  // namespace
}  // namespace lorvane
