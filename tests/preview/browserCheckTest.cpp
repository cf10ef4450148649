// The bundled examples drawn by lorvane preview and shown by a real browser:
// headless Chromium takes a screenshot of each picture, whose pixels must
// show a drawing (neither empty nor a black or broken page), and the PNG
// form the tool paints itself must show the same picture. Skipped with a
// message where Chromium is not installed.
#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "processRunner.h"

namespace lorvane::testing {
namespace {

std::string scratch(const std::string& name) { return scratchPath(name); }

std::string example(const std::string& name) { return std::string(LORVANE_EXAMPLES_DIR) + "/" + name + ".mt"; }

std::string tool() { return quoted(LORVANE_TOOL_PATH) + " --module " + quoted(LORVANE_PLUGIN_PATH); }

bool installed(const std::string& program) { return runProcess(program + " --version").exitCode == 0; }

struct pictureC {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<unsigned char> rgb;
};

bool readPng(const std::string& path, pictureC& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  picture.width = image.width;
  picture.height = image.height;
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  return png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr) != 0;
}

struct statisticsC {
  double inked = 0;  // share of pixels that are not near white
  std::size_t colours = 0;  // distinct colours among them, in steps of 32
};

statisticsC statisticsOf(const pictureC& picture) {
  std::size_t inked = 0;
  std::set<int> colours;
  for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
    const int r = picture.rgb[i], g = picture.rgb[i + 1], b = picture.rgb[i + 2];
    if (r > 235 && g > 235 && b > 235) continue;
    ++inked;
    // Strongly coloured pixels only: the grey edges of black lines are not
    // colours of their own.
    if (std::max({r, g, b}) - std::min({r, g, b}) > 60) colours.insert((r / 64) * 16 + (g / 64) * 4 + b / 64);
  }
  return {static_cast<double>(inked) / static_cast<double>(picture.rgb.size() / 3), colours.size()};
}

// The document's own pixel size, from its root element.
bool pixelSize(const std::string& svg, int& width, int& height) {
  const std::size_t root = svg.find("<svg ");
  const std::size_t w = svg.find(" width=\"", root);
  const std::size_t h = svg.find(" height=\"", root);
  if (root == std::string::npos || w == std::string::npos || h == std::string::npos) return false;
  width = std::atoi(svg.c_str() + w + 8);
  height = std::atoi(svg.c_str() + h + 9);
  return width > 0 && height > 0;
}

// The SVG picture of a drawing as Chromium shows it, at the document's own
// pixel size.
pictureC screenshotPictureOf(const std::string& input, const std::string& name, const std::string& via) {
  const std::string svg = scratch(name + "_" + via + ".svg");
  const std::string png = scratch(name + "_" + via + ".png");
  const processResultC drawn =
      runProcess(tool() + " preview --via " + via + " -o " + quoted(svg) + " " + quoted(input));
  EXPECT_EQ(drawn.exitCode, 0) << drawn.err;
  int width = 0;
  int height = 0;
  EXPECT_TRUE(pixelSize(fileContents(svg), width, height)) << svg;
  std::remove(png.c_str());
  const processResultC shown = runProcess(
      "chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --user-data-dir=" +
      quoted(scratch("profile")) + " --window-size=" + std::to_string(width) + "," + std::to_string(height) +
      " --screenshot=" + quoted(png) + " " + quoted("file://" + svg));
  EXPECT_EQ(shown.exitCode, 0) << shown.err;
  pictureC picture;
  EXPECT_TRUE(readPng(png, picture)) << png;
  EXPECT_EQ(picture.width, static_cast<unsigned>(width));
  return picture;
}

pictureC screenshotPicture(const std::string& name, const std::string& via) {
  return screenshotPictureOf(example(name), name, via);
}

statisticsC screenshot(const std::string& name, const std::string& via) {
  return statisticsOf(screenshotPicture(name, via));
}

TEST(Browser, ShowsEveryExampleThroughBothFormats) {
  if (!installed("chromium")) GTEST_SKIP() << "Chromium is not installed (Debian: apt-get install chromium)";
  for (const char* name : {"bracket", "washer"}) {
    const statisticsC meta2d = screenshot(name, "META2D");
    // Thin lines, texts and the legend on white: some ink, mostly paper.
    EXPECT_GT(meta2d.inked, 0.01) << name;
    EXPECT_LT(meta2d.inked, 0.25) << name;
    const statisticsC mi = screenshot(name, "MI");
    EXPECT_GT(mi.inked, 0.01) << name;
    EXPECT_LT(mi.inked, 0.25) << name;
  }
  // The bracket's MI layers have colours of their own; its META2D cut-outs
  // are grey and blue.
  EXPECT_GE(screenshot("bracket", "MI").colours, 4u);
  EXPECT_GE(screenshot("bracket", "META2D").colours, 1u);
}

