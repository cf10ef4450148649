// Whole MI files written through the dispatch, compared with files worked out
// by hand from the file layout: record numbers, sections and their order.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "lorvane/geometry/vectorMath.h"
#include "me10TestSupport.h"
#include "lorvane/writers/me10/miNumberFormat.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::me10test {
namespace {

TEST(MiFile, OneFigureWithOneLine) {
  conversionC c(R"(FIGURE{NAME{"F"} FIGURITEMS{LINE{POINT{0,0} POINT{10,0}}}})");
  EXPECT_EQ(c.masked, oneLineFigureFile("0", "0", "10", "0"));
  EXPECT_FALSE(c.hasResultText());
  EXPECT_EQ(c.progressCalls, 2);
  EXPECT_EQ(c.firstProgress, 0.0);
  EXPECT_EQ(c.lastProgress, 100.0);
}

TEST(MiFile, TwoFiguresGetATopAssemblyAndATopBlock) {
  // The same coordinates in two figures make a point in each part.
  conversionC c(R"(DRAWING{NAME{"Plate~A"} DRAWINGITEMS{
      FIGURE{NAME{"Top"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      FIGURE{NAME{"Side~B"} INSERTPOINT{POINT{5,-2.5}} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})");
  const std::string expected =
      crlfLines({"#~2", "2", "TC41:1", "TC5:3",
             "Top`~1", "3", "TC61:6", "TC62:8", "PLAST:8",
             "Side_B`~2", "3", "TC61:9", "TC62:11", "PLAST:11",
             "Plate_A", "1", "PLAST:11", "LAST:11"}) +
      headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
             "#~5",
             "ASSE", "3", "1", "1", "Top`~1", "1", "0", "0", "0", "0", "0", "|~",
             "ASSE", "4", "1", "1", "Side_B`~2", "1", "5", "-2.5", "0", "0", "0", "|~",
             "ASSE", "5", "1", "1", "Plate_A", "1", "0", "0", "0", "0", "2",
             "0", "0", "0", "0", "3", "1", "0", "0", "0", "1", "0", "0", "0", "1", "3",
             "0", "0", "0", "0", "4", "1", "0", "0", "0", "1", "0", "0", "0", "1", "2",
             "|~",
             "#~6", "Top`~1",
             "#~61", "P", "6", "0", "0", "|~", "P", "7", "1", "0", "|~",
             "#~62", "LIN", "8", "7", "0", "1.000", "0", "1", "2", "6", "7", "|~",
             "#~71", "#~72",
             "#~6", "Side_B`~2",
             "#~61", "P", "9", "0", "0", "|~", "P", "10", "1", "0", "|~",
             "#~62", "LIN", "11", "7", "0", "1.000", "0", "1", "2", "9", "10", "|~",
             "#~71", "#~72",
             "#~6", "Plate_A", "#~62", "#~71", "#~72",
             "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(MiFile, APartWithTextsOnlyListsOnlyItsTextRange) {
  conversionC c(R"(FIGURE{NAME{"T"} FIGURITEMS{
      TEXT{POINT{2,3} TEXT{"A\n\nB"} HEIGHT{3.5} ANGLE{0} TEXTRELPOS{1}}}})");
  const std::string expected =
      crlfLines({"#~2", "2", "TC41:1", "TC5:3", "T`~1", "2", "TC72:4", "PLAST:4", "LAST:4"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
             "#~5", "ASSE", "3", "1", "1", "T`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "T`~1", "#~61", "#~62", "#~71", "#~72",
             "TEX", "4", "7", "0", "1.000", "0", "1", "2",
             "7",
             "1", "0", "2", "0", "1", "3", "0", "0", "1",
             "0", "0", "hp_i3098_v", "0", "0",
             "3.5", "3.5",
             "0", "1", "1",
             "3", "A", "0", "", "0", "B", "0",
             "|~",
             "##~~"});
  EXPECT_EQ(c.masked, expected);
}

// The text record between its relative position and its height.
std::string textBody(const conversionC& c) {
  const std::size_t from = c.file.find("\r\nTEX\r\n");
  const std::size_t to = c.file.find("\r\nhp_i3098_v\r\n");
  if (from == std::string::npos || to == std::string::npos) return {};
  return c.file.substr(from + 2, to + 2 - from - 2);
}

TEST(MiFile, TheTextMatrixIsTheRotationTimesTheTranslationColumnByColumn) {
  conversionC flat(R"(FIGURE{NAME{"T"} FIGURITEMS{TEXT{POINT{-4,7.25} TEXT{"x"} HEIGHT{2} ANGLE{0}}}})");
  EXPECT_EQ(textBody(flat), crlfLines({"TEX", "4", "7", "0", "1.000", "0", "1", "2", "0",
                                   "1", "0", "-4", "0", "1", "7.25", "0", "0", "1", "0", "0"}));
  // cos 90 degrees is a rounding error above zero: 6.123233995736766e-17 with
  // glibc; other math libraries round it differently.
  // The angle is read at run time, as the writer reads it: the compiler folds
  // constant calls with a rounding of its own.
  volatile double degrees = 90;
  const std::string cos90 = formatMiFloat(std::cos(degreesToRadiansMultiplyingFirst(degrees)));
  conversionC turned(R"(FIGURE{NAME{"T"} FIGURITEMS{TEXT{POINT{1,2} TEXT{"x"} HEIGHT{2} ANGLE{90}}}})");
  EXPECT_EQ(textBody(turned), crlfLines({"TEX", "4", "7", "0", "1.000", "0", "1", "2", "0",
                                     cos90.c_str(), "-1", "1", "1", cos90.c_str(), "2", "0", "0", "1", "0", "0"}));
}

TEST(MiFile, TextLinesAreCutAtLineFeedsAndLoseTheirBlanks) {
  conversionC c(R"(FIGURE{NAME{"T"} FIGURITEMS{
      TEXT{POINT{0,0} TEXT{""} HEIGHT{1}}
      TEXT{POINT{0,0} TEXT{"A\n"} HEIGHT{1}}
      TEXT{POINT{0,0} TEXT{" \tA b \n\t c\t"} HEIGHT{1}}}})");
  // After the height (twice) and "0", "1", "1": the count of lines, then
  // each line followed by "0". The empty text has no lines, "A" and a line
  // feed one, the third text two.
  EXPECT_NE(c.file.find(crlfLines({"hp_i3098_v", "0", "0", "1", "1", "0", "1", "1", "0", "|~", "TEX"})), std::string::npos);
  EXPECT_NE(c.file.find(crlfLines({"hp_i3098_v", "0", "0", "1", "1", "0", "1", "1", "1", "A", "0", "|~", "TEX"})),
            std::string::npos);
  EXPECT_NE(c.file.find(crlfLines({"hp_i3098_v", "0", "0", "1", "1", "0", "1", "1", "2", "A b", "0", "c", "0", "|~",
                               "##~~"})),
            std::string::npos);
}

TEST(MiFile, FloatsHaveThreeExponentDigits) {
  conversionC c(R"(FIGURE{NAME{"F"} INSERTPOINT{POINT{1500000, 0.00001}}})");
  const std::string expected =
      crlfLines({"#~2", "2", "TC41:1", "TC5:2", "F`~1", "1", "PLAST:2", "LAST:2"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "#~5", "ASSE", "2", "1", "1", "F`~1", "1", "1.5e+006", "1e-005", "0", "0", "0", "|~",
             "#~6", "F`~1", "#~61", "#~62", "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(MiFile, ASingleEmptyFigureStaysAsAnEmptyPart) {
  conversionC c(R"(FIGURE{NAME{"E"}})");
  const std::string expected =
      crlfLines({"#~2", "2", "TC41:1", "TC5:2", "E`~1", "1", "PLAST:2", "LAST:2"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "#~5", "ASSE", "2", "1", "1", "E`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "E`~1", "#~61", "#~62", "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

const std::string& emptyModelFile() {
  static const std::string file = crlfLines({"#~2", "2", "TC41:1", "TC5:2", "LAST:1"}) + headerSection() +
                                  crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "#~5", "##~~"});
  return file;
}

TEST(MiFile, ARejectedInputStillWritesTheEmptyModel) {
  conversionC c(R"(NOTADRAWING{FIGURE{NAME{"F"}}})");
  EXPECT_EQ(c.masked, emptyModelFile());
  EXPECT_EQ(c.resultText(), "Fehler in der Metadatei!");
  EXPECT_EQ(c.progressCalls, 2);
  EXPECT_EQ(c.lastProgress, 100.0);
}

TEST(MiFile, ARequestWithoutInputIsRejectedTheSameWay) {
  conversionC c(nullptr);
  EXPECT_EQ(c.masked, emptyModelFile());
  EXPECT_EQ(c.resultText(), "Fehler in der Metadatei!");
  EXPECT_EQ(c.progressCalls, 2);
}

TEST(MiFile, ADrawingWithoutFiguresHasNoPartsAndLastNamesTheStatusRecord) {
  conversionC c(R"(DRAWING{NAME{"D"}})");
  EXPECT_EQ(c.masked, emptyModelFile());
  EXPECT_FALSE(c.hasResultText());
}

TEST(MiFile, AFileThatCannotBeCreatedIsReported) {
  const std::string path = scratchPath("no_such_directory/sub/out.mi");
  conversionC c(R"(FIGURE{NAME{"F"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})", path);
  EXPECT_FALSE(fileExists(path));
  EXPECT_EQ(c.resultText(), "Datei " + path + " konnte nicht erzeugt werden!");
  EXPECT_EQ(c.progressCalls, 2);
  EXPECT_EQ(c.lastProgress, 100.0);
}

TEST(MiFile, AnUncreatableFileOutranksARejectedInput) {
  const std::string path = scratchPath("no_such_directory/out.mi");
  conversionC c(R"(SOMETHING{})", path);
  EXPECT_EQ(c.resultText(), "Datei " + path + " konnte nicht erzeugt werden!");
}

TEST(MiFile, AWriteErrorIsReported) {
  // A device that takes no data: every write fails once the buffer goes out.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no device that refuses writes";
  conversionC c(R"(FIGURE{NAME{"F"}})", "/dev/full");
  EXPECT_EQ(c.resultText(), "Datei /dev/full konnte nicht geschrieben werden!");
  EXPECT_EQ(c.progressCalls, 2);
}

TEST(MiFile, FormatNamesAreMatchedWithoutRegardToCase) {
  for (const char* format : {"mi", "Mi", "ME10", "me10"}) {
    conversionC c(R"(FIGURE{NAME{"E"}})", scratchPath("me10_case.mi"), format);
    EXPECT_NE(c.file.find("E`~1"), std::string::npos) << format;
  }
}

TEST(MiFile, LineFeedsInNamesBecomeCarriageReturnLineFeedAndCarriageReturnsStay) {
  conversionC c("FIGURE{NAME{\"A\\nB\\rC\"}}");
  EXPECT_NE(c.file.find("\r\nA\r\nB\rC`~1\r\n1\r\nPLAST:2\r\n"), std::string::npos);
}

TEST(MiFile, NamesAndLayerNamesAreWrittenEvenWhenEmpty) {
  // No drawing name, so the model name and the unnamed figures' names start empty.
  conversionC c(R"(DRAWING{DRAWINGITEMS{
      FIGURE{FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      FIGURE{SETTINGS{ME10SETTINGS{ME10LAYERLIST{ME10LAYER{"a"} ME10LAYER{""}}}}
             FIGURITEMS{SHAPEATTR{METALINETYPE{1}} CIRCLE{POINT{0,0} RAD{1}}}}}})");
  const std::string expected =
      crlfLines({"#~2", "2", "TC41:1", "TC5:4",
             "_0`~1", "3", "TC61:7", "TC62:9", "PLAST:9",
             "_1`~2", "3", "TC61:10", "TC62:12", "PLAST:12",
             "", "1", "PLAST:12", "LAST:12"}) +
      headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "ASSP", "2", "1", "LAYER: 1", "|~",
             "ASSP", "3", "1", "LAYER: ", "|~",
             "#~5",
             "ASSE", "4", "1", "1", "_0`~1", "1", "0", "0", "0", "0", "0", "|~",
             "ASSE", "5", "1", "1", "_1`~2", "1", "0", "0", "0", "0", "0", "|~",
             "ASSE", "6", "1", "1", "", "1", "0", "0", "0", "0", "2",
             "0", "0", "0", "0", "4", "1", "0", "0", "0", "1", "0", "0", "0", "1", "3",
             "0", "0", "0", "0", "5", "1", "0", "0", "0", "1", "0", "0", "0", "1", "2",
             "|~",
             "#~6", "_0`~1",
             "#~61", "P", "7", "0", "0", "|~", "P", "8", "1", "0", "|~",
             "#~62", "LIN", "9", "7", "0", "1.000", "0", "1", "2", "7", "8", "|~",
             "#~71", "#~72",
             "#~6", "_1`~2",
             "#~61", "P", "10", "0", "0", "|~", "P", "11", "1", "0", "|~",
             "#~62", "CIR", "12", "7", "0", "1.000", "0", "1", "3", "10", "11", "|~",
             "#~71", "#~72",
             "#~6", "", "#~62", "#~71", "#~72",
             "##~~"});
  EXPECT_EQ(c.masked, expected);
}

}  // namespace
}  // namespace lorvane::me10test
