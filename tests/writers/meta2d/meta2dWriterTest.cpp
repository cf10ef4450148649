// META2D files written through the dispatch, compared with files worked out
// by hand from the record layout.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextReader.h"
#include "requestTrees.h"
#include "testFiles.h"
#include "lorvane/util/fileContents.h"

namespace lorvane {
namespace {

using testing::crlfLines;
using testing::fileExists;
using testing::readFileBytes;

int gProgressCalls = 0;
double gLastProgress = -1;
void progress(double percent, const char* text) {
  ++gProgressCalls;
  gLastProgress = percent;
  EXPECT_STREQ(text, "");
}

struct conversionC {
  metaObjectC request;
  std::string path;
  std::string file;

  // The drawing in the text form becomes the first child of INPUTDATA.
  conversionC(const std::string& drawing, std::string output = testing::scratchPath("test.krv"),
              const char* format = "META")
      : path(std::move(output)) {
    std::remove(path.c_str());
    request = testing::conversionRequest(drawing, format, path);
    gProgressCalls = 0;
    EXPECT_EQ(convertRequest(request.node(), &progress), 1);
    file = readFileBytes(path);
  }
  ~conversionC() { std::remove(path.c_str()); }
  std::string resultText() { return std::string(metaObjectC(request.findChild("RESTEXT")).getString().view()); }
  bool hasResult() { return request.findChild("RESTEXT") != nullptr; }
};

// The file of a figure without a view line whose one item is `record`.
std::string oneRecordFigure(const std::string& name, std::string_view record) {
  return crlfLines({"915 " + name, "914 " + name, "511 " + name, record, "EOF"});
}

TEST(Meta2dWriter, ADrawingWithoutFiguresGivesItsNameLineAndEof) {
  conversionC c(R"(DRAWING{NAME{"Front view"}})");
  EXPECT_EQ(c.file, crlfLines({"915 Front_view", "EOF"}));
  EXPECT_FALSE(c.hasResult());
  EXPECT_EQ(gProgressCalls, 2);
  EXPECT_EQ(gLastProgress, 100.0);
}

TEST(Meta2dWriter, AFigureInputNamesTheFileAfterItself) {
  conversionC c(R"(FIGURE{NAME{"A B"}})");
  EXPECT_EQ(c.file, crlfLines({"915 A_B", "914 A B", "918 0_A B", "511 A B", "EOF"}));
}

TEST(Meta2dWriter, ViewNumberMinusOneSuppressesTheViewLine) {
  conversionC none(R"(FIGURE{NAME{"V"} ANSICHTNO{-1}})");
  EXPECT_EQ(none.file, crlfLines({"915 V", "914 V", "511 V", "EOF"}));
  conversionC zero(R"(FIGURE{NAME{"V"} ANSICHTNO{0}})", testing::scratchPath("zero.krv"));
  EXPECT_EQ(zero.file, crlfLines({"915 V", "914 V", "918 0_V", "511 V", "EOF"}));
  conversionC seven(R"(FIGURE{NAME{"V"} ANSICHTNO{-7.9}})", testing::scratchPath("seven.krv"));
  EXPECT_EQ(seven.file, crlfLines({"915 V", "914 V", "918 -7_V", "511 V", "EOF"}));
}

TEST(Meta2dWriter, ALineIsFourFieldsOf24CharactersEachFollowedByABlank) {
  conversionC c(R"(FIGURE{NAME{"L"} ANSICHTNO{-1} FIGURITEMS{LINE{POINT{0,0} POINT{1,2.5}}}})");
  EXPECT_EQ(c.file, oneRecordFigure("L", "100 0.0000000000000000000000 0.0000000000000000000000 1.0000000000000000000000 "
                                        "2.5000000000000000000000 "));
}

TEST(Meta2dWriter, AClockwiseArcIsWrittenCounterClockwise) {
  // (0, 10) through (6, 8) to (10, 0) on the circle of radius 10 runs clockwise
  // from 90 to 0 degrees.
  conversionC c(R"(FIGURE{NAME{"A"} ANSICHTNO{-1} FIGURITEMS{ARC{POINT{0,10} POINT{6,8} POINT{10,0}}}})");
  EXPECT_EQ(c.file, oneRecordFigure("A", "250 0.0000000000000000000000 0.0000000000000000000000 10.000000000000000000000 "
                                        "0.0000000000000000000000 90.000000000000000000000 "));
}

TEST(Meta2dWriter, AnArcWithEqualEndAnglesIsAFullTurn) {
  conversionC c(R"(FIGURE{NAME{"A"} ANSICHTNO{-1} FIGURITEMS{ARC{POINT{10,0} POINT{-10,0} POINT{10,0}}}})");
  EXPECT_EQ(c.file, oneRecordFigure("A", "250 0.0000000000000000000000 0.0000000000000000000000 10.000000000000000000000 "
                                        "0.0000000000000000000000 360.00000000000000000000 "));
}

TEST(Meta2dWriter, CirclesAndTexts) {
  conversionC c(R"(FIGURE{NAME{"C"} ANSICHTNO{-1} FIGURITEMS{
      CIRCLE{POINT{1,-2} RAD{0.5}}
      TEXT{POINT{3,4} TEXT{"M 10"} HEIGHT{2.5} ANGLE{90}}
      TEXT{POINT{0,0}}}})");
  EXPECT_EQ(c.file, crlfLines({"915 C", "914 C", "511 C",
                           "200 1.0000000000000000000000 -2.000000000000000000000 0.5000000000000000000000 ",
                           "500 3.0000000000000000000000 4.0000000000000000000000 2.5000000000000000000000 "
                           "90.000000000000000000000 M 10",
                           "500 0.0000000000000000000000 0.0000000000000000000000 0.0000000000000000000000 "
                           "0.0000000000000000000000 ",
                           "EOF"}));
}

