// The comparison behind lorvane check, on drawings read from the text form
// and written files described element by element.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "lorvane/cli/consistencyCheck.h"
#include "lorvane/cli/inputDrawing.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::cli {
namespace {

using preview::elementC;
using preview::elementKind;
using preview::sceneC;

std::vector<inputFigureC> placed(const std::string& text) {
  metaTextReaderC reader;
  metaObjectC tree = reader.readTree(text, true);
  EXPECT_FALSE(reader.failed()) << reader.errorText();
  return placeInputFigures(tree.node());
}

elementC line(double x1, double y1, double x2, double y2, double error = 0) {
  elementC e;
  e.kind = elementKind::line;
  e.a = {x1, y1};
  e.b = {x2, y2};
  e.error.a = e.error.b = {error, error};
  return e;
}

elementC arc(double cx, double cy, double r, double ax, double ay, double bx, double by) {
  elementC e;
  e.kind = elementKind::arc;
  e.centre = {cx, cy};
  e.radius = r;
  e.a = {ax, ay};
  e.b = {bx, by};
  return e;
}

elementC circle(double cx, double cy, double r) {
  elementC e;
  e.kind = elementKind::circle;
  e.centre = {cx, cy};
  e.radius = r;
  return e;
}

// A file of the given group names whose elements each name their group.
sceneC file(std::vector<std::string> groups, std::vector<elementC> elements) {
  sceneC scene;
  for (std::string& name : groups) scene.groups.push_back({std::move(name), 1});
  for (std::size_t i = 0; i < elements.size(); ++i) elements[i].sourceLine = 100 + i;
  scene.elements = std::move(elements);
  return scene;
}

TEST(InputPlacement, RotatesThenMovesAsTheWritersDo) {
  const auto figures = placed("FIGURE{NAME{\"f\"} INSERTPOINT{POINT{10,0} ROTATION{90}}\n"
                              "FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}\n TEXT{POINT{1,0} TEXT{\"t\"} ANGLE{15}}}}");
  ASSERT_EQ(figures.size(), 1u);
  ASSERT_EQ(figures[0].items.size(), 2u);
  const elementC& l = figures[0].items[0].element;
  EXPECT_NEAR(l.a.x, 10, 1e-15);
  EXPECT_NEAR(l.a.y, 1, 1e-15);
  EXPECT_NEAR(l.b.y, 2, 1e-15);
  EXPECT_EQ(figures[0].items[0].sourceLine, 2u);
  // A text's anchor moves; its angle stays.
  EXPECT_EQ(figures[0].items[1].element.angle, 15);
  EXPECT_EQ(figures[0].items[1].sourceLine, 3u);
}

TEST(InputPlacement, AClockwiseArcIsWrittenFromItsEnd) {
  const auto figures = placed("FIGURE{FIGURITEMS{ARC{POINT{1,0} POINT{0,-1} POINT{-1,0}}}}");
  const elementC& a = figures.at(0).items.at(0).element;
  EXPECT_NEAR(a.centre.x, 0, 1e-15);
  EXPECT_NEAR(a.radius, 1, 1e-15);
  EXPECT_EQ(a.a.x, -1);
  EXPECT_EQ(a.b.x, 1);
}

TEST(InputPlacement, ShapeType4HidesTheFollowingShapesFromMeta2dOnly) {
  const auto figures = placed("FIGURE{FIGURITEMS{SHAPEATTR{SHAPETYP{4}} LINE{} SHAPEATTR{SHAPETYP{1}} LINE{}}}");
  ASSERT_EQ(figures.at(0).items.size(), 2u);
  EXPECT_TRUE(figures[0].items[0].suppressedInMeta2d);
  EXPECT_FALSE(figures[0].items[1].suppressedInMeta2d);
}

TEST(InputPlacement, ADrawingListsOnlyItsFigures) {
  const auto figures = placed("DRAWING{DRAWINGITEMS{FIGURE{NAME{\"a\"}} NOTE{} FIGURE{NAME{\"b\"}}}}");
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[1].name, "b");
  EXPECT_TRUE(placed("NOTHING{}").empty());
}