bool inkedAt(const pictureC& picture, long x, long y) {
  if (x < 0 || y < 0 || x >= static_cast<long>(picture.width) || y >= static_cast<long>(picture.height)) return false;
  const std::size_t i = (static_cast<std::size_t>(y) * picture.width + static_cast<std::size_t>(x)) * 3;
  return picture.rgb[i] < 200 || picture.rgb[i + 1] < 200 || picture.rgb[i + 2] < 200;
}

// The share of the inked pixels of one picture that have no inked pixel of
// the other within two pixels: fonts and smoothing differ a little between
// renderers, the places of lines and texts must not.
double unmatchedInk(const pictureC& one, const pictureC& other) {
  std::size_t inked = 0;
  std::size_t unmatched = 0;
  for (long y = 0; y < static_cast<long>(one.height); ++y) {
    for (long x = 0; x < static_cast<long>(one.width); ++x) {
      if (!inkedAt(one, x, y)) continue;
      ++inked;
      bool near = false;
      for (long dy = -2; dy <= 2 && !near; ++dy) {
        for (long dx = -2; dx <= 2 && !near; ++dx) near = inkedAt(other, x + dx, y + dy);
      }
      if (!near) ++unmatched;
    }
  }
  return inked == 0 ? 1.0 : static_cast<double>(unmatched) / static_cast<double>(inked);
}

#ifdef LORVANE_PNG_PREVIEW

// The tool's PNG of a drawing against Chromium's view of its SVG.
void expectTheSamePicture(const std::string& input, const std::string& name, const std::string& via) {
  const std::string png = scratch(name + "_drawn_" + via + ".png");
  const processResultC r =
      runProcess(tool() + " preview --via " + via + " -o " + quoted(png) + " " + quoted(input));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  pictureC drawn;
  ASSERT_TRUE(readPng(png, drawn));
  const pictureC shown = screenshotPictureOf(input, name, via);
  EXPECT_EQ(drawn.width, shown.width);
  EXPECT_EQ(drawn.height, shown.height);
  EXPECT_GT(statisticsOf(drawn).inked, 0.01);
  EXPECT_LT(unmatchedInk(drawn, shown), 0.03) << name << " " << via;
  EXPECT_LT(unmatchedInk(shown, drawn), 0.03) << name << " " << via;
}

TEST(Browser, PngOutputIsThePictureTheBrowserShows) {
  if (!installed("chromium")) GTEST_SKIP() << "Chromium is not installed (Debian: apt-get install chromium)";
  for (const char* via : {"META2D", "MI"}) expectTheSamePicture(example("bracket"), "bracket", via);
}

TEST(Browser, AnArcAboutAFarCentreIsPaintedWhereItLies) {
  if (!installed("chromium")) GTEST_SKIP() << "Chromium is not installed (Debian: apt-get install chromium)";
  // Its radius, about 1.25e9 units, is some 1e10 pixels: beyond cairo's
  // fixed-point coordinates.
  const std::string input = scratch("far_arc.mt");
  std::ofstream(input) << "FIGURE{NAME{\"far\"} FIGURITEMS{LINE{POINT{0,10} POINT{100,10}} "
                          "ARC{POINT{0,0} POINT{50,0.000001} POINT{100,0}}}}\n";
  expectTheSamePicture(input, "far_arc", "META2D");
}

TEST(Browser, PngWidthIsTheOneAsked) {
  const std::string png = scratch("washer_640.png");
  const processResultC r =
      runProcess(tool() + " preview --width 640 -o " + quoted(png) + " " + quoted(example("washer")));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  pictureC picture;
  ASSERT_TRUE(readPng(png, picture));
  EXPECT_EQ(picture.width, 640u);
  // The washer is taller than wide: its legend lies beside it, scaled
  // along with it.
  EXPECT_LT(picture.height, 640u);
  EXPECT_GT(statisticsOf(picture).inked, 0.01);
}

#else

TEST(Browser, PngOutputSaysThatThisBuildHasNone) {
  const processResultC r =
      runProcess(tool() + " preview -o " + quoted(scratch("washer.png")) + " " + quoted(example("washer")));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("built without cairo"), std::string::npos) << r.err;
}

#endif

}  // namespace
}  // namespace lorvane::testing