TEST(Meta2dWriter, LineTypeFourSuppressesTheShapesThatFollowIt) {
  conversionC c(R"(FIGURE{NAME{"S"} ANSICHTNO{-1} FIGURITEMS{
      SHAPEATTR{SHAPETYP{4} SHAPEWIDTH{2}} LINE{POINT{0,0} POINT{1,1}} CIRCLE{POINT{0,0} RAD{1}}
      SHAPEATTR{SHAPETYP{1}} LINE{POINT{0,0} POINT{0,1}}}})");
  EXPECT_EQ(c.file, crlfLines({"915 S", "914 S", "511 S", "900 4  ", "901 2  ", "900 1  ", "901 0  ",
                           "100 0.0000000000000000000000 0.0000000000000000000000 0.0000000000000000000000 "
                           "1.0000000000000000000000 ",
                           "EOF"}));
}

TEST(Meta2dWriter, WideAttributeNumbersTakeMoreRoom) {
  conversionC c(R"(FIGURE{NAME{"W"} ANSICHTNO{-1} FIGURITEMS{SHAPEATTR{SHAPETYP{-12} SHAPEWIDTH{12345}}}})");
  EXPECT_EQ(c.file, crlfLines({"915 W", "914 W", "511 W", "900 -12", "901 12345", "EOF"}));
}

TEST(Meta2dWriter, TheFigureBracketsNestAsTheFileFormatWants) {
  conversionC c(R"(FIGURE{NAME{"F"} SHORTNAME{"S"} ANSICHTNO{3} GROUP{"YES"}
      CUTOUT{HIDDEN{"YES"} DASH{"YES"}} MIDENT{"{T1},{A=1},{B?x\\}y}"}})");
  EXPECT_EQ(c.file, crlfLines({"915 F", "917 S", "920 1   SET CUTOUTHIDDEN", "920 2   SET CUTOUTDASH", "910 SET BGN",
                           "914 F", "918 3_F", "511 F", "515 T1", "520 002   \"A=1\",\"B=x}y\"", "911 SET END",
                           "916 END FIG", "921 SET CUTOUTHIDDEN END", "921 SET CUTOUTDASH END", "EOF"}));
}