const char* const kTwoLines = "DRAWING{DRAWINGITEMS{FIGURE{NAME{\"a\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}}}"
                              "FIGURE{NAME{\"b\"} FIGURITEMS{LINE{POINT{0,0} POINT{0,1000}}}}}}";

TEST(Check, FilesThatSayWhatTheDrawingSaysAgree) {
  const auto input = placed(kTwoLines);
  sceneC meta2d = file({"a", "b"}, {line(0, 0, 1, 0, 1e-22), line(0, 0, 0, 1000, 1e-22)});
  meta2d.elements[1].group = 1;
  sceneC mi = file({"a`~1", "b`~2"}, {line(0, 0, 1, 0), line(0, 0, 0, 1000)});
  mi.elements[1].group = 1;
  const checkReportC r = checkWrittenFiles(input, meta2d, mi);
  EXPECT_FALSE(r.meta2d.first);
  EXPECT_FALSE(r.mi.first);
  EXPECT_EQ(r.meta2d.elementsCompared, 2u);
}

TEST(Check, TheMiToleranceIsItsSixSignificantDigits) {
  const auto input = placed(kTwoLines);
  sceneC meta2d = file({"a", "b"}, {line(0, 0, 1, 0), line(0, 0, 0, 1000)});
  meta2d.elements[1].group = 1;
  // 1000.004 is what six digits may print for 1000 only with a precision of
  // half a unit of the sixth digit (0.005): within it agrees, beyond not.
  sceneC mi = file({"a`~1", "b`~2"}, {line(0, 0, 1, 0, 5e-6), line(0, 0, 0, 1000.004, 0.005)});
  mi.elements[1].group = 1;
  EXPECT_FALSE(checkWrittenFiles(input, meta2d, mi).mi.first);
  mi.elements[1].b.y = 1000.006;
  const checkReportC r = checkWrittenFiles(input, meta2d, mi);
  ASSERT_TRUE(r.mi.first);
  EXPECT_EQ(r.mi.first->figure, "b");
  EXPECT_EQ(r.mi.first->fileLine, 101u);
  EXPECT_EQ(r.mi.first->inputLine, 1u);
}

TEST(Check, Meta2dIsHeldToItsTwentyTwoDecimals) {
  const auto input = placed(kTwoLines);
  sceneC meta2d = file({"a", "b"}, {line(0, 0, 1 + 1e-6, 0, 1e-22), line(0, 0, 0, 1000, 1e-22)});
  meta2d.elements[1].group = 1;
  sceneC mi = file({"a`~1", "b`~2"}, {line(0, 0, 1, 0), line(0, 0, 0, 1000)});
  mi.elements[1].group = 1;
  const checkReportC r = checkWrittenFiles(input, meta2d, mi);
  ASSERT_TRUE(r.meta2d.first);
  EXPECT_EQ(r.meta2d.first->fileLine, 100u);
  EXPECT_FALSE(r.mi.first);
}

TEST(Check, AnEmptyFigureMayLackItsMiPart) {
  const auto input = placed("DRAWING{DRAWINGITEMS{FIGURE{NAME{\"a\"}} FIGURE{NAME{\"b\"} FIGURITEMS{LINE{}}}}}");
  sceneC meta2d = file({"a", "b"}, {line(0, 0, 0, 0)});
  meta2d.elements[0].group = 1;
  const sceneC mi = file({"b`~2"}, {line(0, 0, 0, 0)});
  const checkReportC r = checkWrittenFiles(input, meta2d, mi);
  EXPECT_FALSE(r.meta2d.first);
  EXPECT_FALSE(r.mi.first);
}

