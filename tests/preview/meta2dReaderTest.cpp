// META2D files read back: drawings written through the dispatch, compared
// with the placement worked out by hand, and hand-written files, broken ones
// included.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "lorvane/preview/fileReaders.h"
#include "readerTestSupport.h"

namespace lorvane::preview {
namespace {

using testing::crlfLines;
using previewtest::field24;
using previewtest::lineOf;
using previewtest::writtenFile;

sceneC readWritten(const std::string& drawing) {
  const std::string file = writtenFile(drawing, "META");
  sceneC scene;
  readErrorC error;
  EXPECT_TRUE(readMeta2dFile(file, scene, error)) << "line " << error.line << ": " << error.message << "\n" << file;
  return scene;
}

readErrorC failure(const std::string& file) {
  sceneC scene;
  readErrorC error;
  EXPECT_FALSE(readMeta2dFile(file, scene, error)) << file;
  EXPECT_TRUE(scene.elements.empty() && scene.groups.empty());
  EXPECT_FALSE(error.message.empty());
  return error;
}

// "100 " and four numbers, each with its blank.
std::string lineRecord(const char* x1, const char* y1, const char* x2, const char* y2) {
  return "100 " + field24(x1) + " " + field24(y1) + " " + field24(x2) + " " + field24(y2) + " ";
}

const styleC& styleOf(const sceneC& scene, std::size_t element) { return scene.styles.at(scene.elements.at(element).style); }

TEST(Meta2dRoundTrip, ALineKeepsItsPointsToTheLastDecimal) {
  const sceneC scene = readWritten(R"(FIGURE{NAME{"L"} FIGURITEMS{LINE{POINT{1,2} POINT{3.5,-4}}}})");
  ASSERT_EQ(scene.groups.size(), 1u);
  EXPECT_EQ(scene.groups[0].name, "L");
  EXPECT_EQ(scene.groups[0].sourceLine, 2u);
  ASSERT_EQ(scene.elements.size(), 1u);
  const elementC& line = scene.elements[0];
  EXPECT_EQ(line.kind, elementKind::line);
  EXPECT_EQ(line.a.x, 1.0);
  EXPECT_EQ(line.a.y, 2.0);
  EXPECT_EQ(line.b.x, 3.5);
  EXPECT_EQ(line.b.y, -4.0);
  EXPECT_EQ(line.sourceLine, 5u);  // 915, 914, 918, 511, 100
  // Exact decimals, so each value's error is the double's resolution there.
  EXPECT_EQ(line.error.a.x, 0x1p-52 * 1);
  EXPECT_EQ(line.error.b.y, 0x1p-52 * 4);
  EXPECT_EQ(styleOf(scene, 0), (styleC{"visible", -1, -1, 0, false, styleFamily::meta2d}));
}

TEST(Meta2dRoundTrip, AClockwiseArcInAMovedFigureRunsCounterClockwiseFromItsEnd) {
  // From (1, 0) down through (0, -1) to (-1, 0) about the origin, moved by (10, 5).
  const sceneC scene = readWritten(
      R"(FIGURE{NAME{"A"} INSERTPOINT{POINT{10,5} ROTATION{0}} FIGURITEMS{ARC{POINT{1,0} POINT{0,-1} POINT{-1,0}}}})");
  ASSERT_EQ(scene.elements.size(), 1u);
  previewtest::expectTheMovedClockwiseArc(scene.elements[0]);
}

TEST(Meta2dRoundTrip, ACircleAndTextsWithLineFeedsReadBackUnchanged) {
  const sceneC scene = readWritten(
      R"(FIGURE{NAME{"T"} FIGURITEMS{CIRCLE{POINT{2,3} RAD{4}} TEXT{POINT{1,1} TEXT{"ab\ncd"} HEIGHT{2.5} ANGLE{30}})"
      R"( TEXT{POINT{0,0} TEXT{"x\r\ny\n"} HEIGHT{1} ANGLE{0}} TEXT{POINT{0,0} TEXT{"last\nEOF"} HEIGHT{1} ANGLE{0}}}})");
  ASSERT_EQ(scene.elements.size(), 4u);
  previewtest::expectCircleAndText(scene.elements[0], scene.elements[1]);
  const elementC& text = scene.elements[1];
  EXPECT_EQ(text.angle, 30.0);
  EXPECT_EQ(text.relativePosition, 0);
  EXPECT_EQ(scene.elements[2].text, "x\r\ny\n");
  EXPECT_EQ(scene.elements[3].text, "last\nEOF");
}

TEST(Meta2dRoundTrip, ARotatedFigureIsPlacedByItsInsertionPoint) {
  const sceneC scene =
      readWritten(R"(FIGURE{NAME{"R"} INSERTPOINT{POINT{10,0} ROTATION{90}} FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}}})");
  previewtest::expectTheTurnedLine(scene);
  ASSERT_FALSE(scene.elements.empty());
  EXPECT_NEAR(scene.elements[0].b.x, 10, 1e-12);
}

TEST(Meta2dRoundTrip, CutOutFiguresAreGroupsWithDashedLineKinds) {
  const std::string drawing =
      R"(DRAWING{NAME{"D"} DRAWINGITEMS{)"
      R"(FIGURE{NAME{"H"} SHORTNAME{"S"} GROUP{"YES"} CUTOUT{HIDDEN{"YES"}} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}})"
      R"(FIGURE{NAME{"K"} ANSICHTNO{-1} CUTOUT{DASH{"YES"}} FIGURITEMS{LINE{POINT{0,0} POINT{2,0}}}})"
      R"(FIGURE{NAME{"V"} MIDENT{"{T1},{a=1},{b=2}"} FIGURITEMS{SHAPEATTR{SHAPEWIDTH{2} SHAPETYP{3}} LINE{POINT{0,0} POINT{3,0}}}})"
      R"(FIGURE{NAME{"B"} SHORTNAME{"S"} CUTOUT{HIDDEN{"YES"} DASH{"YES"}} FIGURITEMS{LINE{POINT{0,0} POINT{4,0}}}}}})";
  const std::string file = writtenFile(drawing, "META");
  const sceneC scene = readWritten(drawing);
  ASSERT_EQ(scene.groups.size(), 4u);
  EXPECT_EQ(scene.groups[0].name, "H");
  EXPECT_EQ(scene.groups[0].sourceLine, lineOf(file, "914 H"));
  EXPECT_EQ(scene.groups[2].sourceLine, lineOf(file, "914 V"));
  ASSERT_EQ(scene.elements.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(scene.elements[i].group, i);
    EXPECT_EQ(scene.elements[i].b.x, static_cast<double>(i + 1));
  }
  const auto meta2d = styleFamily::meta2d;
  EXPECT_EQ(styleOf(scene, 0), (styleC{"cut-out hidden", -1, -1, 0, true, meta2d}));
  EXPECT_EQ(styleOf(scene, 1), (styleC{"cut-out dash", -1, -1, 0, true, meta2d}));
  // The line kind of records 900 and 901.
  EXPECT_EQ(styleOf(scene, 2), (styleC{"visible", -1, -1, 0, false, meta2d, 3, 2}));
  // Inside both cut-out brackets the inner one, the dash, counts; the line
  // kind ends with its figure.
  EXPECT_EQ(styleOf(scene, 3), (styleC{"cut-out dash", -1, -1, 0, true, meta2d}));
}

TEST(Meta2dRoundTrip, ElementsCountTheAttributeRecordsBeforeThem) {
  const sceneC scene = readWritten(
      R"(FIGURE{NAME{"two\nlines"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}} SHAPEATTR{SHAPETYP{4} SHAPEWIDTH{1}})"
      R"( LINE{POINT{0,0} POINT{2,0}} SHAPEATTR{SHAPETYP{1} SHAPEWIDTH{1}} LINE{POINT{0,0} POINT{3,0}}}})");
  ASSERT_EQ(scene.groups.size(), 1u);
  EXPECT_EQ(scene.groups[0].name, "two\nlines");
  ASSERT_EQ(scene.elements.size(), 2u);  // type 4 suppresses the second line
  EXPECT_EQ(scene.elements[0].attributeRecords, 0u);
  EXPECT_EQ(scene.elements[1].attributeRecords, 2u);
  EXPECT_EQ(scene.elements[1].b.x, 3.0);
}

TEST(Meta2dRoundTrip, TheExamplesReadWithTheirFiguresInPlace) {
  const sceneC bracket = readWritten(previewtest::exampleDrawing("bracket"));
  ASSERT_EQ(bracket.groups.size(), 3u);
  EXPECT_EQ(bracket.groups[1].name, "Side view");
  EXPECT_EQ(bracket.elements[0].b.x, 117.0);
  // Front view: 8 outline items, 4 axis lines, 2 slot arcs, 3 texts. Side
  // view: 6 lines (the one under shape type 4 is not written) and a text.
  std::size_t front = 0;
  std::size_t side = 0;
  const elementC* sideFirst = nullptr;
  for (const elementC& e : bracket.elements) {
    if (e.group == 0) ++front;
    if (e.group == 1 && !side++) sideFirst = &e;
  }
  EXPECT_EQ(front, 17u);
  EXPECT_EQ(side, 7u);
  ASSERT_NE(sideFirst, nullptr);
  // (0, 0)-(60, 0) turned by 90 degrees and moved to (180, 0).
  EXPECT_NEAR(sideFirst->b.x, 180, 1e-12);
  EXPECT_NEAR(sideFirst->b.y, 60, 1e-12);
  EXPECT_EQ(bracket.styles[sideFirst->style].layer, "cut-out hidden");
  EXPECT_EQ(bracket.elements[16].text, "Slot R10\nboth sides");

  const sceneC washer = readWritten(previewtest::exampleDrawing("washer"));
  ASSERT_EQ(washer.elements.size(), 5u);
  EXPECT_EQ(washer.groups[0].name, "Washer DIN 125 M12");
  EXPECT_EQ(washer.elements[1].centre.x, 100.0);
  EXPECT_EQ(washer.elements[1].radius, 6.5);
  EXPECT_EQ(washer.elements[4].text, "M12");
}

TEST(Meta2dRecords, EveryRecordKindOfAHandWrittenFile) {
  const std::string file = crlfLines({"915 D", "917 S", "920 1   SET CUTOUTHIDDEN", "910 SET BGN", "914 F", "918 -3_F", "511 F",
                                 "515 TAB", "520 007\"a=1\"   \"b=2\"", "900 12 ", "901 1234", lineRecord("1", "2", "3", "4"),
                                 "250 " + field24("1") + " " + field24("2") + " " + field24("3") + " " + field24("0") + " " +
                                     field24("90") + " ",
                                 "200 nan " + field24("-2.5") + " inf ", "500 " + field24("1") + " " + field24("2") + " " +
                                     field24("3") + " " + field24("45") + " ",
                                 "911 SET END", "916 END FIG", "921 SET CUTOUTHIDDEN END", "EOF"});
  sceneC scene;
  readErrorC error;
  ASSERT_TRUE(readMeta2dFile(file, scene, error)) << error.line << ": " << error.message;
  ASSERT_EQ(scene.elements.size(), 4u);
  EXPECT_EQ(scene.elements[0].attributeRecords, 1u);
  EXPECT_EQ(scene.elements[0].b.y, 4.0);
  const elementC& arc = scene.elements[1];
  EXPECT_DOUBLE_EQ(arc.a.x, 4.0);  // centre (1, 2), radius 3, from 0 degrees
  EXPECT_DOUBLE_EQ(arc.a.y, 2.0);
  EXPECT_NEAR(arc.b.x, 1.0, 1e-15);
  EXPECT_DOUBLE_EQ(arc.b.y, 5.0);
  EXPECT_TRUE(std::isnan(scene.elements[2].centre.x));
  EXPECT_EQ(scene.elements[2].centre.y, -2.5);
  EXPECT_TRUE(std::isinf(scene.elements[2].error.centre.x));
  EXPECT_EQ(scene.elements[3].text, "");
  EXPECT_EQ(scene.elements[3].sourceLine, 15u);
  EXPECT_EQ(scene.styles[scene.elements[3].style].layer, "cut-out hidden");
}

TEST(Meta2dRecords, AnArcEndingBeforeItsStartEndsATurnLater) {
  // Not what the writer gives, but what an edited file may say: 90 to 0 is
  // the counter-clockwise three quarters from 90 to 360, and equal angles
  // are a full turn.
  const auto arcRecord = [](const char* from, const char* to) {
    return "250 " + field24("0") + " " + field24("0") + " " + field24("1") + " " + field24(from) + " " + field24(to) + " ";
  };
  const std::string file = crlfLines({"915 D", "914 F", "511 F", arcRecord("90", "0"), arcRecord("30", "30"),
                                 arcRecord("100000.8", "360"), "EOF"});
  sceneC scene;
  readErrorC error;
  ASSERT_TRUE(readMeta2dFile(file, scene, error)) << error.line << ": " << error.message;
  ASSERT_EQ(scene.elements.size(), 3u);
  EXPECT_EQ(scene.elements[0].startAngle, 90);
  EXPECT_EQ(scene.elements[0].endAngle, 360);
  EXPECT_EQ(scene.elements[1].endAngle, 390);
  // Many turns below its start: the start is 280.8 degrees (277 turns up),
  // and counter-clockwise from there to 0 degrees is 79.2 degrees.
  EXPECT_NEAR(scene.elements[2].endAngle, 100000.8 + 79.2, 1e-9);
}

TEST(Meta2dRecords, PrecisionFollowsTheDecimalsLeft) {
  const std::string file =
      crlfLines({"915 D", "914 F", "511 F", lineRecord("0.5", "-0.5", "12345678901234567890123.", "1"), "EOF"});
  sceneC scene;
  readErrorC error;
  ASSERT_TRUE(readMeta2dFile(file, scene, error)) << error.message;
  // No decimals are left of the third number: up to 1 off, more than the
  // double's own resolution there (2^-52 * 1.2e22, about 2.7e6).
  EXPECT_NEAR(scene.elements[0].error.b.x, 0x1p-52 * 12345678901234567890123.0, 1e-3);
  // 22 decimals are left of the first, finer than the double there.
  EXPECT_EQ(scene.elements[0].error.a.x, 0x1p-52 * 0.5);
}

struct brokenFileC {
  const char* name;
  std::string file;
  std::size_t line;
  const char* message;  // a part of the message
};

TEST(Meta2dErrors, EachKindOfFaultStopsAtItsLine) {
  const std::string good = lineRecord("1", "2", "3", "4");
  const brokenFileC cases[] = {
      {"empty", "", 1, "empty"},
      {"garbage", std::string("\x00\xff\x01\x80\n\x7f", 6), 1, "915"},
      {"text continuation first", crlfLines({"hello", "915 D", "EOF"}), 1, "915"},
      {"unknown code", crlfLines({"915 D", "914 F", "511 F", good, "123 x", "EOF"}), 5, "unknown record code 123"},
      {"unknown code continues a text", crlfLines({"915 D", "914 F", "511 F", "123 x", "EOF"}), 3, "511"},
      {"bad number", crlfLines({"915 D", "914 F", "511 F", "100 1.5 2 3 4 ", "EOF"}), 4, "expected a number"},
      {"digits cut", crlfLines({"915 D", "914 F", "511 F", lineRecord("123456789012345678901234", "1", "1", "1"), "EOF"}), 4,
       "too large"},
      {"no last blank", crlfLines({"915 D", "914 F", "511 F", good.substr(0, good.size() - 1), "EOF"}), 4, "blank"},
      {"truncated", crlfLines({"915 D", "914 F", "511 F", good}), 5, "EOF"},
      {"after EOF", crlfLines({"915 D", "914 F", "511 F", good, "EOF", good}), 6, "EOF"},
      {"set not closed", crlfLines({"915 D", "910 SET BGN", "914 F", "511 F", good, "EOF"}), 6, "911 SET END"},
      {"closes nothing", crlfLines({"915 D", "914 F", "511 F", "911 SET END", "EOF"}), 4, "closes nothing"},
      {"wrong closer", crlfLines({"915 D", "920 1   SET CUTOUTHIDDEN", "914 F", "511 F", "921 SET CUTOUTDASH END", "EOF"}), 5,
       "CUTOUTHIDDEN"},
      {"short name open", crlfLines({"915 D", "917 S", "914 F", "511 F", "914 G", "511 G", "EOF"}), 5, "916 END FIG"},
      {"900 alone", crlfLines({"915 D", "914 F", "511 F", "900 1  ", good, "EOF"}), 5, "901"},
      {"unpadded 900", crlfLines({"915 D", "914 F", "511 F", "900 1", "901 1  ", "EOF"}), 4, "three characters"},
      {"511 of another figure", crlfLines({"915 D", "914 F", "511 G", "EOF"}), 3, "511"},
      {"item before 511", crlfLines({"915 D", "914 F", good, "EOF"}), 3, "511"},
      {"line after a line", crlfLines({"915 D", "914 F", "511 F", good, "stray", "EOF"}), 5, "record code"},
      {"second 915", crlfLines({"915 D", "915 E", "EOF"}), 2, "first line"},
  };
  for (const brokenFileC& c : cases) {
    SCOPED_TRACE(c.name);
    const readErrorC error = failure(c.file);
    EXPECT_EQ(error.line, c.line) << error.message;
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
  }
}

TEST(Meta2dErrors, NoPrefixOrChangedByteBreaksTheReader) {
  const std::string file = writtenFile(
      R"(FIGURE{NAME{"P"} SHORTNAME{"S"} GROUP{"YES"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}} TEXT{POINT{0,0} TEXT{"t"}}}})",
      "META");
  previewtest::expectPrefixesFailAndChangesEnd(&readMeta2dFile, file, std::string_view("\0\n 9.", 5));
}

}  // namespace
}  // namespace lorvane::preview