TEST(Meta2dWriter, FlagsAreOnlyTheExactUpperCaseYes) {
  conversionC c(R"(FIGURE{NAME{"F"} ANSICHTNO{-1} GROUP{"yes"} CUTOUT{HIDDEN{"Yes"} DASH{"NO"}}})");
  EXPECT_EQ(c.file, crlfLines({"915 F", "914 F", "511 F", "EOF"}));
}

TEST(Meta2dWriter, ACountedFirstListHasItsLengthInTheRecord) {
  // "004 " then the first list text {A=1} (5 characters), then the rest.
  conversionC c(R"(FIGURE{NAME{"F"} ANSICHTNO{-1} MIDENT{"T9,005 {A=1},{B=2}"}})");
  EXPECT_EQ(c.file, crlfLines({"915 F", "914 F", "511 F", "515 T9", "520 007\"A=1\"   \"B=2\"", "EOF"}));
}

TEST(Meta2dWriter, AnIdentificationThatYieldsNothingStillWritesBothRecords) {
  conversionC c(R"(FIGURE{NAME{"F"} ANSICHTNO{-1} MIDENT{"T3"}})");
  EXPECT_EQ(c.file, crlfLines({"915 F", "914 F", "511 F", "515 ", "520 002   ", "EOF"}));
}

TEST(Meta2dWriter, FiguresArePlacedByRotationThenInsertPoint) {
  conversionC c(R"(FIGURE{NAME{"P"} ANSICHTNO{-1} INSERTPOINT{POINT{10,0} ROTATION{90}}
      FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}}})");
  EXPECT_EQ(c.file, oneRecordFigure("P", "100 10.000000000000000000000 1.0000000000000000000000 10.000000000000000000000 "
                                        "2.0000000000000000000000 "));
}

TEST(Meta2dWriter, TheFiguresOfADrawingAreWrittenInListOrder) {
  conversionC c(R"(DRAWING{NAME{"D"} DRAWINGITEMS{FIGURE{NAME{"one"} ANSICHTNO{1}} OTHER{} FIGURE{NAME{"two"}
      ANSICHTNO{2}}}})");
  EXPECT_EQ(c.file, crlfLines({"915 D", "914 one", "918 1_one", "511 one", "914 two", "918 2_two", "511 two", "EOF"}));
}

TEST(Meta2dWriter, AnEllipseIsWrittenInPlaceAsItsArcs) {
  conversionC c(R"(FIGURE{NAME{"E"} ANSICHTNO{-1} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}
      ELLIPSE{POINT{0,0} RAD1{10} RAD2{5} ANGLE{0}} LINE{POINT{0,0} POINT{0,1}}}})");
  std::vector<std::string> records;
  std::size_t at = 0;
  while (at < c.file.size()) {
    const std::size_t end = c.file.find("\r\n", at);
    records.push_back(c.file.substr(at, end - at));
    at = end + 2;
  }
  ASSERT_GT(records.size(), 10u);
  EXPECT_EQ(records[3].substr(0, 4), "100 ");
  EXPECT_EQ(records[records.size() - 2].substr(0, 4), "100 ");
  EXPECT_EQ(records.back(), "EOF");
  for (std::size_t i = 4; i + 2 < records.size(); ++i) EXPECT_EQ(records[i].substr(0, 4), "250 ") << i;
}

TEST(Meta2dWriter, ItemsWithoutAShapeClassWriteNothing) {
  conversionC c(R"(FIGURE{NAME{"N"} ANSICHTNO{-1} FIGURITEMS{UNKNOWN{POINT{1,1}} SPOINT{POINT{1,1}}}})");
  EXPECT_EQ(c.file, crlfLines({"915 N", "914 N", "511 N", "EOF"}));
}

TEST(Meta2dWriter, TextsAndNamesAreWrittenByteForByteWithLineFeedsAsCrLf) {
  conversionC c("FIGURE{NAME{\"a\\nb\"} ANSICHTNO{-1} FIGURITEMS{TEXT{POINT{0,0} TEXT{\"x\\ry\\nz\"}}}}");
  EXPECT_EQ(c.file, crlfLines({"915 a", "b", "914 a", "b", "511 a", "b",
                           "500 0.0000000000000000000000 0.0000000000000000000000 0.0000000000000000000000 "
                           "0.0000000000000000000000 x\ry",
                           "z", "EOF"}));
}