TEST(Check, AnElementTooManyIsReported) {
  const auto input = placed("FIGURE{NAME{\"a\"} FIGURITEMS{LINE{}}}");
  const sceneC meta2d = file({"a"}, {line(0, 0, 0, 0), line(5, 5, 6, 6)});
  const sceneC mi = file({"a`~1"}, {line(0, 0, 0, 0)});
  const checkReportC r = checkWrittenFiles(input, meta2d, mi);
  ASSERT_TRUE(r.meta2d.first);
  EXPECT_EQ(r.meta2d.first->fileLine, 101u);
  EXPECT_EQ(r.meta2d.first->inputElement, "nothing more");
}

TEST(Check, OtherShapesAreHeldToTheShapeTheyApproximate) {
  // An ellipse of equal radii between two lines: the writers make it one
  // circle, between the lines' own elements.
  const auto input = placed("FIGURE{NAME{\"a\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,0}}\n"
                            " ELLIPSE{POINT{5,0} RAD1{2} RAD2{2}}\n LINE{POINT{2,0} POINT{3,0}}}}");
  const elementC piece = circle(5, 0, 2);
  const sceneC meta2d = file({"a"}, {line(0, 0, 1, 0), piece, line(2, 0, 3, 0)});
  sceneC mi = file({"a`~1"}, {line(0, 0, 1, 0), piece, line(2, 0, 3, 0)});
  checkReportC r = checkWrittenFiles(input, meta2d, mi);
  EXPECT_FALSE(r.meta2d.first);
  EXPECT_FALSE(r.mi.first);
  EXPECT_FALSE(r.meta2d.approximation);
  EXPECT_FALSE(r.mi.approximation);
  EXPECT_EQ(r.mi.piecesCompared, 1u);

  // Moved by its radius, the circle leaves the samples by up to 2, beyond
  // what the fit lets it stray (a quarter of its diameter).
  mi.elements[1].centre.x = 7;
  r = checkWrittenFiles(input, meta2d, mi);
  EXPECT_FALSE(r.meta2d.approximation);
  ASSERT_TRUE(r.mi.approximation);
  EXPECT_EQ(r.mi.approximation->inputLine, 2u);
  EXPECT_EQ(r.mi.approximation->fileLine, 101u);
  EXPECT_EQ(r.mi.approximation->fileElement, "circle about (7, 0) radius 2");
}

TEST(Check, PiecesPrintedCoarserThanTheShapesTurnsFollowIt) {
  // A hairpin: out along y = 0, round a tip at x = 7.5, back along y = 0.5,
  // then up. The writer's five lines end at the tip's samples, but printed
  // to within 1: the first already agrees with the sample at x = 5 and the
  // tip's with those before the tip, so pieces taken one after the other,
  // each to the first sample its end agrees with, leave the return line to
  // span the tip, which lies further from it than its printing allows.
  std::string points;
  const auto point = [&](double x, double y) {
    points += "POINT{" + std::to_string(x) + "," + std::to_string(y) + "} ";
  };
  for (int x = -5; x <= 7; ++x) point(x, 0);
  point(7.5, 0.25);
  for (int x = 7; x >= -5; --x) point(x, 0.5);
  point(-6, 5.25);
  point(-7, 10);
  const auto input = placed("FIGURE{NAME{\"a\"} FIGURITEMS{ICRV2D{" + points + "}}}");
  sceneC mi = file({"a`~1"}, {line(-5, 0, 6, 0, 1), line(6, 0, 6.5, 0, 1), line(6.5, 0, 6, 0, 1),
                              line(6, 0, -5, 0, 1), line(-5, 0, -7, 10, 1)});
  fileVerdictC verdict = checkWrittenFile(input, mi, writtenFormat::mi);
  EXPECT_FALSE(verdict.approximation) << verdict.approximation->inputElement;
  EXPECT_EQ(verdict.piecesCompared, 5u);

  // The tip's return end moved beyond its printing: no sample agrees with
  // it, whichever samples the pieces before take.
  mi.elements[2].b.y = 3;
  mi.elements[3].a.y = 3;
  verdict = checkWrittenFile(input, mi, writtenFormat::mi);
  ASSERT_TRUE(verdict.approximation);
  EXPECT_EQ(verdict.approximation->fileLine, 102u);
}

