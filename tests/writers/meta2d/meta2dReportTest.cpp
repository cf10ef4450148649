// What the META2D writer reports beside the file: values the file cannot
// hold (the file keeps its bytes), and progress when the host asks for it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "requestTrees.h"
#include "testFiles.h"
#include "lorvane/util/fileContents.h"

namespace lorvane {
namespace {

using testing::crlfLines;

std::vector<double> gProgress;
void recordProgress(double percent, const char*) { gProgress.push_back(percent); }

struct runC {
  std::string file;
  std::string restext;  // "-" when none
  std::string inputAfter;
};

runC convert(const std::string& drawing, bool progressDetail = false, const std::string& path = "") {
  const std::string output = path.empty() ? testing::scratchPath("report.krv") : path;
  metaObjectC request = testing::conversionRequest(drawing, "META", output, {progressDetail});
  metaObjectC input(request.findChild("INPUTDATA"));
  gProgress.clear();
  convertRequest(request.node(), &recordProgress);
  runC run;
  if (path.empty()) {  // a device given as the path is not read back
    run.file = testing::readFileBytes(output);
    std::remove(output.c_str());
  }
  run.restext = testing::hasResultText(request) ? testing::resultText(request) : "-";
  run.inputAfter = writeTree(input.node()->firstChild(), false, true);
  return run;
}

const std::string kZero = "0.0000000000000000000000";
const std::string kOne = "1.0000000000000000000000";

std::string lineDrawing(const std::string& x) {
  return R"(DRAWING{NAME{"D"} DRAWINGITEMS{FIGURE{NAME{"Plate"} ANSICHTNO{-1} FIGURITEMS{LINE{POINT{)" + x +
         R"(,0} POINT{1,1}}}}}})";
}

TEST(Meta2dReport, AnIntegerPartThatTakesTheWholeFieldIsReportedAndWrittenCutAsBefore) {
  // 2^76 has 23 digits: its point is the field's last character. With a sign
  // the digits fill the field and the point is cut away.
  const runC fits = convert(lineDrawing("75557863725914323419136"));
  EXPECT_EQ(fits.restext, "-");
  EXPECT_EQ(fits.file, crlfLines({"915 D", "914 Plate", "511 Plate",
                              "100 75557863725914323419136. " + kZero + " " + kOne + " " + kOne + " ", "EOF"}));
  const runC cut = convert(lineDrawing("-75557863725914323419136"));
  EXPECT_EQ(cut.restext, "Figur Plate: Zahl im Satz 100 nicht darstellbar!");
  EXPECT_EQ(cut.file, crlfLines({"915 D", "914 Plate", "511 Plate",
                             "100 -75557863725914323419136 " + kZero + " " + kOne + " " + kOne + " ", "EOF"}));
}

TEST(Meta2dReport, NumbersThatAreNotFiniteAreReportedAndWrittenAsBefore) {
  const runC run = convert(R"(DRAWING{NAME{"D"} DRAWINGITEMS{FIGURE{NAME{"A"} ANSICHTNO{-1}} FIGURE{NAME{""} ANSICHTNO{-1})"
                           R"( FIGURITEMS{CIRCLE{POINT{0,0} RAD{+inf}}}}}})");
  EXPECT_EQ(run.restext, "Figur Nr. 2: Zahl im Satz 200 nicht darstellbar!");
  EXPECT_EQ(run.file, crlfLines({"915 D", "914 A", "511 A", "914 ", "511 ", "200 " + kZero + " " + kZero + " inf ", "EOF"}));
}

// An arc between non-finite angles has no curve to sample; it must not
// vanish from the file unreported.
TEST(Meta2dReport, AnEllipticArcBetweenAnglesThatAreNotFiniteIsReported) {
  for (const char* angles : {"ANGLE1{0} ANGLE2{+inf}", "ANGLE1{0} ANGLE2{+nan}", "ANGLE1{-inf} ANGLE2{+inf}",
                             "ANGLE1{+nan} ANGLE2{90}", "ANGLE{+inf} ANGLE1{0} ANGLE2{90}"}) {
    const std::string arc = std::string("ELLIPSEARC{POINT{0,0} RAD1{3} RAD2{2} ") + angles + "}";
    EXPECT_EQ(convert(R"(FIGURE{NAME{"F"} FIGURITEMS{)" + arc + "}}").restext,
              "Figur F: Zahl im Satz 100 nicht darstellbar!")
        << angles;
  }
}

TEST(Meta2dReport, OnlyTheFirstValueIsReported) {
  const runC run = convert(R"(FIGURE{NAME{"F"} FIGURITEMS{TEXT{POINT{0,0} TEXT{"t"} HEIGHT{+nan}})"
                           R"( ARC{POINT{1e300,0} POINT{0,1e300} POINT{-1e300,0}}}})");
  EXPECT_EQ(run.restext, "Figur F: Zahl im Satz 500 nicht darstellbar!");
}

TEST(Meta2dReport, ATextWhoseLaterLineReadsAsARecordIsReported) {
  // A line after a line feed continues the text unless it starts with a
  // record code and a blank.
  EXPECT_EQ(convert(R"(FIGURE{NAME{"F"} FIGURITEMS{TEXT{POINT{0,0} TEXT{"two\nlines 100 x\n5000"}}}})").restext, "-");
  const runC run = convert(R"(FIGURE{NAME{"F"} FIGURITEMS{TEXT{POINT{0,0} TEXT{"a\n100 b"}}}})");
  EXPECT_EQ(run.restext, "Figur F: Text im Satz 500 nicht darstellbar!");
  EXPECT_EQ(run.file, crlfLines({"915 F", "914 F", "918 0_F", "511 F",
                             "500 " + kZero + " " + kZero + " " + kZero + " " + kZero + " a", "100 b", "EOF"}));
  EXPECT_EQ(convert(R"(FIGURE{NAME{"x\n511 y"}})").restext, "Figur Nr. 1: Text im Satz 914 nicht darstellbar!");
  // The name line has its blanks made underscores: no later line reads as a record.
  EXPECT_EQ(convert(R"(DRAWING{NAME{"x\n915 y"}})").restext, "-");
  EXPECT_EQ(convert(R"(FIGURE{NAME{"F"} SHORTNAME{"s\n916 END FIG"}})").restext,
            "Figur F: Text im Satz 917 nicht darstellbar!");
}

#if !defined(_WIN32)
TEST(Meta2dReport, AFileErrorAfterwardsReplacesTheReport) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  EXPECT_EQ(convert(lineDrawing("+inf"), false, "/dev/full").restext,
            "Datei /dev/full konnte nicht geschrieben werden!");
}
#endif

std::string manyItems(int figures, int lines) {
  std::string drawing = R"(DRAWING{NAME{"D"} DRAWINGITEMS{)";
  for (int f = 0; f < figures; ++f) {
    drawing += R"(FIGURE{NAME{"F"} FIGURITEMS{ELLIPSE{POINT{0,0} RAD1{2} RAD2{1}})";
    for (int i = 0; i < lines; ++i) drawing += "LINE{POINT{" + std::to_string(i) + ",0} POINT{1,1}}";
    drawing += "}}";
  }
  return drawing + " FIGURE}}";
}

TEST(Meta2dReport, ProgressIsTwoCallsUnlessAskedForAndThenRisesThroughTheItems) {
  const std::string drawing = manyItems(4, 500);
  const runC plain = convert(drawing);
  EXPECT_EQ(gProgress, (std::vector<double>{0.0, 100.0}));
  const runC detailed = convert(drawing, true);
  // At least every hundredth of the 2004 items.
  EXPECT_GE(gProgress.size(), 2u + 100u);
  EXPECT_EQ(gProgress.front(), 0.0);
  EXPECT_EQ(gProgress.back(), 100.0);
  for (std::size_t i = 1; i + 1 < gProgress.size(); ++i) {
    EXPECT_GT(gProgress[i], 0.0);
    EXPECT_LT(gProgress[i], 100.0);
    EXPECT_GE(gProgress[i], gProgress[i - 1]);
  }
  EXPECT_GT(gProgress[gProgress.size() - 2], 99.0);
  // Figures without items are reported too.
  std::string empty = "DRAWING{DRAWINGITEMS{";
  for (int f = 0; f < 150; ++f) empty += "FIGURE ";
  convert(empty + "}}", true);
  EXPECT_EQ(gProgress.size(), 2u + 150u);
  // Counting the items changes neither the file nor the input tree.
  EXPECT_EQ(detailed.file, plain.file);
  EXPECT_EQ(detailed.inputAfter, plain.inputAfter);
}

}  // namespace
}  // namespace lorvane
