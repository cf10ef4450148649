// What the ME10 writer reports beside the MI file: values the file cannot
// hold (the file keeps its bytes), and progress when the host asks for it.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "lorvane/module/builtInFormats.h"
#include "me10TestSupport.h"
#include "requestTrees.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"

namespace lorvane::me10test {
namespace {

TEST(MiReport, APointThatIsNotFiniteIsReportedAndWrittenAsBefore) {
  conversionC c(R"(FIGURE{NAME{"F"} FIGURITEMS{LINE{POINT{+inf,0} POINT{10,0}}}})");
  // Placing the point multiplies the infinity by the rotation's zeros.
  EXPECT_EQ(c.masked, oneLineFigureFile("inf", "nan", "10", "0"));
  EXPECT_EQ(c.resultText(), "Figur F`~1: Zahl im Satz P nicht darstellbar!");
}

TEST(MiReport, EachRecordThatCanCarryANonFiniteNumberIsNamed) {
  struct caseC {
    const char* drawing;
    const char* report;
  };
  const caseC cases[] = {
      {R"(FIGURE{NAME{"F"} INSERTPOINT{POINT{0,+nan}} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})",
       "Figur F`~1: Zahl im Satz ASSE nicht darstellbar!"},
      {R"(FIGURE{NAME{"F"} FIGURITEMS{TEXT{POINT{0,0} TEXT{"t"} ANGLE{-inf}}}})",
       "Figur F`~1: Zahl im Satz TEX nicht darstellbar!"},
      {R"(FIGURE{NAME{"F"} FIGURITEMS{TEXT{POINT{0,0} TEXT{"t"} HEIGHT{+inf}}}})",
       "Figur F`~1: Zahl im Satz TEX nicht darstellbar!"},
      // A width is written as the settings give it.
      {R"(FIGURE{NAME{"F"} SETTINGS{ME10SETTINGS{ME10LWIDTHLIST{ME10LWIDTH{-inf}}}})"
       R"( FIGURITEMS{CIRCLE{POINT{0,0} RAD{1}}}})",
       "Figur F`~1: Zahl im Satz CIR nicht darstellbar!"},
  };
  for (const caseC& test : cases) {
    conversionC c(test.drawing);
    EXPECT_EQ(c.resultText(), test.report) << test.drawing;
  }
}

TEST(MiReport, OnlyTheFirstValueInTheFileIsReported) {
  conversionC c(R"(DRAWING{NAME{"D"} DRAWINGITEMS{FIGURE{NAME{"A"} FIGURITEMS{LINE{POINT{0,0} POINT{1,+nan}}}})"
                R"( FIGURE{NAME{"B"} INSERTPOINT{POINT{+inf,0}} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})");
  EXPECT_EQ(c.resultText(), "Figur B`~2: Zahl im Satz ASSE nicht darstellbar!");
}

TEST(MiReport, NamesWithALineFeedAreReportedAndACarriageReturnIsNot) {
  EXPECT_EQ(conversionC(R"(FIGURE{NAME{"a\nb"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})").resultText(),
            "Figur Nr. 1: Text im Satz #~2 nicht darstellbar!");
  EXPECT_EQ(conversionC(R"(DRAWING{NAME{"d\nx"} DRAWINGITEMS{FIGURE{NAME{"a"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})"
                        R"( FIGURE{NAME{"b"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}}})")
                .resultText(),
            "Figur Nr. 0: Text im Satz #~2 nicht darstellbar!");
  EXPECT_EQ(conversionC(R"(FIGURE{NAME{"F"} SETTINGS{ME10SETTINGS{ME10LAYERLIST{ME10LAYER{"0"} ME10LAYER{"C\nD"}}}})"
                        R"( FIGURITEMS{SHAPEATTR{METALINETYPE{1}} LINE{POINT{0,0} POINT{1,0}}}})")
                .resultText(),
            "Figur F`~1: Text im Satz ASSP nicht darstellbar!");
  // Text lines are split at line feeds; a carriage return stays in its line,
  // and the readers take it back with it.
  EXPECT_FALSE(conversionC(R"(FIGURE{NAME{"a\rb"} SETTINGS{ME10SETTINGS{ME10LAYERLIST{ME10LAYER{"0"} ME10LAYER{"C\r"}}}})"
                           R"( FIGURITEMS{SHAPEATTR{METALINETYPE{1}} TEXT{POINT{0,0} TEXT{"x\r\ny\r"}}}})")
                   .hasResultText());
}

std::vector<double> gProgress;
void recordProgress(double percent, const char*) { gProgress.push_back(percent); }

// The MI file (date and time masked) and the input tree after the conversion.
std::pair<std::string, std::string> convertWithDetail(const std::string& drawing, bool detail) {
  const std::string path = scratchPath("mi_progress.mi");
  metaObjectC request = testing::conversionRequest(drawing, "MI", path, {detail});
  metaObjectC input(request.findChild("INPUTDATA"));
  gProgress.clear();
  convertRequest(request.node(), &recordProgress);
  std::pair<std::string, std::string> result{maskTimestamp(readFileBytes(path)),
                                             writeTree(input.node()->firstChild(), false, true)};
  std::remove(path.c_str());
  return result;
}

TEST(MiReport, ProgressIsTwoCallsUnlessAskedForAndThenRisesThroughBuildingAndWriting) {
  std::string drawing = R"(DRAWING{NAME{"D"} DRAWINGITEMS{)";
  for (int f = 0; f < 3; ++f) {
    drawing += R"(FIGURE{NAME{"F"} FIGURITEMS{ELLIPSE{POINT{0,0} RAD1{2} RAD2{1}} TEXT{POINT{0,0} TEXT{"t"}})";
    for (int i = 0; i < 400; ++i) drawing += "LINE{POINT{" + std::to_string(i) + ",0} POINT{1,1}}";
    drawing += "}}";
  }
  drawing += "}}";
  const auto plain = convertWithDetail(drawing, false);
  EXPECT_EQ(gProgress, (std::vector<double>{0.0, 100.0}));
  const auto detailed = convertWithDetail(drawing, true);
  // Both phases report at least every hundredth of their work.
  EXPECT_GE(gProgress.size(), 2u + 200u);
  EXPECT_EQ(gProgress.front(), 0.0);
  EXPECT_EQ(gProgress.back(), 100.0);
  bool building = false;
  bool writing = false;
  for (std::size_t i = 1; i + 1 < gProgress.size(); ++i) {
    EXPECT_GT(gProgress[i], 0.0);
    EXPECT_LT(gProgress[i], 100.0);
    EXPECT_GE(gProgress[i], gProgress[i - 1]);
    building = building || gProgress[i] < 60.0;
    writing = writing || gProgress[i] > 60.0;
  }
  EXPECT_TRUE(building && writing);
  EXPECT_EQ(detailed, plain);
}

}  // namespace
}  // namespace lorvane::me10test
