// Where the tool says the reader gave up: the line and column of the
// mistake, counted by hand in each text below.
#include <gtest/gtest.h>

#include <string>

#include "lorvane/cli/readerFailurePlace.h"

namespace lorvane::cli {
namespace {

readerFailurePlaceC placeIn(const std::string& text) {
  readerFailureScannerC scanner;
  // Fed a byte at a time: nothing may depend on where the pieces end.
  for (const char c : text) scanner.feed(std::string_view(&c, 1));
  return scanner.finish();
}

void expectPlace(const std::string& text, std::size_t line, std::size_t column, const std::string& found) {
  const readerFailurePlaceC place = placeIn(text);
  EXPECT_TRUE(place.found) << text;
  EXPECT_EQ(place.line, line) << text;
  EXPECT_EQ(place.column, column) << text;
  EXPECT_EQ(place.detail.rfind("found " + found, 0), 0u) << place.detail;
}

TEST(ReaderFailurePlace, ACharacterNoTokenStartsWithIsShownWhereItStands) {
  expectPlace("A{B(1)}", 1, 4, "'('");
  expectPlace("A{\r\n  B{1;2}}", 2, 6, "';'");
  expectPlace("A{\n# note\n}", 2, 1, "'#'");
  expectPlace("A{N{1.2.3}}", 1, 5, "\"1.2.3\"");
  expectPlace("A{}}", 1, 4, "'}'");
  expectPlace("{A}", 1, 1, "'{'");
}

TEST(ReaderFailurePlace, ASectionLeftOpenIsShownAtItsBrace) {
  // The '}' missing on line 4 makes the one on line 5 close FIGURITEMS,
  // though it is indented as FIGURE's own.
  expectPlace("DRAWING{\n  FIGURE{\n    FIGURITEMS{\n      LINE{}\n  }\n  FIGURE{\n  }\n}\n", 3, 15,
              "the end of the file");
  // Without indentation to go by: the innermost brace still open.
  expectPlace("A{B{C{}", 1, 4, "the end of the file");
}

TEST(ReaderFailurePlace, AStringLeftOpenIsShownAtItsQuote) {
  expectPlace("A{\"x}\nB{1}", 1, 3, "the end of the file");
  // A string that ran over a line end is named as the likely culprit.
  const readerFailurePlaceC place = placeIn("A{\"x}\nB{\"y\"} C(");
  EXPECT_NE(place.detail.find("the string opened at line 1, column 3"), std::string::npos) << place.detail;
}

TEST(ReaderFailurePlace, AReadableTextHasNone) {
  EXPECT_FALSE(placeIn("A{\"a;(b\" 1.5,-2 B{}}\r\nC").found);
}

}  // namespace
}  // namespace lorvane::cli
