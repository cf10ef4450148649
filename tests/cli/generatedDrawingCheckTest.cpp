// lorvane check on a random drawing: lines, arcs, circles, texts and
// ellipses at coordinates in the thousands, placed by random insert points
// and rotations, agree within what each file prints; a point moved in the MI
// file beyond that does not. The lines and arcs each file makes of an
// ellipse follow the ellipse, though the two files fit it in other frames.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "processRunner.h"
#include "randomDrawing.h"

namespace lorvane::testing {
namespace {

std::string tool() { return quoted(LORVANE_TOOL_PATH); }
std::string scratch(const std::string& name) { return scratchPath(name); }

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t at = 0;
  for (std::size_t end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    out.push_back(text.substr(at, end - at));
  }
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

// One unit of the sixth significant digit of a number MI prints without an
// exponent: 1 for 123456, 0.001 for 123.456 and for 100, 1e-8 for 0.00123.
double sixthDigitUnit(const std::string& printed) {
  const std::size_t first = printed.find_first_of("123456789");
  const std::size_t point = printed.find('.') == std::string::npos ? printed.size() : printed.find('.');
  const int place = first < point ? static_cast<int>(point - first) - 1 : -static_cast<int>(first - point);
  return std::pow(10.0, place - 5);
}

// Two figures of 300 items within 3000 of their insert points; its path.
std::string generatedDrawing() {
  drawings::randomDrawingOptionsC options;
  options.figures = 2;
  options.itemsPerFigure = 300;
  options.seed = 45;
  options.extent = 3000;
  const std::string path = scratch("drawing.mt");
  writeFileBytes(path, drawings::randomDrawingText(options));
  return path;
}

TEST(GeneratedDrawingCheck, BothFilesAgreeWithTheDrawing) {
  const std::string drawing = generatedDrawing();
  const processResultC r = runProcess(tool() + " check " + quoted(drawing));
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("META2D agrees with the drawing"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("MI     agrees with the drawing"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("both files approximate the other shapes within the fitting tolerance"), std::string::npos)
      << r.out;
}

TEST(GeneratedDrawingCheck, APointMovedBeyondItsPrintedPrecisionIsReported) {
  const std::string drawing = generatedDrawing();
  const std::string mi = scratch("moved.mi");
  ASSERT_EQ(runProcess(tool() + " convert -q -f MI -o " + quoted(mi) + " " + quoted(drawing)).exitCode, 0);
  std::vector<std::string> file = lines(fileContents(mi));
  // The first part's position: "ASSE", number, "1", "1", name, "1", x.
  std::size_t asse = 0;
  while (asse < file.size() && file[asse] != "ASSE") ++asse;
  ASSERT_LT(asse + 6, file.size());
  const double positionUnit = sixthDigitUnit(file[asse + 6]);
  // The first point of the part whose x has three integer digits or more:
  // "P", number, x.
  std::size_t x = 0;
  for (std::size_t i = 0; i + 2 < file.size() && !x; ++i) {
    const std::string& v = file[i + 2];
    if (file[i] == "P" && v.find('e') == std::string::npos && std::fabs(std::stod(v)) >= 100) x = i + 2;
  }
  ASSERT_GT(x, 0u);
  // Printed, x and the position may each be half a unit of their sixth
  // digit off the drawing, in either direction. Moved towards zero by twice
  // that and one unit more (a whole number of units, so six digits print it
  // exactly), x lies at least one unit beyond what the check allows.
  const double value = std::stod(file[x]);
  const double unit = sixthDigitUnit(file[x]);
  const double allowance = unit / 2 + positionUnit / 2;
  const double move = unit * std::ceil((2 * allowance + unit) / unit);
  char moved[32];
  std::snprintf(moved, sizeof moved, "%.6g", value - std::copysign(move, value));
  ASSERT_NEAR(std::fabs(std::stod(moved) - value), move, unit / 100) << file[x] << " -> " << moved;
  file[x] = moved;
  writeFileBytes(mi, joined(file));

  const processResultC r = runProcess(tool() + " check --mi " + quoted(mi) + " " + quoted(drawing));
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("MI     differs in figure \"Figure 1\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("META2D agrees with the drawing"), std::string::npos) << r.out;
}

// A thin ellipse far from the origin (from random drawing 12 at extent
// 10,000): META2D fits it placed, MI turned and moved afterwards, and their
// lines end at other samples of it.
std::string thinEllipse() {
  const std::string path = scratch("thin.mt");
  writeFileBytes(path,
                 "DRAWING{NAME{\"s12\"} DRAWINGITEMS{FIGURE{NAME{\"Figure 3\"} INSERTPOINT{"
                 "POINT{-2486.840155222314,-8459.075825583313} ROTATION{213.72882167936353}} FIGURITEMS{"
                 "ELLIPSE{POINT{7957.906536751125,2011.142997804005} RAD1{0.10914982831789742} "
                 "RAD2{4.94311353530215} ANGLE{214.13010422899248}}}}}}");
  return path;
}

// Moves a printed number by one unit: its last digit before the point
// down by one, or up from 0.
void moveByOne(std::string& number) {
  const std::size_t point = number.find('.');
  ASSERT_TRUE(point != std::string::npos && point > 0) << number;
  char& units = number[point - 1];
  units = units == '0' ? '1' : static_cast<char>(units - 1);
}

TEST(GeneratedDrawingCheck, EachFilesApproximationFollowsTheShape) {
  const processResultC r = runProcess(tool() + " check " + quoted(thinEllipse()));
  EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("both files approximate the other shapes within the fitting tolerance"), std::string::npos)
      << r.out;
}

TEST(GeneratedDrawingCheck, AnApproximatingPointMovedByOneUnitIsReported) {
  const std::string drawing = thinEllipse();
  const std::string krv = scratch("moved.krv"), mi = scratch("moved.mi");
  ASSERT_EQ(runProcess(tool() + " convert -q -f META -o " + quoted(krv) + " " + quoted(drawing)).exitCode, 0);
  ASSERT_EQ(runProcess(tool() + " convert -q -f MI -o " + quoted(mi) + " " + quoted(drawing)).exitCode, 0);

  // META2D: the end of the ellipse's second line, "100 x1 y1 x2 y2".
  std::vector<std::string> file = lines(fileContents(krv));
  std::size_t records = 0, second = 0;
  for (std::size_t i = 0; i < file.size() && !second; ++i) {
    if (file[i].rfind("100 ", 0) == 0 && ++records == 2) second = i;
  }
  ASSERT_GT(second, 0u);
  std::string& record = file[second];
  std::size_t x2 = 0;
  for (int field = 0; field < 3; ++field) x2 = record.find(' ', x2) + 1;
  std::string value = record.substr(x2, record.find(' ', x2) - x2);
  moveByOne(value);
  record.replace(x2, value.size(), value);
  writeFileBytes(krv, joined(file));
  processResultC r = runProcess(tool() + " check --meta2d " + quoted(krv) + " " + quoted(drawing));
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("the META2D approximations differ from the shape in figure \"Figure 3\""), std::string::npos)
      << r.out;

  // MI: the fifth point of the part, "P", number, x, y; both lines through
  // it move with it.
  file = lines(fileContents(mi));
  std::size_t points = 0, fifth = 0;
  for (std::size_t i = 0; i + 3 < file.size() && !fifth; ++i) {
    if (file[i] == "P" && ++points == 5) fifth = i + 2;
  }
  ASSERT_GT(fifth, 0u);
  moveByOne(file[fifth]);
  writeFileBytes(mi, joined(file));
  r = runProcess(tool() + " check --mi " + quoted(mi) + " " + quoted(drawing));
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("the MI approximations differ from the shape in figure \"Figure 3\""), std::string::npos)
      << r.out;
}

}  // namespace
}  // namespace lorvane::testing
