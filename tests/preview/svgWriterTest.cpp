#include "lorvane/preview/svgWriter.h"

#include <gtest/gtest.h>

#include "failingHeap.h"
#include "sceneElements.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iostream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

#ifdef LORVANE_HAVE_PUGIXML
#include "svgTestDocument.h"
#include "lorvane/util/angleUnits.h"
#endif

namespace lorvane::preview {
namespace {

using testing::arc;
using testing::line;
using testing::circle;
using testing::text;

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// One group and one plain style for every element.
sceneC sceneOf(std::vector<elementC> elements) {
  sceneC scene;
  scene.groups.push_back({"part", 1});
  scene.styleIndex({"1", 7, 0, 1.0, false});
  scene.elements = std::move(elements);
  return scene;
}

std::string lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// ---------------------------------------------------------------------------
// Checks on the bytes, needing no XML parser.

TEST(SvgWriterBytes, StartsWithTheDeclarationAndEndsEveryLineWithALineFeed) {
  const std::string svg = writeSvg(sceneOf({line(0, 0, 10, 5), text(1, 1, 2, 0, 1, "A")}), {"Title"});
  EXPECT_EQ(svg.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n", 0), 0u);
  EXPECT_EQ(svg.find('\r'), std::string::npos);
  ASSERT_FALSE(svg.empty());
  EXPECT_EQ(svg.back(), '\n');
  EXPECT_NE(svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\""), std::string::npos);
}

TEST(SvgWriterBytes, TheSameSceneGivesTheSameBytes) {
  const sceneC scene = sceneOf({line(0.1, 0.2, 1.0 / 3, 7), arc(0, 0, 2, 10, 200), text(0, 0, 1, 33, 5, "x")});
  EXPECT_EQ(writeSvg(scene, {"T"}), writeSvg(scene, {"T"}));
}

TEST(SvgWriterBytes, NonFiniteValuesNeverReachTheDocument) {
  sceneC scene = sceneOf({line(0, 0, 1, 1)});
  scene.elements.push_back(line(nan, 0, 1, 1));
  scene.elements.push_back(line(0, infinity, 1, 1));
  scene.elements.push_back(circle(0, 0, nan));
  scene.elements.push_back(circle(-infinity, 0, 1));
  scene.elements.push_back(arc(0, 0, 1, 0, 90));
  scene.elements.back().endAngle = infinity;
  scene.elements.push_back(arc(0, 0, 1, 0, 90));
  scene.elements.back().centre.x = nan;
  scene.elements.push_back(text(nan, 0, 1, 0, 1, "A"));
  scene.elements.push_back(text(0, 0, infinity, 0, 1, "A"));
  scene.elements.push_back(text(0, 0, 1, nan, 1, "A"));
  const std::string svg = lowered(writeSvg(scene, {}));
  EXPECT_EQ(svg.find("nan"), std::string::npos);
  EXPECT_EQ(svg.find("inf"), std::string::npos);
}

TEST(SvgWriterBytes, AHundredThousandElementsWriteInLinearWork) {
  sceneC scene = sceneOf({});
  scene.elements.reserve(100000);
  for (int i = 0; i < 25000; ++i) {
    const double x = i * 0.37;
    scene.elements.push_back(line(x, 0, x + 1.5, 2.25));
    scene.elements.push_back(circle(x, 5, 0.5 + i % 7));
    scene.elements.push_back(arc(x, 9, 1.25, i % 360, i % 360 + 45 + i % 300));
    scene.elements.push_back(text(x, 12, 0.8, i % 90, 1 + i % 9, "Label"));
  }
  std::string svg;
  const long long allocations = heapAllocationsOf([&] { svg = writeSvg(scene, {"big"}); });
  // The document grows in place: fewer allocations than elements, where a
  // copy per element would make more.
  EXPECT_LT(allocations, 100000);
  EXPECT_GT(svg.size(), 100000u * 30);
}

#ifdef LORVANE_HAVE_PUGIXML

using testing::number;
using testing::numbers;
using testing::pathCommands;
using testing::subpathC;
using testing::subpaths;
using testing::svgTestDocumentC;
using testing::transforms;

// The view box of the drawing as drawing extents (y up): x, bottom, width,
// height.
struct extentC {
  double x = 0;
  double bottom = 0;
  double width = 0;
  double height = 0;
};

extentC drawingExtent(const svgTestDocumentC& document) {
  const std::vector<double> box = numbers(document.drawing().attribute("viewBox").value());
  if (box.size() != 4) return {nan, nan, nan, nan};
  return {box[0], -(box[1] + box[3]), box[2], box[3]};
}

// The drawing's box as expected: corner (x, bottom), width and height.
void expectExtent(const extentC& view, double x, double bottom, double width, double height, double within) {
  EXPECT_NEAR(view.x, x, within);
  EXPECT_NEAR(view.bottom, bottom, within);
  EXPECT_NEAR(view.width, width, within);
  EXPECT_NEAR(view.height, height, within);
}

// Screen pixels per drawing unit of the drawing viewport.
double pixelsPerUnit(const svgTestDocumentC& document) {
  return number(document.drawing(), "width") / drawingExtent(document).width;
}

#define EXPECT_PARSES(document) ASSERT_EQ((document).failure(), "")

// ---------------------------------------------------------------------------

TEST(SvgWriterDocument, HasPixelSizeAndAViewBoxInPixels) {
  const svgTestDocumentC document(writeSvg(sceneOf({line(0, 0, 200, 100)}), {"T"}));
  EXPECT_PARSES(document);
  const pugi::xml_node root = document.root();
  EXPECT_STREQ(root.attribute("xmlns").value(), "http://www.w3.org/2000/svg");
  EXPECT_STREQ(root.attribute("version").value(), "1.1");
  const double width = number(root, "width");
  const double height = number(root, "height");
  EXPECT_EQ(width, 1000);  // the longer side of the drawing
  EXPECT_GT(height, 0);
  EXPECT_EQ(numbers(root.attribute("viewBox").value()), (std::vector<double>{0, 0, width, height}));
  EXPECT_STREQ(root.child("title").text().get(), "T");
}

TEST(SvgWriterDocument, TheDrawingKeepsItsAspectAndTheFlip) {
  const svgTestDocumentC document(writeSvg(sceneOf({line(0, 0, 200, 100)}), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  const double width = number(document.drawing(), "width");
  const double height = number(document.drawing(), "height");
  EXPECT_NEAR(width / height, view.width / view.height, 1e-4);
  EXPECT_NEAR(width, 1000, 1e-9);
  EXPECT_STREQ(document.flip().attribute("transform").value(), "scale(1,-1)");
}

TEST(SvgWriterDocument, TheDrawingAreaGrowsWithThePixelSizeOption) {
  svgOptionsC options;
  options.pixelSize = 400;
  const svgTestDocumentC document(writeSvg(sceneOf({line(0, 0, 10, 100)}), options));
  EXPECT_PARSES(document);
  EXPECT_NEAR(number(document.drawing(), "height"), 400, 1e-9);
}

TEST(SvgWriterDocument, AnEmptySceneIsAUnitBoxAroundTheOrigin) {
  const svgTestDocumentC document(writeSvg(sceneC{}, {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  // -0.5..0.5 and a margin of 5 % of the side.
  expectExtent(view, -0.55, -0.55, 1.1, 1.1, 1e-12);
  EXPECT_TRUE(document.drawn("path").empty());
}

// ---------------------------------------------------------------------------

TEST(SvgWriterFit, TheViewBoxIsTheExtentWithAFivePercentMargin) {
  const svgTestDocumentC document(writeSvg(sceneOf({line(0, 0, 100, 50)}), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  // Margin 5 on every side: x -5..105, y -5..55.
  expectExtent(view, -5, -5, 110, 60, 1e-12);
}

TEST(SvgWriterFit, AnArcCountsTheAxisPointsItSweepsThrough) {
  // From 45 to 135 degrees about the origin, radius 10: the top (0, 10) is
  // swept, the ends lie at y = 7.07.
  const svgTestDocumentC document(writeSvg(sceneOf({arc(0, 0, 10, 45, 135)}), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  const double side = 10 * std::sqrt(0.5);
  const double margin = 0.05 * 2 * side;
  EXPECT_NEAR(view.x, -side - margin, 1e-9);
  EXPECT_NEAR(view.width, 2 * side + 2 * margin, 1e-9);
  EXPECT_NEAR(view.bottom, side - margin, 1e-9);
  EXPECT_NEAR(view.bottom + view.height, 10 + margin, 1e-9);
}

TEST(SvgWriterFit, AnArcOverZeroDegreesReachesTheRightAxisPoint) {
  const svgTestDocumentC document(writeSvg(sceneOf({arc(0, 0, 4, 330, 390)}), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  // x from 4 cos 30 to 4, y from -2 to 2; the larger side is 4.
  EXPECT_NEAR(view.x + view.width, 4 + 0.2, 1e-9);
  EXPECT_NEAR(view.x, 4 * std::cos(kPi / 6) - 0.2, 1e-9);
  EXPECT_NEAR(view.bottom, -2 - 0.2, 1e-9);
}

TEST(SvgWriterFit, ACircleCountsItsRadius) {
  const svgTestDocumentC document(writeSvg(sceneOf({circle(10, 20, 5)}), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  EXPECT_NEAR(view.x, 5 - 0.5, 1e-12);
  EXPECT_NEAR(view.bottom, 15 - 0.5, 1e-12);
  EXPECT_NEAR(view.width, 11, 1e-12);
}

TEST(SvgWriterFit, ATextCountsItsEstimatedBox) {
  // Four characters of height 10: 24 wide, 10 high, above and right of the
  // point at bottom left.
  const svgTestDocumentC plain(writeSvg(sceneOf({text(0, 0, 10, 0, 1, "ABCD")}), {}));
  EXPECT_PARSES(plain);
  extentC view = drawingExtent(plain);
  expectExtent(view, -1.2, -1.2, 26.4, 12.4, 1e-9);
  // Turned a quarter counter-clockwise: x -10..0, y 0..24.
  const svgTestDocumentC turned(writeSvg(sceneOf({text(0, 0, 10, 90, 1, "ABCD")}), {}));
  EXPECT_PARSES(turned);
  view = drawingExtent(turned);
  expectExtent(view, -10 - 1.2, -1.2, 12.4, 26.4, 1e-9);
  // Top right: the box lies left of and below the point.
  const svgTestDocumentC topRight(writeSvg(sceneOf({text(0, 0, 10, 0, 9, "ABCD")}), {}));
  EXPECT_PARSES(topRight);
  view = drawingExtent(topRight);
  EXPECT_NEAR(view.x, -24 - 1.2, 1e-9);
  EXPECT_NEAR(view.bottom, -10 - 1.2, 1e-9);
}

TEST(SvgWriterFit, ElementsThatCannotBeDrawnAreNotInTheBox) {
  sceneC scene = sceneOf({line(0, 0, 100, 50), line(nan, 1e6, 1e6, 1e6), circle(1e6, 0, nan),
                          circle(1e6, 0, -3), circle(1e200, 0, 1), text(1e6, 0, 0, 0, 1, "A"),
                          text(1e6, 0, 1, 0, 1, "")});
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  EXPECT_NEAR(view.x, -5, 1e-12);
  EXPECT_NEAR(view.width, 110, 1e-12);
  // One path of the one line: the circles would have joined it.
  const std::vector<pugi::xml_node> paths = document.drawn("path");
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(subpaths(paths[0].attribute("d").value()).size(), 1u);
  EXPECT_TRUE(document.drawn("text").empty());
}

TEST(SvgWriterFit, APointIsShownInAUnitBox) {
  const svgTestDocumentC document(writeSvg(sceneOf({line(3, 4, 3, 4)}), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  expectExtent(view, 2.45, 3.45, 1.1, 1.1, 1e-12);
}

TEST(SvgWriterFit, EveryElementLiesInsideTheViewBoxWithMargin) {
  const std::vector<elementC> elements = {line(-30, 2, 10, 40), circle(50, -20, 7),
                                          arc(20, 60, 15, 200, 340), arc(-10, -10, 3, 0, 360)};
  const svgTestDocumentC document(writeSvg(sceneOf(elements), {}));
  EXPECT_PARSES(document);
  const extentC view = drawingExtent(document);
  const double margin = 0.05 * std::max(view.width, view.height) / 1.1;
  std::vector<pointC> points = {{-30, 2}, {10, 40}};
  for (int step = 0; step < 360; ++step) {
    const double t = degreesToRadiansMultiplyingFirst(step);
    points.push_back({50 + 7 * std::cos(t), -20 + 7 * std::sin(t)});
    points.push_back({-10 + 3 * std::cos(t), -10 + 3 * std::sin(t)});
    if (step >= 200 && step <= 340) points.push_back({20 + 15 * std::cos(t), 60 + 15 * std::sin(t)});
  }
  for (const pointC& point : points) {
    EXPECT_GE(point.x - view.x, 0.99 * margin);
    EXPECT_GE(view.x + view.width - point.x, 0.99 * margin);
    EXPECT_GE(point.y - view.bottom, 0.99 * margin);
    EXPECT_GE(view.bottom + view.height - point.y, 0.99 * margin);
  }
}

// ---------------------------------------------------------------------------

// All subpaths of all paths of the document, in document order.
std::vector<subpathC> allSubpaths(const svgTestDocumentC& document) {
  std::vector<subpathC> all;
  for (pugi::xml_node path : document.drawn("path")) {
    for (subpathC& subpath : subpaths(path.attribute("d").value())) all.push_back(std::move(subpath));
  }
  return all;
}

TEST(SvgWriterElements, PointsReadBackOnTheGrid) {
  // 110 units over 1000 pixels: a hundredth of a pixel is 0.0011, the grid
  // 0.001.
  const double third = 1.0 / 3;
  const svgTestDocumentC document(writeSvg(sceneOf({line(0.1, third, 100, 2.0004), circle(50, -0.0006, 0.3)}), {}));
  EXPECT_PARSES(document);
  const std::vector<subpathC> drawn = allSubpaths(document);
  ASSERT_EQ(drawn.size(), 2u);
  ASSERT_EQ(drawn[0].segments.size(), 1u);
  EXPECT_NEAR(drawn[0].start.x, 0.1, 1e-12);
  EXPECT_NEAR(drawn[0].start.y, 0.333, 1e-12);
  EXPECT_NEAR(drawn[0].segments[0].to.x, 100, 1e-12);
  EXPECT_NEAR(drawn[0].segments[0].to.y, 2, 1e-12);
  // The circle: two half turns from its rightmost point, closed.
  ASSERT_EQ(drawn[1].segments.size(), 2u);
  EXPECT_TRUE(drawn[1].closed);
  EXPECT_NEAR(drawn[1].start.x, 50.3, 1e-12);
  EXPECT_NEAR(drawn[1].start.y, -0.001, 1e-12);
  EXPECT_NEAR(drawn[1].segments[0].to.x, 49.7, 1e-12);
  EXPECT_EQ(drawn[1].segments[0].radius, 0.3);
}

// The midpoint of an SVG arc command in its own user space, from the end
// points and flags as SVG's rules for elliptical arcs place the centre
// (equal radii, no rotation). The sweep flag 1 runs in the positive angle
// direction of that space.
pointC svgArcMidpoint(pointC from, double radius, bool large, bool sweep, pointC to) {
  const double hx = (from.x - to.x) / 2;
  const double hy = (from.y - to.y) / 2;
  const double half = hx * hx + hy * hy;
  const double factor = std::sqrt(std::max(0.0, (radius * radius - half) / half)) * (large != sweep ? 1 : -1);
  const double cx = factor * hy + (from.x + to.x) / 2;
  const double cy = -factor * hx + (from.y + to.y) / 2;
  const double startAngle = std::atan2(from.y - cy, from.x - cx);
  double delta = std::atan2(to.y - cy, to.x - cx) - startAngle;
  if (sweep && delta < 0) delta += 2 * kPi;
  if (!sweep && delta > 0) delta -= 2 * kPi;
  const double middle = startAngle + delta / 2;
  return {cx + radius * std::cos(middle), cy + radius * std::sin(middle)};
}

struct arcCommandC {
  pointC to;
  double radius = 0;
  bool large = false;
  bool sweep = false;
};

// The single subpath of the document: its start point and arc commands.
std::vector<arcCommandC> arcCommands(const svgTestDocumentC& document, pointC& start) {
  std::vector<arcCommandC> arcs;
  const std::vector<subpathC> drawn = allSubpaths(document);
  if (drawn.size() != 1) return arcs;
  start = {drawn[0].start.x, drawn[0].start.y};
  for (const auto& segment : drawn[0].segments) {
    EXPECT_EQ(segment.kind, 'a');
    arcs.push_back({{segment.to.x, segment.to.y}, segment.radius, segment.large, segment.sweep});
  }
  return arcs;
}

double angleOf(pointC point, pointC centre) {
  double degrees = radiansToDegreesMultiplyingFirst(std::atan2(point.y - centre.y, point.x - centre.x));
  if (degrees < 0) degrees += 360;
  return degrees;
}

TEST(SvgWriterArcs, AQuarterArcRunsCounterClockwise) {
  const elementC quarter = arc(2, 3, 5, 30, 120);
  const svgTestDocumentC document(writeSvg(sceneOf({quarter}), {}));
  EXPECT_PARSES(document);
  pointC start;
  const std::vector<arcCommandC> arcs = arcCommands(document, start);
  ASSERT_EQ(arcs.size(), 1u);
  // The grid: a hundredth of a pixel of about 0.008 units.
  EXPECT_NEAR(start.x, quarter.a.x, 5e-5);
  EXPECT_NEAR(start.y, quarter.a.y, 5e-5);
  EXPECT_NEAR(arcs[0].to.x, quarter.b.x, 5e-5);
  EXPECT_NEAR(arcs[0].to.y, quarter.b.y, 5e-5);
  EXPECT_EQ(arcs[0].radius, 5);
  EXPECT_FALSE(arcs[0].large);
  EXPECT_TRUE(arcs[0].sweep);
  const pointC middle = svgArcMidpoint(start, 5, arcs[0].large, arcs[0].sweep, arcs[0].to);
  EXPECT_NEAR(angleOf(middle, {2, 3}), 75, 1e-3);
}

TEST(SvgWriterArcs, AThreeQuarterArcTakesTheLargeWay) {
  const elementC threeQuarters = arc(0, 0, 2, 90, 360);
  const svgTestDocumentC document(writeSvg(sceneOf({threeQuarters}), {}));
  EXPECT_PARSES(document);
  pointC start;
  const std::vector<arcCommandC> arcs = arcCommands(document, start);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_TRUE(arcs[0].large);
  EXPECT_TRUE(arcs[0].sweep);
  const pointC middle = svgArcMidpoint(start, 2, arcs[0].large, arcs[0].sweep, arcs[0].to);
  // Halfway from 90 to 360 counter-clockwise is 225 degrees: lower left.
  EXPECT_NEAR(angleOf(middle, {0, 0}), 225, 1e-3);
  EXPECT_LT(middle.x, 0);
  EXPECT_LT(middle.y, 0);
}

TEST(SvgWriterArcs, AFullTurnIsDrawnAsTwoHalves) {
  const elementC full = arc(1, 1, 3, 0, 360);
  const svgTestDocumentC document(writeSvg(sceneOf({full}), {}));
  EXPECT_PARSES(document);
  pointC start;
  const std::vector<arcCommandC> arcs = arcCommands(document, start);
  ASSERT_EQ(arcs.size(), 2u);
  EXPECT_EQ(start.x, 4);
  EXPECT_EQ(start.y, 1);
  EXPECT_EQ(arcs[0].to.x, -2);
  EXPECT_EQ(arcs[0].to.y, 1);
  EXPECT_EQ(arcs[1].to.x, 4);
  EXPECT_EQ(arcs[1].to.y, 1);
  const pointC first = svgArcMidpoint(start, 3, arcs[0].large, arcs[0].sweep, arcs[0].to);
  const pointC second = svgArcMidpoint(arcs[0].to, 3, arcs[1].large, arcs[1].sweep, arcs[1].to);
  EXPECT_NEAR(angleOf(first, {1, 1}), 90, 1e-6);
  EXPECT_NEAR(angleOf(second, {1, 1}), 270, 1e-6);
}

TEST(SvgWriterArcs, AnEndAngleBeforeTheStartRunsOnePastTheZeroDirection) {
  // From 350 to 20 degrees: 30 degrees counter-clockwise through 0.
  elementC wrapped = arc(0, 0, 1, 350, 380);
  wrapped.endAngle = 20;
  const svgTestDocumentC document(writeSvg(sceneOf({wrapped}), {}));
  EXPECT_PARSES(document);
  pointC start;
  const std::vector<arcCommandC> arcs = arcCommands(document, start);
  ASSERT_EQ(arcs.size(), 1u);
  EXPECT_FALSE(arcs[0].large);
  const pointC middle = svgArcMidpoint(start, 1, arcs[0].large, arcs[0].sweep, arcs[0].to);
  EXPECT_NEAR(angleOf(middle, {0, 0}), 5, 1e-2);
  // The box reaches the zero direction's axis point.
  const extentC view = drawingExtent(document);
  EXPECT_NEAR(view.x + view.width, 1 + 0.05 * (std::sin(degreesToRadiansMultiplyingFirst(20)) + std::sin(degreesToRadiansMultiplyingFirst(10))), 1e-9);
}

TEST(SvgWriterArcs, TheSweepFlagIsCounterClockwiseOnScreenUnderTheFlip) {
  // On screen (y down) the flip turns the drawing's counter-clockwise into
  // the screen's counter-clockwise as a viewer sees it: an arc from 0 to 90
  // degrees bulges towards the upper right, i.e. to smaller screen y.
  const svgTestDocumentC document(writeSvg(sceneOf({arc(0, 0, 1, 0, 90)}), {}));
  EXPECT_PARSES(document);
  pointC start;
  const std::vector<arcCommandC> arcs = arcCommands(document, start);
  ASSERT_EQ(arcs.size(), 1u);
  const pointC middle = svgArcMidpoint(start, 1, arcs[0].large, arcs[0].sweep, arcs[0].to);
  EXPECT_GT(middle.x, 0.5);
  EXPECT_GT(middle.y, 0.5);  // drawing y; the flip group puts it above the centre
}

// ---------------------------------------------------------------------------

struct matrixC {
  double a = 1, b = 0, c = 0, d = 1, e = 0, f = 0;  // x' = a x + c y + e, y' = b x + d y + f
};

matrixC times(const matrixC& m, const matrixC& n) {
  return {m.a * n.a + m.c * n.b, m.b * n.a + m.d * n.b, m.a * n.c + m.c * n.d,
          m.b * n.c + m.d * n.d, m.a * n.e + m.c * n.f + m.e, m.b * n.e + m.d * n.f + m.f};
}

matrixC matrixOf(const std::vector<testing::transformC>& list) {
  matrixC m;
  for (const auto& t : list) {
    matrixC n;
    if (t.name == "translate" && t.arguments.size() == 2) {
      n.e = t.arguments[0];
      n.f = t.arguments[1];
    } else if (t.name == "rotate" && t.arguments.size() == 1) {
      const double r = degreesToRadiansMultiplyingFirst(t.arguments[0]);
      n = {std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0};
    } else if (t.name == "matrix" && t.arguments.size() == 6) {
      n = {t.arguments[0], t.arguments[1], t.arguments[2], t.arguments[3], t.arguments[4], t.arguments[5]};
    } else if (t.name == "scale" && t.arguments.size() == 2) {
      n.a = t.arguments[0];
      n.d = t.arguments[1];
    } else {
      ADD_FAILURE() << "unexpected transform " << t.name;
    }
    m = times(m, n);
  }
  return m;
}

TEST(SvgWriterTexts, ARotatedTextStandsUprightAtItsPoint) {
  const svgTestDocumentC document(writeSvg(sceneOf({text(10, 20, 5, 30, 5, "AB\nCDE")}), {}));
  EXPECT_PARSES(document);
  const std::vector<pugi::xml_node> texts = document.drawn("text");
  ASSERT_EQ(texts.size(), 1u);
  const auto list = transforms(texts[0].attribute("transform").value());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].name, "matrix");
  // From the text's frame to the screen through the flip group: the
  // writing direction rises 30 degrees to the right, and the glyphs are not
  // mirrored.
  const matrixC screen = times(matrixOf({{"scale", {1, -1}}}), matrixOf(list));
  EXPECT_NEAR(screen.a, std::cos(kPi / 6), 1e-6);
  EXPECT_NEAR(screen.b, -std::sin(kPi / 6), 1e-6);
  EXPECT_GT(screen.a * screen.d - screen.b * screen.c, 0);
  EXPECT_NEAR(screen.e, 10, 1e-12);
  EXPECT_NEAR(screen.f, -20, 1e-12);
  EXPECT_EQ(number(texts[0].parent(), "font-size"), 5);
  EXPECT_STREQ(texts[0].attribute("text-anchor").value(), "middle");
}

TEST(SvgWriterTexts, EveryLineIsATspanAtTheLinePitch) {
  const svgTestDocumentC document(writeSvg(sceneOf({text(10, 20, 5, 30, 5, "AB\nCDE")}), {}));
  EXPECT_PARSES(document);
  const std::vector<pugi::xml_node> texts = document.drawn("text");
  ASSERT_EQ(texts.size(), 1u);
  std::vector<pugi::xml_node> spans;
  for (pugi::xml_node span : texts[0].children("tspan")) spans.push_back(span);
  ASSERT_EQ(spans.size(), 2u);
  EXPECT_STREQ(spans[0].text().get(), "AB");
  EXPECT_STREQ(spans[1].text().get(), "CDE");
  EXPECT_EQ(number(spans[0], "x"), 0);
  EXPECT_EQ(number(spans[1], "x"), 0);
  // Block of 5 + 7 = 12, centred on the point: top at -6, first baseline
  // one height lower at -1, the next 7 further down.
  EXPECT_NEAR(number(spans[0], "dy"), -1, 1e-12);
  EXPECT_NEAR(number(spans[1], "dy"), 7, 1e-12);
}

TEST(SvgWriterTexts, TheRelativePositionAnchorsTheBlock) {
  struct expectedC {
    int position;
    const char* anchor;
    double firstBaseline;  // two lines of height 5: block 12 high
  };
  const expectedC cases[] = {{0, "start", -7}, {1, "start", -7}, {2, "middle", -7}, {3, "end", -7},
                             {4, "start", -1}, {6, "end", -1},   {7, "start", 5},   {8, "middle", 5},
                             {9, "end", 5},    {12, "start", -7}};
  for (const expectedC& expected : cases) {
    const svgTestDocumentC document(writeSvg(sceneOf({text(0, 0, 5, 0, expected.position, "A\nB")}), {}));
    EXPECT_PARSES(document);
    const std::vector<pugi::xml_node> texts = document.drawn("text");
    ASSERT_EQ(texts.size(), 1u);
    // No anchor is the start.
    const std::string anchor = texts[0].attribute("text-anchor").value();
    EXPECT_EQ(anchor.empty() ? "start" : anchor, expected.anchor) << expected.position;
    EXPECT_NEAR(number(texts[0].child("tspan"), "dy"), expected.firstBaseline, 1e-12) << expected.position;
  }
}

TEST(SvgWriterTexts, ContentIsEscapedAndEmptyTextsAreLeftOut) {
  const svgTestDocumentC document(
      writeSvg(sceneOf({text(0, 0, 1, 0, 1, "x<y & \"z\" 'w' >"), text(0, 0, 1, 0, 1, "")}), {}));
  EXPECT_PARSES(document);
  const std::vector<pugi::xml_node> texts = document.drawn("text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_STREQ(texts[0].text().get(), "x<y & \"z\" 'w' >");
}

TEST(SvgWriterTexts, TextsFillInTheirColourWithoutStroke) {
  sceneC scene = sceneOf({text(0, 0, 1, 0, 1, "A")});
  scene.elements[0].style = scene.styleIndex({"red", 2, 0, 1.0, false});
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  const std::vector<pugi::xml_node> texts = document.drawn("text");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_STREQ(texts[0].parent().attribute("class").value(), "s1");
  EXPECT_EQ(document.rule("text.s1,.s1 text").at("fill"), "#d00000");
  // More specific than the class's stroke rule.
  EXPECT_EQ(document.rule("text.s1,.s1 text").at("stroke"), "none");
  EXPECT_EQ(document.rule("text").at("font-family"), "sans-serif");
}

// ---------------------------------------------------------------------------

TEST(SvgWriterGroups, EachGroupHasAnIdItsNameAndATitle) {
  sceneC scene;
  scene.groups = {{"Part <1> & \"A\" 'b'", 1}, {"", 2}, {"Part <1> & \"A\" 'b'", 3}};
  scene.styleIndex({"1", 7, 0, 1.0, false});
  scene.elements = {line(0, 0, 1, 0), line(0, 1, 1, 1), line(0, 2, 1, 2), line(0, 3, 1, 3)};
  scene.elements[0].group = 2;
  scene.elements[1].group = 0;
  scene.elements[2].group = 2;
  scene.elements[3].group = 7;  // no such group
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  std::vector<pugi::xml_node> groups;
  for (pugi::xml_node group : document.flip().children("g")) groups.push_back(group);
  ASSERT_EQ(groups.size(), 4u);
  std::set<std::string> ids;
  for (pugi::xml_node group : groups) ids.insert(group.attribute("id").value());
  EXPECT_EQ(ids.size(), 4u);
  EXPECT_STREQ(groups[0].attribute("id").value(), "g1");
  EXPECT_STREQ(groups[0].attribute("data-name").value(), "Part <1> & \"A\" 'b'");
  EXPECT_STREQ(groups[0].child("title").text().get(), "Part <1> & \"A\" 'b'");
  EXPECT_STREQ(groups[1].attribute("data-name").value(), "");
  EXPECT_TRUE(groups[1].child("path").empty());
  EXPECT_STREQ(groups[2].attribute("id").value(), "g3");
  // Elements in their group, in scene order.
  const auto heights = [](pugi::xml_node group) {
    std::vector<double> starts;
    for (const subpathC& subpath : subpaths(group.child("path").attribute("d").value())) starts.push_back(subpath.start.y);
    return starts;
  };
  EXPECT_EQ(heights(groups[2]), (std::vector<double>{0, 2}));
  EXPECT_EQ(heights(groups[0]), (std::vector<double>{1}));
  EXPECT_EQ(heights(groups[3]), (std::vector<double>{3}));
}

TEST(SvgWriterGroups, NamesAreCleanUtf8) {
  sceneC scene = sceneOf({line(0, 0, 1, 1)});
  scene.groups[0].name = "Ma\xDF" "e\x80\x81 \xC3\xBC a\x01\tb\x7F \xE2\x82";
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  // Latin-1 sharp s (followed by a letter: with a continuation byte after
  // it, the two bytes would be valid UTF-8), the euro sign of Windows-1252, U+FFFD for its
  // unassigned 0x81, valid UTF-8 kept, controls but the tab dropped, and a
  // cut-off sequence read byte by byte.
  EXPECT_STREQ(document.flip().child("g").child("title").text().get(),
               "Ma\xC3\x9F" "e\xE2\x82\xAC\xEF\xBF\xBD \xC3\xBC a\tb \xC3\xA2\xE2\x80\x9A");
}

// ---------------------------------------------------------------------------

TEST(SvgWriterStyles, DashPatternsOnlyForDashedStyles) {
  sceneC scene = sceneOf({});
  scene.styleIndex({"dash", 7, 1, 1.0, true});
  scene.styleIndex({"dot dash", 7, 3, 1.0, true});
  scene.styleIndex({"long dash", 7, 4, 1.0, true});
  scene.styleIndex({"no code", -1, -1, 0, true});
  scene.styleIndex({"solid", -1, -1, 0, false});
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  EXPECT_FALSE(document.rule(".s0").contains("stroke-dasharray"));
  EXPECT_FALSE(document.rule(".s5").contains("stroke-dasharray"));
  std::set<std::string> patterns;
  for (const char* dashed : {".s1", ".s2", ".s3"}) {
    const auto rule = document.rule(dashed);
    ASSERT_TRUE(rule.contains("stroke-dasharray")) << dashed;
    patterns.insert(rule.at("stroke-dasharray"));
  }
  EXPECT_EQ(patterns.size(), 3u);
  EXPECT_TRUE(document.rule(".s4").contains("stroke-dasharray"));
}

TEST(SvgWriterStyles, ColoursFromThePalette) {
  sceneC scene = sceneOf({});
  scene.styleIndex({"a", 2, 0, 1.0, false});
  scene.styleIndex({"b", -1, -1, 0, false});
  scene.styleIndex({"c", 4, 0, 1.0, false});
  scene.styleIndex({"d", 99, 0, 1.0, false});
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  EXPECT_EQ(document.rule(".s0").at("stroke"), "#000000");  // 7, the default
  EXPECT_EQ(document.rule(".s1").at("stroke"), "#d00000");  // red
  EXPECT_EQ(document.rule(".s2").at("stroke"), "#000000");  // none
  EXPECT_EQ(document.rule(".s3").at("stroke"), "#0000d0");  // blue
  EXPECT_EQ(document.rule(".s4").at("stroke"), "#000000");  // unknown
}

TEST(SvgWriterStyles, AWidthUnitIsTwoPixelsOnScreen) {
  sceneC scene = sceneOf({line(0, 0, 300, 100)});
  scene.styleIndex({"wide", 7, 0, 2.5, false});
  scene.styleIndex({"none", -1, -1, 0, false});
  scene.styleIndex({"hairline", 7, 0, 0.1, false});
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  const double scale = pixelsPerUnit(document);
  const auto pixels = [&](const char* selector) {
    return std::stod(document.rule(selector).at("stroke-width")) * scale;
  };
  EXPECT_NEAR(pixels(".s0"), 2, 1e-5);
  EXPECT_NEAR(pixels(".s1"), 5, 1e-5);
  EXPECT_NEAR(pixels(".s2"), 1, 1e-5);    // no width: one pixel
  EXPECT_NEAR(pixels(".s3"), 0.5, 1e-5);  // never thinner than half a pixel
}

TEST(SvgWriterStyles, EachRunOfAStyleIsAPathOfItsClass) {
  sceneC scene = sceneOf({line(0, 0, 1, 1), circle(0, 0, 1), line(1, 1, 2, 2)});
  scene.elements[1].style = scene.styleIndex({"x", 3, 0, 1.0, false});
  scene.elements[2].style = 40;  // no such style: the document's defaults
  const svgTestDocumentC document(writeSvg(scene, {}));
  EXPECT_PARSES(document);
  const std::vector<pugi::xml_node> paths = document.drawn("path");
  ASSERT_EQ(paths.size(), 3u);
  EXPECT_STREQ(paths[0].attribute("class").value(), "s0");
  EXPECT_STREQ(paths[1].attribute("class").value(), "s1");
  EXPECT_TRUE(paths[2].attribute("class").empty());
  EXPECT_EQ(document.rule("path").at("fill"), "none");
}

// ---------------------------------------------------------------------------

struct legendTextsC {
  std::vector<std::string> texts;
  std::size_t samples = 0;
  double x = 0;  // where the legend's group lies
  double y = 0;
};

legendTextsC legendOf(const svgTestDocumentC& document) {
  legendTextsC found;
  const pugi::xml_node legend = document.root().find_child_by_attribute("g", "id", "legend");
  EXPECT_FALSE(legend.empty());
  for (pugi::xml_node child : legend.children()) {
    if (std::string_view(child.name()) == "text") found.texts.emplace_back(child.text().get());
    if (std::string_view(child.name()) == "line") ++found.samples;
    for (pugi::xml_node scaleText : child.children("text")) found.texts.emplace_back(scaleText.text().get());
  }
  const auto list = transforms(legend.attribute("transform").value());
  if (list.size() == 1 && list[0].arguments.size() == 2) {
    found.x = list[0].arguments[0];
    found.y = list[0].arguments[1];
  }
  return found;
}

TEST(SvgWriterLegend, ListsTheLayersAndStylesThatAreDrawnBelowAWideDrawing) {
  sceneC scene = sceneOf({line(0, 0, 10, 5), line(0, 1, 10, 6), line(0, 2, 10, 7), line(0, 3, 10, 8)});
  scene.elements[1].style = scene.styleIndex({"1", 2, 0, 1.0, false});
  scene.elements[2].style = scene.styleIndex({"", 7, 3, 0.5, true});
  scene.styleIndex({"Unused", 7, 0, 1.0, false});
  scene.elements[3].style = scene.styleIndex({"Kontur & Co", 7, 0, 1.0, false});
  const svgTestDocumentC document(writeSvg(scene, {"Drawing 7"}));
  EXPECT_PARSES(document);
  const legendTextsC legend = legendOf(document);
  // The title, the entries, and the scale bar's 0 and length (11 units over
  // 1000 pixels: 1 mm is the longest of 1, 2 and 5 times a power of ten
  // within 120 pixels).
  EXPECT_EQ(legend.texts, (std::vector<std::string>{"Drawing 7", "1", "dot-dash, width 0.5", "Kontur & Co", "0", "1 mm"}));
  EXPECT_EQ(legend.samples, 4u);  // layer 1 shows both of its styles
  EXPECT_EQ(legend.x, 0);
  EXPECT_GE(legend.y, number(document.drawing(), "height"));
}

TEST(SvgWriterLegend, LiesBesideATallDrawing) {
  const svgTestDocumentC document(writeSvg(sceneOf({line(0, 0, 10, 100)}), {"tall.krv"}));
  EXPECT_PARSES(document);
  const legendTextsC legend = legendOf(document);
  EXPECT_GE(legend.x, number(document.drawing(), "width"));
  EXPECT_EQ(legend.y, 0);
  EXPECT_EQ(number(document.root(), "height"), 1000);
  // 110 units over 1000 pixels: 10 mm is the longest of 1, 2 and 5 times a
  // power of ten within 120 pixels.
  EXPECT_EQ(legend.texts.back(), "10 mm");
}

// Figures whose labels would lie on one another: each element a group of
// its own.
sceneC figuresOf(std::vector<elementC> elements) {
  sceneC scene = sceneOf(std::move(elements));
  scene.groups.clear();
  for (std::size_t g = 0; g < scene.elements.size(); ++g) {
    scene.groups.push_back({"View " + std::string(1, static_cast<char>('A' + g)), 1});
    scene.elements[g].group = g;
  }
  return scene;
}

TEST(SvgWriterLegend, ALabelThatWouldOverlapAnotherMovesToTheNextCorner) {
  // Two figures 1 unit apart under equal tops: the second name would start
  // 1 unit right of the first, about 9 pixels.
  const svgTestDocumentC document(writeSvg(figuresOf({line(0, 0, 100, 50), line(1, 0, 101, 50)}), {}));
  EXPECT_PARSES(document);
  const pugi::xml_node labels = document.drawing().find_child_by_attribute("g", "id", "labels");
  std::vector<pugi::xml_node> texts(labels.children("text").begin(), labels.children("text").end());
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(number(texts[0], "x"), 0);
  // Above the top right corner instead: ending at x = 101, at the height of
  // the first.
  EXPECT_GT(number(texts[1], "x"), 90);
  EXPECT_LT(number(texts[1], "x"), 101);
  EXPECT_EQ(number(texts[1], "y"), number(texts[0], "y"));
  for (const std::string& text : legendOf(document).texts) EXPECT_EQ(text.find("left out"), std::string::npos) << text;
}

TEST(SvgWriterLegend, LabelsWithoutRoomAreLeftOutAndCounted) {
  // Ten figures on one spot: room for seven labels, above and below each
  // corner, beside the top edge on either side (a 6-character label is 4.4
  // units wide, the margin 5) and inside the top left corner.
  std::vector<elementC> lines(10, line(0, 0, 100, 50));
  const svgTestDocumentC document(writeSvg(figuresOf(lines), {}));
  EXPECT_PARSES(document);
  const pugi::xml_node labels = document.drawing().find_child_by_attribute("g", "id", "labels");
  const auto placed = static_cast<std::size_t>(std::distance(labels.children("text").begin(), labels.children("text").end()));
  EXPECT_EQ(placed, 7u);
  const legendTextsC legend = legendOf(document);
  ASSERT_GE(legend.texts.size(), 1u);
  EXPECT_EQ(legend.texts[0], "3 figure labels left out (no free room)");
}

TEST(SvgWriterLegend, FiguresAreLabelledAboveTheirTopLeftCorner) {
  sceneC scene = sceneOf({line(0, 0, 100, 50)});
  scene.groups[0].name = "Front view`~1";
  const svgTestDocumentC labelled(writeSvg(scene, {}));
  EXPECT_PARSES(labelled);
  const pugi::xml_node labels = labelled.drawing().find_child_by_attribute("g", "id", "labels");
  ASSERT_FALSE(labels.empty());
  const pugi::xml_node label = labels.child("text");
  EXPECT_STREQ(label.text().get(), "Front view");  // without the MI part number
  EXPECT_EQ(number(label, "x"), 0);
  EXPECT_LT(number(label, "y"), -50);  // above the top edge, in the unflipped viewport
  svgOptionsC options;
  options.labels = false;
  const svgTestDocumentC plain(writeSvg(scene, options));
  EXPECT_TRUE(plain.drawing().find_child_by_attribute("g", "id", "labels").empty());
}

// ---------------------------------------------------------------------------

// Deterministic picks from values at and past every edge of the range.
class hostileValuesC {
 public:
  double next() {
    static constexpr double values[] = {0, -0.0, 5e-324, 1e-250, 1e-12, 0.5, 1, 3, 360, 1e15, 1e99, 1e100,
                                        1e101, 1e300, std::numeric_limits<double>::max(), nan, infinity};
    const double value = values[pick(std::size(values))];
    return pick(2) == 0 ? value : -value;
  }
  std::size_t pick(std::size_t count) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::size_t>(state_ >> 33) % count;
  }

 private:
  unsigned long long state_ = 42;
};

TEST(SvgWriterRobustness, HostileScenesGiveWellFormedFiniteDocuments) {
  hostileValuesC values;
  std::size_t drawn = 0;
  for (int round = 0; round < 300; ++round) {
    sceneC scene;
    const std::size_t groups = values.pick(3);
    for (std::size_t g = 0; g < groups; ++g) scene.groups.push_back({std::string(1, static_cast<char>(values.pick(256))), g});
    const std::size_t styles = values.pick(3);
    for (std::size_t k = 0; k < styles; ++k) {
      scene.styles.push_back({std::string("L\xFF\x01") + std::to_string(k), static_cast<int>(values.pick(12)) - 2,
                              static_cast<int>(values.pick(7)) - 1, values.next(), values.pick(2) == 1});
    }
    for (int i = 0; i < 6; ++i) {
      elementC element;
      element.kind = static_cast<elementKind>(values.pick(4));
      element.a = {values.next(), values.next()};
      element.b = values.pick(2) == 0 ? element.a : pointC{values.next(), values.next()};
      element.centre = {values.next(), values.next()};
      element.radius = values.next();
      element.startAngle = values.next();
      element.endAngle = values.next();
      element.height = values.next();
      element.angle = values.next();
      element.relativePosition = static_cast<int>(values.pick(13)) - 2;
      std::string text;
      for (std::size_t c = values.pick(6); c > 0; --c) text += static_cast<char>(values.pick(256));
      element.text = std::move(text);
      element.group = values.pick(4);
      element.style = values.pick(4);
      scene.elements.push_back(element);
    }
    svgOptionsC options;
    options.title = std::string("T\x80\x00", 3);
    options.pixelSize = values.next();
    const std::string svg = writeSvg(scene, options);
    const svgTestDocumentC document(svg);
    EXPECT_PARSES(document) << "round " << round;
    const std::string lower = lowered(svg);
    EXPECT_EQ(lower.find("nan"), std::string::npos) << "round " << round;
    EXPECT_EQ(lower.find("inf"), std::string::npos) << "round " << round;
    const extentC view = drawingExtent(document);
    EXPECT_TRUE(std::isfinite(view.x) && std::isfinite(view.bottom)) << "round " << round;
    EXPECT_GT(view.width, 0) << "round " << round;
    EXPECT_GT(view.height, 0) << "round " << round;
    EXPECT_GT(number(document.drawing(), "width"), 0) << "round " << round;
    EXPECT_GT(number(document.drawing(), "height"), 0) << "round " << round;
    for (const char* tag : {"path", "text"}) drawn += document.drawn(tag).size();
  }
  std::cout << drawn << " elements drawn of 1800\n";
  EXPECT_GT(drawn, 50u);  // the picks reach the drawable cases too
}

#endif  // LORVANE_HAVE_PUGIXML

}  // namespace
}  // namespace lorvane::preview