TEST(Meta2dWriter, NotANumberAndInfinityAreWrittenAsTheirShortForms) {
  // Placing the figure multiplies by the matrix's zeros, and 0 * inf is NaN,
  // so every field of this line comes out as a NaN or an infinity.
  conversionC c(R"(FIGURE{NAME{"N"} ANSICHTNO{-1} FIGURITEMS{LINE{POINT{+nan,+inf} POINT{-inf,1}}}})");
  const std::string prefix = crlfLines({"915 N", "914 N", "511 N"});
  ASSERT_EQ(c.file.substr(0, prefix.size()), prefix);
  const std::string record = c.file.substr(prefix.size(), c.file.find("\r\n", prefix.size()) - prefix.size());
  EXPECT_TRUE(std::regex_match(record, std::regex("100 ((-?nan|-?inf) ){4}"))) << record;
  EXPECT_EQ(c.file.substr(c.file.size() - 5), "EOF\r\n");
}

TEST(Meta2dWriter, AbsentMembersAreAddedToTheInputAsEmptyKeys) {
  conversionC c(R"(FIGURE{NAME{"F"}})");
  metaObjectC figure(metaObjectC(c.request.findChild("INPUTDATA")).getFirstChild());
  for (const char* key : {"SHORTNAME", "CUTOUT", "GROUP", "ANSICHTNO", "MIDENT", "INSERTPOINT", "FIGURITEMS"})
    EXPECT_TRUE(figure.hasChild(key)) << key;
  EXPECT_EQ(metaObjectC(figure.findChild("SHORTNAME")).getFirstChild(), nullptr);
}

TEST(Meta2dWriter, ARejectedInputLeavesAnEmptyFile) {
  conversionC c(R"(OTHER{NAME{"X"}})");
  EXPECT_TRUE(fileExists(c.path));
  EXPECT_EQ(c.file, "");
  EXPECT_EQ(c.resultText(), "Fehler in der Metadatei!");
  EXPECT_EQ(gProgressCalls, 2);
}

TEST(Meta2dWriter, NoInputAtAllIsRejectedToo) {
  conversionC c("");
  EXPECT_EQ(c.resultText(), "Fehler in der Metadatei!");
  EXPECT_EQ(c.file, "");
}

TEST(Meta2dWriter, AFileInAMissingFolderIsReportedWithItsPath) {
  const std::string path = testing::scratchPath("no-such-folder/out.krv");
  conversionC c(R"(FIGURE{NAME{"F"}})", path);
  EXPECT_EQ(c.resultText(), "Datei " + path + " konnte nicht erzeugt werden!");
  EXPECT_EQ(gProgressCalls, 2);
  EXPECT_FALSE(fileExists(path));
}

#if !defined(_WIN32)
TEST(Meta2dWriter, AWriteErrorIsReported) {
  std::FILE* full = std::fopen("/dev/full", "wb");
  if (!full) GTEST_SKIP() << "no /dev/full";
  std::fclose(full);
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  metaObjectC(request.getOrAddChild("NAME")).setString("META2DV1");
  metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString("/dev/full");
  metaObjectC(metaObjectC(request.getOrAddChild("INPUTDATA")).addChild("DRAWING")).getOrAddChild("NAME");
  convertRequest(request.node(), &progress);
  EXPECT_EQ(std::string(metaObjectC(request.findChild("RESTEXT")).getString().view()),
            "Datei /dev/full konnte nicht geschrieben werden!");
}
#endif

TEST(Meta2dWriter, FormatNamesInAnyCaseSelectTheWriter) {
  for (const char* name : {"meta", "Meta2dV1"}) {
    conversionC c(R"(DRAWING{NAME{"x"}})", testing::scratchPath("case.krv"), name);
    EXPECT_EQ(c.file, crlfLines({"915 x", "EOF"})) << name;
  }
}

}  // namespace
}  // namespace lorvane
