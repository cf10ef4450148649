// How the input drawing becomes the model, seen in the MI file: shared
// points, arc direction, circles, attributes and settings, texts, naming,
// placement and pruning.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/vectorMath.h"
#include "me10TestSupport.h"
#include "lorvane/metatree/metaTextNumber.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/writers/me10/miNumberFormat.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::me10test {
namespace {

// Section "#~2" of a file: its fixed start, then the given lines.
std::string contents(std::initializer_list<const char*> rest) {
  std::string out = crlfLines({"#~2", "2", "TC41:1"});
  for (const char* line : rest) out += std::string(line) + "\r\n";
  return out;
}

bool contains(const std::string& file, const std::string& part) { return file.find(part) != std::string::npos; }

// A number as the meta tree's text form writes it.
std::string textNumber(double value) {
  char text[kTextNumberMaxChars];
  return std::string(text, formatTextNumber(value, text));
}

TEST(ME10Walk, EndPointsWithinTheToleranceAreOnePoint) {
  conversionC c(R"(FIGURE{NAME{"S"} FIGURITEMS{
      LINE{POINT{0,0} POINT{1,1}}
      LINE{POINT{1.00000000009,0.99999999991} POINT{2,0}}
      LINE{POINT{2.0000000002,0} POINT{3,0}}}})");
  const std::string expected =
      contents({"TC5:3", "S`~1", "3", "TC61:4", "TC62:9", "PLAST:11", "LAST:11"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
             "#~5", "ASSE", "3", "1", "1", "S`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "S`~1",
             "#~61",
             "P", "4", "0", "0", "|~",
             "P", "5", "1", "1", "|~",
             "P", "6", "2", "0", "|~",
             "P", "7", "2", "0", "|~",  // 2e-10 from point 6: a point of its own
             "P", "8", "3", "0", "|~",
             "#~62",
             "LIN", "9", "7", "0", "1.000", "0", "1", "2", "4", "5", "|~",
             "LIN", "10", "7", "0", "1.000", "0", "1", "2", "5", "6", "|~",
             "LIN", "11", "7", "0", "1.000", "0", "1", "2", "7", "8", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, AClockwiseArcIsWrittenFromItsEndPoint) {
  // Start (2, 3), middle (3, 4), end (4, 3) about (3, 3) runs clockwise.
  conversionC c(R"(FIGURE{NAME{"A"} FIGURITEMS{ARC{POINT{2,3} POINT{3,4} POINT{4,3}}}})");
  const std::string expected =
      contents({"TC5:3", "A`~1", "3", "TC61:4", "TC62:7", "PLAST:7", "LAST:7"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
             "#~5", "ASSE", "3", "1", "1", "A`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "A`~1",
             "#~61",
             "P", "4", "3", "3", "|~",
             "P", "5", "4", "3", "|~",
             "P", "6", "2", "3", "|~",
             "#~62",
             "ARC", "7", "7", "0", "1.000", "0", "1", "2", "4", "5", "6", "0", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, ACounterClockwiseArcKeepsItsDirection) {
  conversionC c(R"(FIGURE{NAME{"A"} FIGURITEMS{ARC{POINT{4,3} POINT{3,4} POINT{2,3}} ARC{POINT{2,3} POINT{3,4} POINT{4,3}}}})");
  // Both arcs are the same counter-clockwise arc from (4, 3) to (2, 3).
  EXPECT_TRUE(contains(c.file, crlfLines({"#~61", "P", "4", "3", "3", "|~", "P", "5", "4", "3", "|~", "P", "6", "2", "3",
                                      "|~", "#~62", "ARC", "7", "7", "0", "1.000", "0", "1", "2", "4", "5", "6", "0",
                                      "|~", "ARC", "8", "7", "0", "1.000", "0", "1", "2", "4", "5", "6", "0", "|~",
                                      "#~71"})))
      << c.file;
}

TEST(ME10Walk, ACircleRegistersItsCentreAndTheRimPointToTheRight) {
  conversionC c(R"(FIGURE{NAME{"C"} FIGURITEMS{CIRCLE{POINT{1,2} RAD{5}}}})");
  const std::string expected =
      contents({"TC5:3", "C`~1", "3", "TC61:4", "TC62:6", "PLAST:6", "LAST:6"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
             "#~5", "ASSE", "3", "1", "1", "C`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "C`~1",
             "#~61", "P", "4", "1", "2", "|~", "P", "5", "6", "2", "|~",
             "#~62", "CIR", "6", "7", "0", "1.000", "0", "1", "2", "4", "5", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, ACosmeticDashedLineWithoutSettingsGoesToTheEmptyLayer) {
  // The first line comes before any attribute record: line type 0.
  conversionC c(R"(FIGURE{NAME{"K"} FIGURITEMS{
      LINE{POINT{0,0} POINT{1,0}}
      SHAPEATTR{METALINETYPE{2} COSMETIC{1}}
      LINE{POINT{1,0} POINT{2,0}}}})");
  const std::string expected =
      contents({"TC5:4", "K`~1", "3", "TC61:5", "TC62:8", "PLAST:9", "LAST:9"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "ASSP", "2", "1", "LAYER: 1", "|~",
             "ASSP", "3", "1", "LAYER: ", "|~",
             "#~5", "ASSE", "4", "1", "1", "K`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "K`~1",
             "#~61", "P", "5", "0", "0", "|~", "P", "6", "1", "0", "|~", "P", "7", "2", "0", "|~",
             "#~62",
             "LIN", "8", "7", "0", "1.000", "0", "1", "2", "5", "6", "|~",
             "LIN", "9", "7", "1", "1.000", "0", "1", "3", "6", "7", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, LineTypeThreeIsNeverCosmetic) {
  conversionC c(R"(FIGURE{NAME{"K"}
      SETTINGS{ME10SETTINGS{
        ME10LAYERLIST{ME10LAYER{"L0"} ME10LAYER{"L1"} ME10LAYER{"L2"} ME10LAYER{"L3"}
                      ME10LAYER{"L4"} ME10LAYER{"L5"} ME10LAYER{"L6"} ME10LAYER{"L7"}}
        ME10LCOLORLIST{ME10LCOLOR{10} ME10LCOLOR{11} ME10LCOLOR{12} ME10LCOLOR{13}
                       ME10LCOLOR{14} ME10LCOLOR{15} ME10LCOLOR{16} ME10LCOLOR{17}}}}
      FIGURITEMS{
        SHAPEATTR{METALINETYPE{3} COSMETIC{1}} LINE{POINT{0,0} POINT{1,0}}
        SHAPEATTR{METALINETYPE{2} COSMETIC{1}} LINE{POINT{1,0} POINT{2,0}}}})");
  const std::string expected =
      contents({"TC5:5", "K`~1", "3", "TC61:6", "TC62:9", "PLAST:10", "LAST:10"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "ASSP", "2", "1", "LAYER: 1", "|~",
             "ASSP", "3", "1", "LAYER: L3", "|~",
             "ASSP", "4", "1", "LAYER: L7", "|~",
             "#~5", "ASSE", "5", "1", "1", "K`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "K`~1",
             "#~61", "P", "6", "0", "0", "|~", "P", "7", "1", "0", "|~", "P", "8", "2", "0", "|~",
             "#~62",
             "LIN", "9", "13", "3", "1.000", "0", "1", "3", "6", "7", "|~",
             "LIN", "10", "17", "1", "1.000", "0", "1", "4", "7", "8", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, ACosmeticColourOfMinusOneLeavesTheLineTypesColour) {
  conversionC c(R"(DRAWING{NAME{"D"}
      SETTINGS{ME10SETTINGS{ME10LCOLORLIST{ME10LCOLOR{1} ME10LCOLOR{2} ME10LCOLOR{3} ME10LCOLOR{4}
                                           ME10LCOLOR{5} ME10LCOLOR{6} ME10LCOLOR{7} ME10LCOLOR{-1}}}}
      DRAWINGITEMS{FIGURE{NAME{"F"} FIGURITEMS{SHAPEATTR{METALINETYPE{2} COSMETIC{1}} LINE{POINT{0,0} POINT{1,1}}}}}})");
  const std::string expected =
      contents({"TC5:4", "F`~1", "3", "TC61:5", "TC62:7", "PLAST:7", "LAST:7"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "ASSP", "2", "1", "LAYER: 1", "|~",
             "ASSP", "3", "1", "LAYER: ", "|~",
             "#~5", "ASSE", "4", "1", "1", "F`~1", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "F`~1",
             "#~61", "P", "5", "0", "0", "|~", "P", "6", "1", "1", "|~",
             "#~62", "LIN", "7", "3", "1", "1.000", "0", "1", "3", "5", "6", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, SettingsCarryOverFromTheDrawingAndFromFigureToFigure) {
  conversionC c(R"(DRAWING{NAME{"D"}
      SETTINGS{ME10SETTINGS{ME10LWIDTHLIST{ME10LWIDTH{0.5}}}}
      DRAWINGITEMS{
        FIGURE{NAME{"A"} SETTINGS{ME10SETTINGS{ME10LCOLORLIST{ME10LCOLOR{3.9}}}}
               FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
        FIGURE{NAME{"B"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
        FIGURE{NAME{"C"} SETTINGS{ME10SETTINGS{ME10LCOLORLIST{ME10LCOLOR{-2.7}}}}
               FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})");
  // Colours are truncated toward zero.
  EXPECT_TRUE(contains(c.file, crlfLines({"LIN", "9", "3", "0", "0.500", "0", "1", "2", "7", "8", "|~"}))) << c.file;
  EXPECT_TRUE(contains(c.file, crlfLines({"LIN", "12", "3", "0", "0.500", "0", "1", "2", "10", "11", "|~"}))) << c.file;
  EXPECT_TRUE(contains(c.file, crlfLines({"LIN", "15", "-2", "0", "0.500", "0", "1", "2", "13", "14", "|~"}))) << c.file;
}

TEST(ME10Walk, SettingListsSkipOtherKeysAndStopAtTheTableEnd) {
  conversionC c(R"(FIGURE{NAME{"L"}
      SETTINGS{ME10SETTINGS{
        ME10LAYERLIST{ME10LAYER{"a0"} NOTE{"skip"} ME10LAYER{"a1"} ME10LAYER{7}}
        ME10LWIDTHLIST{ME10LWIDTH{1} ME10LWIDTH{1} ME10LWIDTH{1} ME10LWIDTH{1} ME10LWIDTH{1}
                       ME10LWIDTH{1} ME10LWIDTH{1} ME10LWIDTH{2.25} ME10LWIDTH{9}}}}
      FIGURITEMS{SHAPEATTR{METALINETYPE{1}} LINE{POINT{0,0} POINT{1,0}}
                 SHAPEATTR{METALINETYPE{2}} LINE{POINT{0,0} POINT{1,0}}
                 SHAPEATTR{METALINETYPE{7}} LINE{POINT{0,0} POINT{1,0}}}})");
  // Entry 2 holds a number, which reads as the empty name.
  EXPECT_TRUE(contains(c.file, crlfLines({"ASSP", "2", "1", "LAYER: 1", "|~", "ASSP", "3", "1", "LAYER: a1", "|~",
                                      "ASSP", "4", "1", "LAYER: ", "|~", "#~5"})))
      << c.file;
  EXPECT_TRUE(contains(c.file, crlfLines({"LIN", "8", "7", "0", "1.000", "0", "1", "3", "6", "7", "|~",
                                      "LIN", "9", "7", "1", "1.000", "0", "1", "4", "6", "7", "|~",
                                      "LIN", "10", "7", "0", "2.250", "0", "1", "4", "6", "7", "|~"})))
      << c.file;
}

TEST(ME10Walk, ThreeFiguresWhoseSecondIsEmptyGiveTwoParts) {
  conversionC c(R"(DRAWING{NAME{"D"} DRAWINGITEMS{
      FIGURE{NAME{"A"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      FIGURE{NAME{"B"}}
      FIGURE{NAME{"C"} FIGURITEMS{LINE{POINT{0,0} POINT{0,1}}}}}})");
  const std::string expected =
      crlfLines({"#~2", "2", "TC41:1", "TC5:3",
             "A`~1", "3", "TC61:6", "TC62:8", "PLAST:8",
             "C`~3", "3", "TC61:9", "TC62:11", "PLAST:11",
             "D", "1", "PLAST:11", "LAST:11"}) +
      headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
             "#~5",
             "ASSE", "3", "1", "1", "A`~1", "1", "0", "0", "0", "0", "0", "|~",
             "ASSE", "4", "1", "1", "C`~3", "1", "0", "0", "0", "0", "0", "|~",
             "ASSE", "5", "1", "1", "D", "1", "0", "0", "0", "0", "2",
             "0", "0", "0", "0", "3", "1", "0", "0", "0", "1", "0", "0", "0", "1", "3",
             "0", "0", "0", "0", "4", "1", "0", "0", "0", "1", "0", "0", "0", "1", "2",
             "|~",
             "#~6", "A`~1",
             "#~61", "P", "6", "0", "0", "|~", "P", "7", "1", "0", "|~",
             "#~62", "LIN", "8", "7", "0", "1.000", "0", "1", "2", "6", "7", "|~",
             "#~71", "#~72",
             "#~6", "C`~3",
             "#~61", "P", "9", "0", "0", "|~", "P", "10", "0", "1", "|~",
             "#~62", "LIN", "11", "7", "0", "1.000", "0", "1", "2", "9", "10", "|~",
             "#~71", "#~72",
             "#~6", "D", "#~62", "#~71", "#~72",
             "##~~"});
  EXPECT_EQ(c.masked, expected);
}

TEST(ME10Walk, AFigureOfAttributeRecordsRegistersItsLayersThoughItIsPruned) {
  conversionC c(R"(DRAWING{NAME{"D"}
      SETTINGS{ME10SETTINGS{ME10LAYERLIST{ME10LAYER{"x"} ME10LAYER{"Duenn"}}}}
      DRAWINGITEMS{
        FIGURE{NAME{"A"} FIGURITEMS{SHAPEATTR{METALINETYPE{1}}}}
        FIGURE{NAME{"B"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})");
  const std::string expected =
      contents({"TC5:4", "B`~2", "3", "TC61:5", "TC62:7", "PLAST:7", "LAST:7"}) + headerSection() +
      crlfLines({"#~41", "PSTAT", "1", "0", "0", "|~",
             "ASSP", "2", "1", "LAYER: 1", "|~",
             "ASSP", "3", "1", "LAYER: Duenn", "|~",
             "#~5", "ASSE", "4", "1", "1", "B`~2", "1", "0", "0", "0", "0", "0", "|~",
             "#~6", "B`~2",
             "#~61", "P", "5", "0", "0", "|~", "P", "6", "1", "0", "|~",
             "#~62", "LIN", "7", "7", "0", "1.000", "0", "1", "2", "5", "6", "|~",
             "#~71", "#~72", "##~~"});
  EXPECT_EQ(c.masked, expected);
}

// The relative position of each text record, in file order.
std::vector<std::string> relativePositions(const std::string& file) {
  std::vector<std::string> found;
  const std::string marker = "\r\nTEX\r\n";
  for (std::size_t at = file.find(marker); at != std::string::npos; at = file.find(marker, at + 1)) {
    std::size_t line = at + marker.size();
    for (int skip = 0; skip < 7; ++skip) line = file.find("\r\n", line) + 2;  // number and attribute lines
    found.push_back(file.substr(line, file.find("\r\n", line) - line));
  }
  return found;
}

TEST(ME10Walk, TextRelativePositionsExchangeTopAndBottomRows) {
  conversionC c(R"(FIGURE{NAME{"T"} FIGURITEMS{
      TEXT{POINT{0,0} TEXT{"a"} TEXTRELPOS{1}}
      TEXT{POINT{0,0} TEXT{"b"} TEXTRELPOS{0}}
      TEXT{POINT{0,0} TEXT{"c"} TEXTRELPOS{10}}
      TEXT{POINT{0,0} TEXT{"d"} TEXTRELPOS{9}}
      TEXT{POINT{0,0} TEXT{"e"} TEXTRELPOS{5}}
      TEXT{POINT{0,0} TEXT{"f"} TEXTRELPOS{8.7}}}})");
  EXPECT_EQ(relativePositions(c.file), (std::vector<std::string>{"7", "0", "10", "3", "5", "2"}));
}

TEST(ME10Walk, UnnamedFiguresAreNamedAfterTheDrawingAndCounted) {
  conversionC c(R"(DRAWING{NAME{"Plan~1"} DRAWINGITEMS{
      FIGURE{FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      FIGURE{NAME{"N"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      FIGURE{NAME{""} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})");
  EXPECT_TRUE(contains(c.file, crlfLines({"TC5:3", "Plan_1_0`~1", "3", "TC61:7", "TC62:9", "PLAST:9",
                                      "N`~2", "3", "TC61:10", "TC62:12", "PLAST:12",
                                      "Plan_1_1`~3", "3", "TC61:13", "TC62:15", "PLAST:15",
                                      "Plan_1", "1", "PLAST:15", "LAST:15"})))
      << c.file;
}

TEST(ME10Walk, ASingleUnnamedFigureIsNamedUnderscoreZero) {
  conversionC c(R"(FIGURE{FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})");
  EXPECT_TRUE(contains(c.file, crlfLines({"TC5:3", "_0`~1", "3"}))) << c.file;
}

TEST(ME10Walk, FiguresAreRotatedInPlaceButNotMoved) {
  conversionC c(R"(FIGURE{NAME{"R"} INSERTPOINT{POINT{10,0} ROTATION{90}} FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}}})");
  // cos 90 degrees comes out as 6.123233995736766e-17 with glibc; other math
  // libraries round it differently.
  // The angle is read at run time, as the walk reads it: the compiler folds
  // constant calls with a rounding of its own.
  volatile double degrees = 90;
  const double cos90 = std::cos(degrees * kPi / 180);
  EXPECT_TRUE(contains(c.file, crlfLines({"ASSE", "3", "1", "1", "R`~1", "1", "10", "0", "0", "0", "0", "|~"}))) << c.file;
  EXPECT_TRUE(contains(c.file, crlfLines({"#~61", "P", "4", formatMiFloat(cos90).c_str(), "1", "|~", "P", "5",
                                      formatMiFloat(2 * cos90).c_str(), "2", "|~"})))
      << c.file;
  // The input's own line has been turned.
  EXPECT_TRUE(contains(c.inputText(), "FIGURITEMS{LINE{POINT{" + textNumber(cos90) + ",1}POINT{" +
                                          textNumber(2 * cos90) + ",2}}}"))
      << c.inputText();
}

TEST(ME10Walk, OnlyFigureChildrenOfTheDrawingItemsAreFigures) {
  conversionC c(R"(DRAWING{NAME{"D"} DRAWINGITEMS{
      FIGURE{NAME{"A"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      NOTAFIGURE{NAME{"X"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}
      FIGURE{NAME{"B"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})");
  EXPECT_TRUE(contains(c.file, crlfLines({"A`~1", "3", "TC61:6", "TC62:8", "PLAST:8", "B`~2"}))) << c.file;
  EXPECT_FALSE(contains(c.file, "X`"));
}

TEST(ME10Walk, MissingMembersAreAddedToTheInputAsEmptyKeys) {
  conversionC c(R"(FIGURE{NAME{"F"} FIGURITEMS{TEXT{POINT{0,0}}}})");
  EXPECT_EQ(c.inputText(),
            "FIGURE{NAME{\"F\"}FIGURITEMS{TEXT{POINT{0,0}TEXT,HEIGHT,ANGLE,TEXTRELPOS,TEXTALIGN,TEXTBW,TEXTBH}}"
            "SETTINGS{ME10SETTINGS{ME10LAYERLIST,ME10LWIDTHLIST,ME10LCOLORLIST}}INSERTPOINT{POINT,ROTATION}}");
}

// How many records of a kind the file holds.
std::size_t countRecords(const std::string& file, const char* kind) {
  const std::string marker = std::string("\r\n") + kind + "\r\n";
  std::size_t n = 0;
  for (std::size_t at = file.find(marker); at != std::string::npos; at = file.find(marker, at + 1)) ++n;
  return n;
}

TEST(ME10Walk, OtherShapesAreWrittenAsTheLinesAndArcsTheyConvertTo) {
  const char* ellipse = R"(ELLIPSE{POINT{0,0} RAD1{4} RAD2{1} ANGLE{30}})";
  // What the conversion of the same ellipse yields, outside any figure.
  metaTextReaderC reader;
  metaObjectC alone = reader.readTree(ellipse, true);
  metaObjectC converted = metaObjectVirtualDataBaseC::createTree("FIGURITEMS", true);
  mBaseShape2dC(alone.node()).toLinesAndArcs(0.01, 0.0001, converted.node());
  std::size_t lines = 0;
  std::size_t arcs = 0;
  for (metaTreeC* n = converted.getFirstChild(); n; n = n->next()) {
    if (n->hasKey("LINE")) ++lines;
    if (n->hasKey("ARC")) ++arcs;
  }
  ASSERT_GT(lines + arcs, 0u);

  conversionC c((std::string(R"(FIGURE{NAME{"E"} FIGURITEMS{SHAPEATTR{METALINETYPE{5}} )") + ellipse + "}}").c_str());
  EXPECT_EQ(countRecords(c.file, "LIN"), lines);
  EXPECT_EQ(countRecords(c.file, "ARC"), arcs);
  // The converted shapes take the attributes in force: line type 5 is code 4.
  EXPECT_EQ(countRecords(c.file, "4\r\n1.000"), lines + arcs);
  // A closed outline: consecutive pieces share their end points.
  EXPECT_LT(countRecords(c.file, "P"), 3 * (lines + arcs));
  // The input figure keeps its one ellipse; the converted shapes stay outside it.
  EXPECT_TRUE(contains(c.inputText(), "FIGURITEMS{SHAPEATTR{METALINETYPE{5}COSMETIC}ELLIPSE{")) << c.inputText();
  EXPECT_FALSE(contains(c.inputText(), "ICRV2D"));
  EXPECT_FALSE(contains(c.inputText(), "LINE{"));
  EXPECT_FALSE(contains(c.inputText(), "ARC{"));
}

}  // namespace
}  // namespace lorvane::me10test
