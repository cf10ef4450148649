// MI files read back: drawings written through the dispatch, compared with
// the placement worked out by hand, and hand-written files, broken ones
// included.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "lorvane/preview/fileReaders.h"
#include "readerTestSupport.h"

namespace lorvane::preview {
namespace {

using testing::crlfLines;
using previewtest::lineOf;
using previewtest::writtenFile;

sceneC readWritten(const std::string& drawing, const char* report = nullptr) {
  const std::string file = writtenFile(drawing, "MI", report);
  sceneC scene;
  readErrorC error;
  EXPECT_TRUE(readMiFile(file, scene, error)) << "line " << error.line << ": " << error.message << "\n" << file;
  return scene;
}

const styleC& styleOf(const sceneC& scene, std::size_t element) { return scene.styles.at(scene.elements.at(element).style); }

// Half a unit of the sixth significant digit of a value of decimal exponent e.
double sixDigits(int e) { return 0.5 * std::pow(10.0, e - 5); }

TEST(MiRoundTrip, ALineIsPlacedByItsPartPosition) {
  const sceneC scene =
      readWritten(R"(FIGURE{NAME{"L"} INSERTPOINT{POINT{10,20} ROTATION{0}} FIGURITEMS{LINE{POINT{1,2} POINT{3.5,-4}}}})");
  ASSERT_EQ(scene.groups.size(), 1u);
  EXPECT_EQ(scene.groups[0].name, "L`~1");
  ASSERT_EQ(scene.elements.size(), 1u);
  const elementC& line = scene.elements[0];
  EXPECT_EQ(line.kind, elementKind::line);
  EXPECT_EQ(line.a.x, 11.0);
  EXPECT_EQ(line.a.y, 22.0);
  EXPECT_EQ(line.b.x, 13.5);
  EXPECT_EQ(line.b.y, 16.0);
  // Each coordinate: its point's (exponent 0) and its position's (exponent 1).
  EXPECT_NEAR(line.error.a.x, sixDigits(0) + sixDigits(1), 1e-15);
  EXPECT_NEAR(line.error.b.y, sixDigits(0) + sixDigits(1), 1e-15);
  // No settings: the first attributes are layer "1", colour 7, width 1.000, code 0.
  EXPECT_EQ(styleOf(scene, 0), (styleC{"1", 7, 0, 1.0, false}));
}

TEST(MiRoundTrip, AClockwiseArcRunsCounterClockwiseFromItsEnd) {
  const sceneC scene = readWritten(
      R"(FIGURE{NAME{"A"} INSERTPOINT{POINT{10,5} ROTATION{0}} FIGURITEMS{ARC{POINT{1,0} POINT{0,-1} POINT{-1,0}}}})");
  ASSERT_EQ(scene.elements.size(), 1u);
  const elementC& arc = scene.elements[0];
  previewtest::expectTheMovedClockwiseArc(arc);
  // MI keeps the ends' coordinates as written.
  EXPECT_EQ(arc.a.x, 9.0);
  EXPECT_EQ(arc.b.x, 11.0);
  EXPECT_EQ(arc.b.y, 5.0);
}

TEST(MiRoundTrip, ACircleAndTextsKeepTheirValuesAndLines) {
  const sceneC scene = readWritten(
      R"(FIGURE{NAME{"T"} FIGURITEMS{CIRCLE{POINT{2,3} RAD{4}})"
      R"( TEXT{POINT{1,1} TEXT{"ab\ncd"} HEIGHT{2.5} ANGLE{30} TEXTRELPOS{1}})"
      R"( TEXT{POINT{0,0} TEXT{"x\r\ny"} HEIGHT{1} ANGLE{0} TEXTRELPOS{0}}}})");
  ASSERT_EQ(scene.elements.size(), 3u);
  previewtest::expectCircleAndText(scene.elements[0], scene.elements[1]);
  const elementC& text = scene.elements[1];
  EXPECT_NEAR(text.angle, 30, 1e-3);  // from a six-digit sine and cosine
  EXPECT_EQ(text.relativePosition, 7);  // the rows exchanged
  EXPECT_EQ(scene.elements[2].text, "x\r\ny");
  EXPECT_EQ(scene.elements[2].relativePosition, 0);
}

TEST(MiRoundTrip, ARotatedFigureKeepsItsPositionApart) {
  const sceneC scene =
      readWritten(R"(FIGURE{NAME{"R"} INSERTPOINT{POINT{10,0} ROTATION{90}} FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}}})");
  previewtest::expectTheTurnedLine(scene);
}

TEST(MiRoundTrip, PartsAndLayersMayHaveNamesOfSeveralLines) {
  const sceneC scene = readWritten(
      R"(DRAWING{NAME{"d\nx"} SETTINGS{ME10SETTINGS{ME10LAYERLIST{ME10LAYER{"0"} ME10LAYER{"C\nD"}}}} DRAWINGITEMS{)"
      R"(FIGURE{NAME{"a\nb"} FIGURITEMS{SHAPEATTR{METALINETYPE{1}} LINE{POINT{0,0} POINT{1,0}}}})"
      R"(FIGURE{NAME{"empty"}})"
      R"(FIGURE{NAME{"c"} INSERTPOINT{POINT{5,0} ROTATION{0}} FIGURITEMS{LINE{POINT{0,0} POINT{2,0}}}}}})",
      // The ME10 system reads a name from one line; this reader finds its end
      // from what follows it.
      "Figur Nr. 1: Text im Satz ASSP nicht darstellbar!");
  ASSERT_EQ(scene.groups.size(), 2u);  // the empty figure's part is dropped
  EXPECT_EQ(scene.groups[0].name, "a\nb`~1");
  EXPECT_EQ(scene.groups[1].name, "c`~3");
  ASSERT_EQ(scene.elements.size(), 2u);
  EXPECT_EQ(scene.elements[1].group, 1u);
  EXPECT_EQ(scene.elements[1].b.x, 7.0);
  EXPECT_EQ(styleOf(scene, 0).layer, "C\nD");
  EXPECT_EQ(styleOf(scene, 1).layer, "1");
}

TEST(MiRoundTrip, TheExamplesReadWithTheirStyles) {
  const sceneC bracket = readWritten(previewtest::exampleDrawing("bracket"));
  ASSERT_EQ(bracket.groups.size(), 3u);
  EXPECT_EQ(bracket.groups[1].name, "Side view`~2");
  // Contour: layer entry 1, width 0.5, colour 7. Axis (type 4): code 3,
  // width 0.18, colour 1. Cosmetic type 2: layer and colour of entry 7,
  // width of entry 2.
  EXPECT_EQ(styleOf(bracket, 0), (styleC{"Contour", 7, 0, 0.5, false}));
  EXPECT_EQ(styleOf(bracket, 8), (styleC{"Axis", 1, 3, 0.18, true}));
  EXPECT_EQ(styleOf(bracket, 12), (styleC{"Cosmetic", 5, 1, 0.25, true}));
  std::size_t side = 0;
  for (const elementC& e : bracket.elements) side += e.group == 1 ? 1 : 0;
  EXPECT_EQ(side, 8u);  // shape type 4 does not suppress anything here

  const sceneC washer = readWritten(previewtest::exampleDrawing("washer"));
  ASSERT_EQ(washer.elements.size(), 5u);
  EXPECT_EQ(washer.groups[0].name, "Washer DIN 125 M12`~1");
  EXPECT_EQ(washer.elements[1].centre.x, 100.0);
  EXPECT_EQ(washer.elements[1].centre.y, 50.0);
  EXPECT_EQ(washer.elements[1].radius, 6.5);
  EXPECT_EQ(washer.elements[2].a.x, 85.0);
  EXPECT_EQ(washer.elements[4].a.y, 30.0);
  EXPECT_EQ(washer.elements[4].relativePosition, 8);
}

// One part "P`~1" at (10, 20) with the points 4 (0, 0) and 5 (15, 2) and
// the line 6 between them, on layer "1" (record 2).
std::vector<std::string> smallFile() {
  std::vector<std::string> lines = {"#~2", "2", "TC41:1", "TC5:3", "P`~1", "3", "TC61:4", "TC62:6", "PLAST:6", "LAST:6"};
  const char* header[] = {"#~3", "metafile.mit", "", "", "", "", "", "", " 8-December-2026", "14:05:09", "",
                          "HP ME10 Rev. 06.11", "2.21", "2D", "0", "0", "0", "0", "0", "0", "1", "XX", "1", "mm", "RAD",
                          "1E-12", "0.0001", "32", "0", "0", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "1", "0",
                          "0", "0", "0", "1", "4", "1", "0", "0", "3.5"};
  lines.insert(lines.end(), std::begin(header), std::end(header));
  const char* rest[] = {"#~41", "PSTAT", "1", "0", "0", "|~", "ASSP", "2", "1", "LAYER: 1", "|~",
                        "#~5", "ASSE", "3", "1", "1", "P`~1", "1", "10", "20", "0", "0", "0", "|~",
                        "#~6", "P`~1", "#~61", "P", "4", "0", "0", "|~", "P", "5", "1.5e+001", "2", "|~",
                        "#~62", "LIN", "6", "7", "0", "1.000", "0", "1", "2", "4", "5", "|~", "#~71", "#~72", "##~~"};
  lines.insert(lines.end(), std::begin(rest), std::end(rest));
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

TEST(MiRecords, AHandWrittenFileWithALine) {
  const std::string file = joined(smallFile());
  sceneC scene;
  readErrorC error;
  ASSERT_TRUE(readMiFile(file, scene, error)) << error.line << ": " << error.message;
  ASSERT_EQ(scene.elements.size(), 1u);
  EXPECT_EQ(scene.elements[0].b.x, 25.0);
  EXPECT_EQ(scene.elements[0].b.y, 22.0);
  EXPECT_EQ(scene.elements[0].sourceLine, lineOf(file, "LIN"));
  EXPECT_EQ(scene.groups[0].sourceLine, lineOf(file, "#~6"));
  // The writer prints NaN and infinities as "nan", "inf" and "-inf".
  std::vector<std::string> lines = smallFile();
  lines[91] = "nan";
  lines[95] = "-inf";
  ASSERT_TRUE(readMiFile(joined(lines), scene, error)) << error.line << ": " << error.message;
  EXPECT_TRUE(std::isnan(scene.elements[0].a.y));
  EXPECT_EQ(scene.elements[0].b.x, -INFINITY);
  EXPECT_TRUE(std::isinf(scene.elements[0].error.b.x));
  // Bare line feeds read the same.
  std::string bare;
  for (const std::string& line : smallFile()) bare += line + "\n";
  EXPECT_TRUE(readMiFile(bare, scene, error)) << error.message;
}

// A changed line of the small file and the error it gives.
struct changeC {
  const char* name;
  std::size_t index;  // 0-based line of smallFile() to replace
  const char* replacement;
  std::size_t errorLine;
  const char* message;  // a part of the message
};

TEST(MiErrors, EachKindOfFaultStopsAtItsLine) {
  const changeC cases[] = {
      {"missing point", 108, "9", 109, "line refers to point 9, which the part does not have"},
      {"numbering", 100, "7", 101, "out of order: expected 6"},
      {"two-digit exponent", 95, "1.5e+01", 96, "expected a number"},
      {"header", 22, "2.22", 23, "2.21"},
      {"unknown layer", 106, "3", 107, "layer record 3"},
      {"contents", 7, "TC62:5", 5, "TC62:"},  // reported at the part's entry
      {"last", 9, "LAST:7", 10, "last number"},
      {"name", 4, "Q`~1", 78, "part name"},  // found in the ASSE record
  };
  for (const changeC& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = smallFile();
    ASSERT_LT(c.index, lines.size());
    lines[c.index] = c.replacement;
    sceneC scene;
    readErrorC error;
    EXPECT_FALSE(readMiFile(joined(lines), scene, error));
    EXPECT_EQ(error.line, c.errorLine) << error.message;
    EXPECT_NE(error.message.find(c.message), std::string::npos) << error.message;
  }
}

TEST(MiErrors, TruncatedEmptyAndForeignFilesAreRejected) {
  const std::vector<std::string> good = smallFile();
  sceneC scene;
  readErrorC error;
  EXPECT_FALSE(readMiFile("", scene, error));
  EXPECT_EQ(error.line, 1u);
  EXPECT_FALSE(readMiFile(std::string("\x00\xfe#~2\r\n", 6), scene, error));
  EXPECT_EQ(error.line, 1u);
  // Cut inside the line record: the end of the file is where the next line was due.
  const std::size_t linAt = static_cast<std::size_t>(std::find(good.begin(), good.end(), "LIN") - good.begin());
  const std::vector<std::string> cut(good.begin(), good.begin() + static_cast<long>(linAt) + 4);
  EXPECT_FALSE(readMiFile(joined(cut), scene, error));
  EXPECT_EQ(error.line, cut.size() + 1);
  EXPECT_NE(error.message.find("unexpected end of file in section #~62"), std::string::npos) << error.message;
  // No end line, or something after it.
  std::vector<std::string> open(good.begin(), good.end() - 1);
  EXPECT_FALSE(readMiFile(joined(open), scene, error));
  EXPECT_NE(error.message.find("##~~"), std::string::npos) << error.message;
  std::vector<std::string> more = good;
  more.push_back("");
  EXPECT_FALSE(readMiFile(joined(more), scene, error));
  EXPECT_EQ(error.line, more.size());
}

TEST(MiErrors, NoPrefixOrChangedByteBreaksTheReader) {
  const std::string file = writtenFile(
      R"(DRAWING{NAME{"D"} DRAWINGITEMS{FIGURE{NAME{"A"} FIGURITEMS{ARC{POINT{1,0} POINT{0,1} POINT{-1,0}}}})"
      R"( FIGURE{NAME{"B"} FIGURITEMS{CIRCLE{POINT{0,0} RAD{1}} TEXT{POINT{0,0} TEXT{"t"}}}}}})",
      "MI");
  previewtest::expectPrefixesFailAndChangesEnd(&readMiFile, file, std::string_view("\0\n1~-", 5));
}

}  // namespace
}  // namespace lorvane::preview