TEST(Check, ShapesThatOnlyTextsSeparateAreComparedAsOneRun) {
  // MI moves the text to the end of the part, so what it made of both
  // ellipses follows each other there, while META2D has the text between.
  const auto input = placed("FIGURE{NAME{\"a\"} FIGURITEMS{ELLIPSE{POINT{0,0} RAD1{1} RAD2{1}}\n"
                            " TEXT{TEXT{\"x\"}}\n ELLIPSE{POINT{5,0} RAD1{1} RAD2{1}}\n LINE{POINT{2,0} POINT{3,0}}}}");
  elementC text;
  text.kind = elementKind::text;
  text.text = "x";
  const elementC first = circle(0, 0, 1), second = circle(5, 0, 1);
  const sceneC meta2d = file({"a"}, {first, text, second, line(2, 0, 3, 0)});
  const sceneC mi = file({"a`~1"}, {first, second, line(2, 0, 3, 0), text});
  const checkReportC r = checkWrittenFiles(input, meta2d, mi);
  EXPECT_FALSE(r.mi.first);
  EXPECT_FALSE(r.mi.approximation) << r.mi.approximation->inputElement;
  EXPECT_EQ(r.mi.piecesCompared, 2u);
}

TEST(Check, MiTextsFollowThePartsOtherElements) {
  const auto input = placed("FIGURE{NAME{\"a\"} FIGURITEMS{TEXT{POINT{1,2} TEXT{\"x\"} HEIGHT{3.5} ANGLE{90}}"
                            " LINE{POINT{0,0} POINT{1,0}}}}");
  elementC text;
  text.kind = elementKind::text;
  text.a = {1, 2};
  text.height = 3.5;
  text.angle = 90;
  text.text = "x";
  const sceneC meta2d = file({"a"}, {text, line(0, 0, 1, 0)});
  sceneC mi = file({"a`~1"}, {line(0, 0, 1, 0), text});
  EXPECT_FALSE(checkWrittenFiles(input, meta2d, mi).mi.first);
  // An angle that six digits of cosine and sine cannot blur.
  mi.elements[1].angle = 90.01;
  EXPECT_TRUE(checkWrittenFiles(input, meta2d, mi).mi.first);
}

// Every text's words: META2D holds the text as it is, MI its lines each
// without the blanks around them and without a last line feed.
TEST(Check, ATextAgreesOnlyInTheWordsItsFileHolds) {
  const auto input = placed("FIGURE{NAME{\"a\"} FIGURITEMS{TEXT{POINT{1,2} TEXT{\" Slot R10\\nboth sides \\n\"} HEIGHT{2}}}}");
  elementC text;
  text.kind = elementKind::text;
  text.a = {1, 2};
  text.height = 2;
  text.text = " Slot R10\nboth sides \n";
  sceneC meta2d = file({"a"}, {text});
  text.text = "Slot R10\nboth sides";
  sceneC mi = file({"a`~1"}, {text});
  const checkReportC agreeing = checkWrittenFiles(input, meta2d, mi);
  EXPECT_FALSE(agreeing.meta2d.first);
  EXPECT_FALSE(agreeing.mi.first);
  meta2d.elements[0].text = " Slot R99\nboth sides \n";
  mi.elements[0].text = "Slot R10";
  const checkReportC differing = checkWrittenFiles(input, meta2d, mi);
  EXPECT_TRUE(differing.meta2d.first);
  EXPECT_TRUE(differing.mi.first);
}

