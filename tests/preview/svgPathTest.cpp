// Joining lines and arcs into paths on the document's grid, the style
// table, and the size of a large drawing's document.
#include <gtest/gtest.h>

#include "sceneElements.h"

#include <cmath>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "lorvane/preview/svgGrid.h"
#include "lorvane/preview/svgPath.h"
#include "lorvane/preview/svgStyles.h"
#include "lorvane/preview/svgWriter.h"

namespace lorvane::preview {
namespace {

using testing::arc;
using testing::line;




std::string pathOf(const std::vector<elementC>& elements, int decimals = 3) {
  const svg::gridC grid(decimals);
  svg::pathDataC path(grid);
  for (const elementC& element : elements) path.add(element);
  return path.data();
}

TEST(SvgGrid, NumbersAreWholeStepsWithoutExponentsOrSpareZeros) {
  const svg::gridC thousandths(3);
  std::string out;
  for (const double value : {0.0, 0.5, -0.25, 12.3456, -1200.0, 0.0004, -0.0005, 1e-7}) {
    thousandths.append(out, thousandths.steps(value));
    out += ' ';
  }
  EXPECT_EQ(out, "0 .5 -.25 12.346 -1200 0 -.001 0 ");
  const svg::gridC hundreds(-2);
  out.clear();
  hundreds.append(out, hundreds.steps(12345));
  EXPECT_EQ(out, "12300");
}

TEST(SvgGrid, TheStepFollowsTheFilesDigitsAndThePixel) {
  sceneC scene;
  scene.elements = {line(0, 0, 200, 100)};
  // Exact numbers (META2D): a hundredth of a 0.2 unit pixel, 0.002, gives
  // the grid 0.001.
  EXPECT_EQ(svg::gridC::forScene(scene, 0.2).decimals(), 3);
  // Six significant digits of 200 (MI): the file's last digit, 0.001, even
  // where a pixel would allow finer.
  scene.elements[0].error.b.x = 0.0005;
  EXPECT_EQ(svg::gridC::forScene(scene, 0.002).decimals(), 3);
  // Never coarser than a pixel.
  scene.elements[0].error.a.y = 50;
  EXPECT_EQ(svg::gridC::forScene(scene, 0.2).decimals(), 1);
}

TEST(SvgPath, AChainIsOneSubpathInRelativeSteps) {
  // Along the x axis, up a quarter arc about (3, 1), back left: one run.
  EXPECT_EQ(pathOf({line(1, 0, 3, 0), arc(3, 1, 1, 270, 360), line(4, 1, 4, 2), line(4, 2, 1, 2.5)}),
            "M1 0h2a1 1 0 0 1 1 1v1l-3 .5");
}

TEST(SvgPath, AnElementEndingAtThePenIsDrawnBackwards) {
  // The second arc is stored counter-clockwise from (0, -1) to (1, 0): drawn
  // on from (1, 0), it runs clockwise (sweep flag 0).
  EXPECT_EQ(pathOf({line(2, 0, 1, 0), arc(0, 0, 1, 270, 360)}), "M2 0h-1a1 1 0 0 0-1-1");
}

TEST(SvgPath, AGapStartsANewSubpathAndALoopIsClosed) {
  EXPECT_EQ(pathOf({line(0, 0, 1, 0), line(1, 0, 1, 1), line(1, 1, 0, 0), line(5, 5, 6, 5)}),
            "M0 0h1v1l-1-1zm5 5h1");
  // A step of the grid is no gap: arc ends computed from angles land beside
  // a line's end.
  EXPECT_EQ(pathOf({line(0, 0, 1, 0), line(1.0009, 0.0006, 2, 0)}), "M0 0h1h1");
}

TEST(SvgPath, ACircleIsAClosedPairOfHalfTurns) {
  elementC circle;
  circle.kind = elementKind::circle;
  circle.centre = {1, 2};
  circle.radius = 0.5;
  EXPECT_EQ(pathOf({circle, circle}), "M1.5 2a.5 .5 0 0 1-1 0a.5 .5 0 0 1 1 0za.5 .5 0 0 1-1 0a.5 .5 0 0 1 1 0z");
}

TEST(SvgWriterPaths, AStyleChangeEndsThePath) {
  sceneC scene;
  scene.groups.push_back({"part", 1});
  scene.styleIndex({"A", 7, 0, 1.0, false});
  scene.styleIndex({"B", 2, 1, 1.0, true});
  scene.elements = {line(0, 0, 100, 0), line(100, 0, 100, 50), line(100, 50, 0, 50)};
  scene.elements[2].style = 1;
  const std::string svg = writeSvg(scene, {});
  EXPECT_NE(svg.find("<path class=\"s0\" d=\"M0 0h100v50\"/>"), std::string::npos);
  EXPECT_NE(svg.find("<path class=\"s1\" d=\"M100 50h-100\"/>"), std::string::npos);
}

// Every META2D line kind and cut-out draws differently, and MI keeps its
// colours, widths and dashes by number.
TEST(SvgStyleTable, EveryLineKindLooksDifferent) {
  std::set<std::string> looks;
  std::size_t kinds = 0;
  for (const char* cutOut : {"visible", "cut-out hidden", "cut-out dash"}) {
    for (const int type : {-1, 1, 2, 3, 7}) {
      for (const int width : {1, 2}) {
        if (type == -1 && width == 2) continue;  // no type means no width record either
        styleC style{cutOut, -1, -1, 0, std::string(cutOut) != "visible", styleFamily::meta2d, type,
                     type == -1 ? -1 : width};
        const svg::lookC look = svg::lookOf(style);
        std::string key = std::string(look.colour) + " " + std::to_string(look.pixels);
        for (const double d : look.dash) key += " " + std::to_string(d);
        looks.insert(key);
        ++kinds;
      }
    }
  }
  // Type 1 and no type both draw continuous: the same look.
  EXPECT_EQ(looks.size(), kinds - 3);
  const svg::lookC contour = svg::lookOf({"visible", -1, -1, 0, false, styleFamily::meta2d, 1, 2});
  EXPECT_EQ(contour.pixels, 2);
  EXPECT_TRUE(contour.dash.empty());
  EXPECT_EQ(svg::styleName({"cut-out hidden", -1, -1, 0, true, styleFamily::meta2d, 3, 1}),
            "type 3, width 1, cut-out hidden");

  const svg::lookC axis = svg::lookOf({"Axis", 1, 3, 0.18, true});
  EXPECT_EQ(axis.colour, "#505050");
  EXPECT_NEAR(axis.pixels, 0.5, 1e-12);
  EXPECT_EQ(axis.dash.size(), 4u);
  EXPECT_EQ(svg::styleName({"", 2, 4, 0.25, true}), "long dash, width 0.25, colour 2");
}

// A drawing like the benchmarks' million items
// (tests/drawings/benchmarkDrawings.cpp), a tenth of it: lines, arcs, circles and texts over
// a sheet 50,000 units wide, style changes every 50 items. Before paths
// were joined, the META2D preview of the million items took 119.5 MB for
// 1,052,000 elements, 113 bytes each; a quarter of that is the bound.
TEST(SvgWriterSize, ALargeDrawingTakesAQuarterOfTheBytesPerElement) {
  sceneC scene;
  for (int g = 0; g < 10; ++g) scene.groups.push_back({"View " + std::to_string(g), 1});
  for (int s = 0; s < 3; ++s) scene.styleIndex({"visible", -1, -1, 0, false, styleFamily::meta2d, s + 1, s});
  for (int i = 0; i < 100000; ++i) {
    const double x = (i % 997) * 1.25 + (i / 10000) * 5000.0;
    const double y = (i % 101) * 0.75;
    elementC element;
    if (i % 10 < 6) {
      element = line(x, y, x + 3.5, y + 1.25);
    } else if (i % 10 < 8) {
      element = arc(x, y, 5, (i % 2) * 90.0, (i % 2) * 90.0 + 40);
    } else if (i % 10 == 8) {
      element.kind = elementKind::circle;
      element.centre = {x, y};
      element.radius = 2.5;
    } else {
      element.kind = elementKind::text;
      element.a = {x, y};
      element.height = 2.5;
      element.angle = (i % 4) * 90.0;
      element.text = "Pos " + std::to_string(i);
    }
    element.group = static_cast<std::size_t>(i / 10000);
    element.style = static_cast<std::size_t>(i / 50 % 3);
    scene.elements.push_back(element);
  }
  const double bytesPerElement = static_cast<double>(writeSvg(scene, {}).size()) / scene.elements.size();
  std::cout << bytesPerElement << " bytes per element\n";
  EXPECT_LE(bytesPerElement, 113.0 / 4);
}

}  // namespace
}  // namespace lorvane::preview
