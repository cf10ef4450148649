#include "lorvane/writers/meta2d/tableIdent.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lorvane {
namespace {

struct expectedEntry {
  std::string name;
  std::string value;
  int marker;
};

using entries = std::vector<expectedEntry>;

void expectList(const std::vector<tableVariableC>& actual, const entries& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("entry " + std::to_string(i));
    EXPECT_EQ(actual[i].name, expected[i].name);
    EXPECT_EQ(actual[i].value, expected[i].value);
    EXPECT_EQ(actual[i].marker, expected[i].marker);
    EXPECT_EQ(actual[i].spareText, "");
    EXPECT_EQ(actual[i].spareNumber, 0);
  }
}

// Parses from a heap block of exactly the text's length with no terminating
// zero, so that the address sanitizer sees any read past the end.
tableIdentC parseExact(std::string_view text) {
  const std::size_t size = text.size();
  std::unique_ptr<char[]> block(new char[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(block.get(), text.data(), size);
  tableIdentC table;
  table.parse(std::string_view(block.get(), size));
  return table;
}

void expectEmpty(const tableIdentC& table) {
  EXPECT_EQ(table.tableName(), "");
  EXPECT_EQ(table.firstCount(), 0u);
  EXPECT_EQ(table.secondCount(), 0u);
}

constexpr int assign = tableVariableC::markerAssign;
constexpr int query = tableVariableC::markerQuery;
constexpr int unterminated = tableVariableC::markerUnterminated;

// --------------------------------------------------------------- table name

TEST(TableIdentName, BracedNameWithBracedEntries) {
  const tableIdentC table = parseExact(R"({T1},{A=1},{B?x\}y})");
  EXPECT_EQ(table.tableName(), "T1");
  EXPECT_EQ(table.firstCount(), 0u);
  expectList(table.secondList(), {{"A", "1", assign}, {"B", "x}y", query}});
}

TEST(TableIdentName, PlainNameRunsUpToTheComma) {
  const tableIdentC table = parseExact("T2,{A=1}");
  EXPECT_EQ(table.tableName(), "T2");
  EXPECT_EQ(table.firstCount(), 0u);
  expectList(table.secondList(), {{"A", "1", assign}});
}

TEST(TableIdentName, PlainNameKeepsInnerAndTrailingBlanks) {
  const tableIdentC table = parseExact(" \t T 1 ,{A=1}");
  EXPECT_EQ(table.tableName(), "T 1 ");
  expectList(table.secondList(), {{"A", "1", assign}});
}

TEST(TableIdentName, QuotedNameMayHoldBlanksAndCommas) {
  const tableIdentC table = parseExact(R"(  "My, table" x ,{A=1})");
  EXPECT_EQ(table.tableName(), "My, table");
  expectList(table.secondList(), {{"A", "1", assign}});
}

TEST(TableIdentName, PlainNameWithoutACommaGivesAnEmptyTable) {
  expectEmpty(parseExact("T3"));
  expectEmpty(parseExact("  T3 {A=1}"));
}

TEST(TableIdentName, OneCharacterGivesAnEmptyTable) {
  expectEmpty(parseExact(""));
  expectEmpty(parseExact("X"));
  expectEmpty(parseExact("{"));
  expectEmpty(parseExact("7"));
  expectEmpty(parseExact(" \t X"));
  expectEmpty(parseExact("  \t  "));
}

TEST(TableIdentName, TextStartingWithADigitHasNoName) {
  const tableIdentC table = parseExact("005 {A=1}{B=2}");
  EXPECT_EQ(table.tableName(), "");
  expectList(table.firstList(), {{"A", "1", assign}});
  expectList(table.secondList(), {{"B", "2", assign}});
}

TEST(TableIdentName, MissingClosingQuoteOrBraceGivesAnEmptyTable) {
  expectEmpty(parseExact(R"("T4,{A=1})"));
  expectEmpty(parseExact("{T4,\"A=1\""));
}

TEST(TableIdentName, ClosedNameWithoutAFollowingCommaKeepsTheName) {
  const tableIdentC quoted = parseExact(R"("T5" {A=1})");
  EXPECT_EQ(quoted.tableName(), "T5");
  EXPECT_EQ(quoted.firstCount(), 0u);
  EXPECT_EQ(quoted.secondCount(), 0u);
  const tableIdentC braced = parseExact("{T5}");
  EXPECT_EQ(braced.tableName(), "T5");
  EXPECT_EQ(braced.secondCount(), 0u);
}

TEST(TableIdentName, ParsingAgainStartsFromAnEmptyTable) {
  tableIdentC table;
  table.parse("009 {A=1},{B=2},{C=3}");
  EXPECT_EQ(table.firstCount(), 2u);
  table.parse("T,{X=1}");
  EXPECT_EQ(table.tableName(), "T");
  EXPECT_EQ(table.firstCount(), 0u);
  expectList(table.secondList(), {{"X", "1", assign}});
  table.parse("T");
  expectEmpty(table);
}

// ------------------------------------------------------------ counted part

TEST(TableIdentCount, CountedCharactersFormTheFirstList) {
  const tableIdentC table = parseExact("T,005 {A=1},{B=2}");
  EXPECT_EQ(table.tableName(), "T");
  expectList(table.firstList(), {{"A", "1", assign}});
  expectList(table.secondList(), {{"B", "2", assign}});
}

TEST(TableIdentCount, CountStartsFourCharactersAfterItsFirstDigit) {
  // "12" is only two digits; the list still starts at the fourth character.
  const tableIdentC table = parseExact("T,12xx{A=1},{B=2}{C=3}");
  expectList(table.firstList(), {{"A", "1", assign}, {"B", "2", assign}});
  EXPECT_EQ(table.secondCount(), 0u);
}

TEST(TableIdentCount, CountCanCutAnEntryShort) {
  // The first list sees "{A=1" only; the second list starts with "}".
  const tableIdentC table = parseExact("T,004 {A=1},{B=2}");
  expectList(table.firstList(), {{"A", "1", assign}});
  expectList(table.secondList(), {{"B", "2", assign}});
}

TEST(TableIdentCount, CountEndingAtTheTextsEndLeavesTheSecondListEmpty) {
  const tableIdentC table = parseExact("T,005 {A=1}");
  expectList(table.firstList(), {{"A", "1", assign}});
  EXPECT_EQ(table.secondCount(), 0u);
}

TEST(TableIdentCount, ZeroCountPutsEverythingInTheSecondList) {
  const tableIdentC table = parseExact("T,000 {A=1}");
  EXPECT_EQ(table.firstCount(), 0u);
  expectList(table.secondList(), {{"A", "1", assign}});
}

TEST(TableIdentCount, CountRunningPastTheEndLeavesBothListsEmpty) {
  const tableIdentC table = parseExact("T,006 {A=1}");
  EXPECT_EQ(table.tableName(), "T");
  EXPECT_EQ(table.firstCount(), 0u);
  EXPECT_EQ(table.secondCount(), 0u);
}

TEST(TableIdentCount, HugeCountsLeaveBothListsEmpty) {
  // Taken modulo 2^32 or 2^64, the first of these would be 5 and let {A=1}
  // through into the second list.
  for (const char* text : {"T,18446744073709551621,{A=1}", "T,4294967301,{A=1},{B=2}",
                           "T,2147483648,{A=1}", "T,999999999999999999999999999999,{A=1}"}) {
    SCOPED_TRACE(text);
    const tableIdentC table = parseExact(text);
    EXPECT_EQ(table.tableName(), "T");
    EXPECT_EQ(table.firstCount(), 0u);
    EXPECT_EQ(table.secondCount(), 0u);
  }
}

TEST(TableIdentCount, CountAtTheVeryEnd) {
  for (const char* text : {"T,0", "T,00", "T,000", "T,5", "T,001 ", "T,1234"}) {
    SCOPED_TRACE(text);
    const tableIdentC table = parseExact(text);
    EXPECT_EQ(table.tableName(), "T");
    EXPECT_EQ(table.firstCount(), 0u);
    EXPECT_EQ(table.secondCount(), 0u);
  }
}

TEST(TableIdentCount, LeadingCommasBlanksAndTabsAreSkipped) {
  const tableIdentC table = parseExact("T, ,\t,005 {A=1},{B=2}");
  expectList(table.firstList(), {{"A", "1", assign}});
  expectList(table.secondList(), {{"B", "2", assign}});
  const tableIdentC nothing = parseExact("T, ,\t, ");
  EXPECT_EQ(nothing.tableName(), "T");
  EXPECT_EQ(nothing.secondCount(), 0u);
}

// ----------------------------------------------------------------- entries

TEST(TableIdentEntries, QuotedEntriesCloseWithAQuote) {
  const tableIdentC table = parseExact(R"(T,"A=1", "B?two words")");
  expectList(table.secondList(), {{"A", "1", assign}, {"B", "two words", query}});
}

TEST(TableIdentEntries, TheOtherClosersAreOrdinaryInAValue) {
  const tableIdentC table = parseExact(R"(T,{A="x"},"B={y}")");
  expectList(table.secondList(), {{"A", "\"x\"", assign}, {"B", "{y}", assign}});
}

TEST(TableIdentEntries, BackslashProtectsTheNextCharacter) {
  const tableIdentC table = parseExact(R"(T,{A=a\\b},"B=say \"hi\"",{C=\x})");
  expectList(table.secondList(),
             {{"A", "a\\b", assign}, {"B", "say \"hi\"", assign}, {"C", "x", assign}});
}

TEST(TableIdentEntries, EntriesWithoutASeparatorLoseTheSecond) {
  const tableIdentC table = parseExact("T,{A=1}{B=2}");
  expectList(table.secondList(), {{"A", "1", assign}});
}

TEST(TableIdentEntries, ElementsWithoutAnOpenerAreSkippedToTheNextComma) {
  const tableIdentC table = parseExact("T,X=1,{B=2}, Y?3 {C=4},{D=5}");
  expectList(table.secondList(), {{"B", "2", assign}, {"D", "5", assign}});
}

TEST(TableIdentEntries, NameRunningToTheEndKeepsTheCloser) {
  const tableIdentC table = parseExact("T,{N}");
  expectList(table.secondList(), {{"N}", "", unterminated}});
}

TEST(TableIdentEntries, CloserBeforeTheAssignmentIsPartOfTheName) {
  const tableIdentC table = parseExact("T,{A},{B=2}");
  expectList(table.secondList(), {{"A},{B", "2", assign}});
}

TEST(TableIdentEntries, EmptyNamesAreDropped) {
  const tableIdentC table = parseExact("T,{=1},\"?2\",{B=}");
  expectList(table.secondList(), {{"B", "", assign}});
}

TEST(TableIdentEntries, OnlyBlanksAndCommasSeparateEntries) {
  // A tab between entries is an element without an opener: B goes with it.
  const tableIdentC table = parseExact("T,{A=1},\t{B=2}, {C=3}");
  expectList(table.secondList(), {{"A", "1", assign}, {"C", "3", assign}});
  const tableIdentC spaced = parseExact("T,{A=1}, ,, {C=3}");
  expectList(spaced.secondList(), {{"A", "1", assign}, {"C", "3", assign}});
}

TEST(TableIdentEntries, TextsCutInsideAnEntry) {
  struct cut {
    const char* text;
    entries expected;
  };
  const cut cuts[] = {
      {"T,{", {}},
      {"T,\"", {}},
      {"T,{A", {{"A", "", unterminated}}},
      {"T,{A=", {{"A", "", assign}}},
      {"T,\"A?", {{"A", "", query}}},
      {"T,{A=1", {{"A", "1", assign}}},
      {"T,{A=1\\", {{"A", "1", assign}}},
      {"T,{A=\\}", {{"A", "}", assign}}},
      {"T,{A=1}", {{"A", "1", assign}}},
      {"T,{A=1},", {{"A", "1", assign}}},
      {"T,{A=1},X", {{"A", "1", assign}}},
  };
  for (const cut& c : cuts) {
    SCOPED_TRACE(c.text);
    const tableIdentC table = parseExact(c.text);
    EXPECT_EQ(table.tableName(), "T");
    EXPECT_EQ(table.firstCount(), 0u);
    expectList(table.secondList(), c.expected);
  }
}

TEST(TableIdentEntries, EveryPrefixOfATextParsesWithinItsBounds) {
  const std::string full =
      R"( {Tab},012 {A=1},"B?\"",{C=x\}y},"D=\\" X=9, {E=}{F=1},"G")";
  for (std::size_t length = 0; length <= full.size(); ++length) {
    const tableIdentC table = parseExact(std::string_view(full).substr(0, length));
    EXPECT_LE(table.tableName().size(), length);
  }
  const tableIdentC table = parseExact(full);
  EXPECT_EQ(table.tableName(), "Tab");
  expectList(table.firstList(), {{"A", "1", assign}, {"B", "\"", query}});
  expectList(table.secondList(),
             {{"C", "x}y", assign},
              {"D", "\\", assign},
              {"E", "", assign},
              {"G\"", "", unterminated}});
}

// ------------------------------------------------------------------ access

TEST(TableIdentAccess, NamesAndValuesByIndex) {
  const tableIdentC table = parseExact("T,006 {A=1},{B=2},{C=3},{D?4}");
  ASSERT_EQ(table.firstCount(), 1u);
  ASSERT_EQ(table.secondCount(), 3u);
  EXPECT_EQ(table.firstName(0), "A");
  EXPECT_EQ(table.firstValue(0), "1");
  EXPECT_EQ(table.secondName(0), "B");
  EXPECT_EQ(table.secondValue(0), "2");
  EXPECT_EQ(table.secondName(2), "D");
  EXPECT_EQ(table.secondValue(2), "4");
}

TEST(TableIdentAccess, IndexPastTheEndReadsAsEmpty) {
  const tableIdentC table = parseExact("T,{A=1}");
  EXPECT_EQ(table.firstName(0), "");
  EXPECT_EQ(table.firstValue(0), "");
  EXPECT_EQ(table.secondName(1), "");
  EXPECT_EQ(table.secondValue(99), "");
}

// --------------------------------------------------------- record 520 text

TEST(TableListText, EntriesAreQuotedAssignmentsJoinedByCommas) {
  const tableIdentC table = parseExact(R"({T1},{A=1},{B?x\}y})");
  EXPECT_EQ(tableListText(table.secondList()), R"("A=1","B=x}y")");
}

TEST(TableListText, EmptyListGivesEmptyText) {
  EXPECT_EQ(tableListText({}), "");
}

TEST(TableListText, EachListIsWrittenOnItsOwn) {
  const tableIdentC table = parseExact("T,011 {A=1},{B=}{C=3},{N}");
  EXPECT_EQ(tableListText(table.firstList()), R"("A=1","B=")");
  EXPECT_EQ(tableListText(table.secondList()), R"("N}=")");
}

}  // namespace
}  // namespace lorvane