TEST(Check, AValueAgreesWithinItsErrorAndAMarginOfItsSize) {
  // Half a unit of the sixth digit of 1000 is 0.005; the margin 1e-9 of
  // 1000.0051 adds about 1e-6.
  EXPECT_TRUE(agrees(1000, 1000.005, 0.005));
  EXPECT_TRUE(agrees(1000, 999.995, 0.005));
  EXPECT_FALSE(agrees(1000, 1000.0051, 0.005));
  // Without an error the margin alone: 1e-3 at 1e6, 1e-9 below 1.
  EXPECT_TRUE(agrees(1e6, 1e6 + 0.9e-3, 0));
  EXPECT_FALSE(agrees(1e6, 1e6 + 1.1e-3, 0));
  EXPECT_TRUE(agrees(0.5, 0.5 + 0.9e-9, 0));
  EXPECT_FALSE(agrees(0.5, 0.5 + 1.1e-9, 0));
  EXPECT_TRUE(agrees(NAN, NAN, 0));
  EXPECT_FALSE(agrees(1, NAN, INFINITY));
  EXPECT_FALSE(agrees(INFINITY, 1e308, INFINITY));
}

// A one-arc drawing and META2D and MI files holding the given arcs.
checkReportC checkArc(const char* points, const std::function<void(elementC&)>& change) {
  const auto input = placed(std::string("FIGURE{NAME{\"a\"} FIGURITEMS{ARC{") + points + "}}}");
  elementC written = input.at(0).items.at(0).element;
  change(written);
  return checkWrittenFiles(input, file({"a"}, {written}), file({"a`~1"}, {input[0].items[0].element}));
}

TEST(Check, AFlatArcsCentreMayMoveAsFarAsItsPointsRoundingCarriesIt) {
  // About (100000, 0) with radius 1000: one degree through its middle, and
  // a quarter turn. The circle through a flat arc's points moves along its
  // axis by 1e-12 of their size times 1 / sin^2 of a quarter of the sweep
  // (101000 * 52525, about 5e-3); a quarter turn's only by about 7e-7, and
  // the margin of 1e-9 of the centre's size adds 1e-4 to both.
  const char* flat = "POINT{100999.96192378,-8.7265354983739} POINT{101000,0} POINT{100999.96192378,8.7265354983739}";
  const char* quarter = "POINT{101000,0} POINT{100707.10678118655,707.10678118655} POINT{100000,1000}";
  const auto moveCentre = [](elementC& arc) { arc.centre.x += 1e-3; };
  EXPECT_FALSE(checkArc(flat, moveCentre).meta2d.first);
  EXPECT_TRUE(checkArc(quarter, moveCentre).meta2d.first);
}

TEST(Check, AMeta2dArcAngleJustOverAWholeTurnMayStandForOneJustUnder) {
  // The writers report 359.99995 degrees as 0.00005 (the excess over
  // 359.9999): the start drawn at -0.00005 degrees is written at +0.00005.
  const char* arc = "POINT{999.9999999996191,-0.0008726646259970541} POINT{0,1000} POINT{-1000,0}";
  const auto writeAt = [](double start) {
    return [start](elementC& a) {
      a.startAngle = start;
      const double t = degreesToRadiansMultiplyingFirst(start);
      a.a = {1000 * std::cos(t), 1000 * std::sin(t)};
    };
  };
  EXPECT_FALSE(checkArc(arc, writeAt(0.00005)).meta2d.first);
  // Not so for an angle that stands for nothing else.
  EXPECT_TRUE(checkArc(arc, writeAt(0.00015)).meta2d.first);
}

TEST(Check, DescribesElementsInWords) {
  EXPECT_EQ(describe(line(0, 0.5, 1e21, -2)), "line (0, 0.5) to (1e+21, -2)");
  EXPECT_EQ(describe(arc(0, 0, 1, 1, 0, 0, 1)), "arc about (0, 0) radius 1 from (1, 0) to (0, 1)");
}

}  // namespace
}  // namespace lorvane::cli
