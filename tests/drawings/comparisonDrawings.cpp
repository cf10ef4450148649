#include "comparisonDrawings.h"

#include <cstdint>
#include <cstdlib>

namespace lorvane::drawings {
namespace {

const char* const kAngles[] = {"0", "90", "180", "270", "30", "45", "60", "135", "-90", "12.5", "33.333", "359.9", "-17.25"};
constexpr std::int64_t kAngleCount = sizeof kAngles / sizeof kAngles[0];

const char* const kMe10Settings =
    "\tSETTINGS{ME10SETTINGS{\n"
    "\t\tME10LAYERLIST{ME10LAYER{\"0\"} ME10LAYER{\"Contour\"} ME10LAYER{\"Thin\"} ME10LAYER{\"Hidden\"} "
    "ME10LAYER{\"Axis\"} ME10LAYER{\"Dim\"}}\n"
    "\t\tME10LWIDTHLIST{ME10LWIDTH{0.25} ME10LWIDTH{0.7} ME10LWIDTH{0.35} ME10LWIDTH{0.18} ME10LWIDTH{0.13} "
    "ME10LWIDTH{1.4}}\n"
    "\t\tME10LCOLORLIST{ME10LCOLOR{7} ME10LCOLOR{1} ME10LCOLOR{3} ME10LCOLOR{4} ME10LCOLOR{2} ME10LCOLOR{6}}\n"
    "\t}}\n";

const char* const kDegenerateItems =
    "\t\t\t\tLINE{POINT{5,5} POINT{5,5}}\n"
    "\t\t\t\tARC{POINT{0,0} POINT{10,10} POINT{20,20}}\n"
    "\t\t\t\tCIRCLE{POINT{3,4} RAD{0}}\n"
    "\t\t\t\tELLIPSE{POINT{1,1} RAD1{10} RAD2{0} ANGLE{0}}\n";

// A fixed linear congruential sequence: each draw takes the well mixed upper
// 15 bits of two steps.
class sequenceC {
public:
  explicit sequenceC(std::int64_t seed) : seed_(seed) {}
  // One of 0 .. n-1 (n up to 2^30).
  std::int64_t below(std::int64_t n) {
    const std::int64_t high = step() / 65536;
    return (high * 32768 + step() / 65536) % n;
  }
  // A decimal with three places between the integers low and high.
  std::string decimal(std::int64_t low, std::int64_t high) {
    return milliText(low * 1000 + below((high - low) * 1000 + 1));
  }
  std::string point() {
    const std::string x = decimal(-200, 200);
    return "POINT{" + x + "," + decimal(-150, 150) + "}";
  }

  // The text of a number given in thousandths: -12345 is "-12.345".
  static std::string milliText(std::int64_t milli) {
    const std::int64_t magnitude = std::llabs(milli);
    std::string fraction = std::to_string(magnitude % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    // Appended piece by piece: GCC 12 at -O3 takes a text prepended to a
    // temporary string for an overlapping copy (-Wrestrict).
    std::string text = milli < 0 ? "-" : "";
    text += std::to_string(magnitude / 1000);
    text += '.';
    text += fraction;
    return text;
  }

private:
  std::int64_t step() { return seed_ = (seed_ * 1103515245 + 12345) % 2147483648; }
  std::int64_t seed_;
};

// Three points well apart from a line: the arc through them.
std::string arcThroughThreePoints(sequenceC& random) {
  std::int64_t v[6];
  for (;;) {
    for (std::int64_t& c : v) c = random.below(300000);
    const std::int64_t cross = (v[2] - v[0]) * (v[5] - v[1]) - (v[3] - v[1]) * (v[4] - v[0]);
    if (std::llabs(cross) > 5000000000) break;
  }
  std::string text = "ARC{";
  for (int i = 0; i < 6; i += 2) {
    if (i > 0) text += " ";
    text += "POINT{" + sequenceC::milliText(v[i] - 150000) + "," + sequenceC::milliText(v[i + 1] - 150000) + "}";
  }
  return text + "}";
}

// An interpolated curve: points running left to right, up and down.
std::string interpolatedCurve(sequenceC& random) {
  const std::int64_t n = random.below(6) + 3;
  std::int64_t x = -random.below(150000);
  std::string text = "ICRV2D{";
  for (std::int64_t k = 0; k < n; ++k) {
    const std::string y = random.decimal(-40, 40);
    text += " POINT{" + sequenceC::milliText(x) + "," + y + "}";
    x += 5000 + random.below(20000);
  }
  return text + "}";
}

std::string item(sequenceC& random, int drawing, int figure, std::int64_t number) {
  const std::int64_t shape = random.below(20);
  if (shape < 6) {
    const std::string p = random.point();
    return "LINE{" + p + " " + random.point() + "}";
  }
  if (shape < 9) return arcThroughThreePoints(random);
  if (shape < 11) {
    const std::string p = random.point();
    return "CIRCLE{" + p + " RAD{" + random.decimal(1, 60) + "}}";
  }
  if (shape < 15) {
    const bool partial = shape >= 13;
    std::string text = (partial ? "ELLIPSEARC{" : "ELLIPSE{") + random.point();
    text += " RAD1{" + random.decimal(5, 50) + "}";
    text += " RAD2{" + random.decimal(2, 30) + "}";
    text += " ANGLE{" + (partial ? random.decimal(0, 90) : random.decimal(-90, 180)) + "}";
    if (partial) {
      text += " ANGLE1{" + random.decimal(0, 359) + "}";
      text += " ANGLE2{" + random.decimal(0, 359) + "}";
    }
    return text + "}";
  }
  if (shape < 17) return interpolatedCurve(random);
  if (shape < 19) {
    const std::string p = random.point();
    const std::string height = random.decimal(1, 8);
    const char* angle = kAngles[random.below(kAngleCount)];
    const std::int64_t position = random.below(9) + 1;
    // A line feed in the text form: every third text has two lines.
    const std::string words = random.below(3) == 0
                                  ? "Line " + std::to_string(number) + "\\nsecond line " + std::to_string(figure)
                                  : "Text " + std::to_string(drawing) + "-" + std::to_string(figure) + "-" +
                                        std::to_string(number);
    return "TEXT{" + p + " TEXT{\"" + words + "\"} HEIGHT{" + height + "} ANGLE{" + angle + "} TEXTRELPOS{" +
           std::to_string(position) + "}}";
  }
  const std::int64_t width = random.below(3) + 1;
  const std::int64_t type = random.below(4) + 1;
  const std::int64_t lineType = random.below(7) + 1;
  const std::int64_t cosmetic = random.below(2);
  return "SHAPEATTR{SHAPEWIDTH{" + std::to_string(width) + "} SHAPETYP{" + std::to_string(type) + "} METALINETYPE{" +
         std::to_string(lineType) + "} COSMETIC{" + std::to_string(cosmetic) + "}}";
}

void appendFigure(std::string& text, sequenceC& random, int drawing, int figure) {
  const char* rotation = kAngles[random.below(kAngleCount)];
  const std::string insert = random.point();
  const std::string name = std::to_string(drawing) + "." + std::to_string(figure);
  text += "\t\tFIGURE{\n\t\t\tNAME{\"View " + name + "\"}\n\t\t\tSHORTNAME{\"V" + std::to_string(figure) +
          "\"}\n\t\t\tANSICHTNO{" + std::to_string(figure - 2) + "}\n";
  switch ((drawing + figure) % 4) {
    case 0:
      text += "\t\t\tGROUP{\"YES\"}\n\t\t\tMIDENT{\"{GEN-" + std::to_string(drawing) + "},{L=" + std::to_string(figure) +
              "},{W=7.5},{T?}\"}\n";
      break;
    case 1: text += "\t\t\tCUTOUT{HIDDEN{\"YES\"}}\n\t\t\tMIDENT{\"{GEN},003 {a=1},{b=2},{c=3}\"}\n"; break;
    case 2: text += "\t\t\tCUTOUT{DASH{\"YES\"}}\n"; break;
    default: break;
  }
  text += "\t\t\tINSERTPOINT{" + insert + " ROTATION{" + rotation + "}}\n\t\t\tFIGURITEMS{\n";
  const std::int64_t items = random.below(40) + 30;
  for (std::int64_t n = 1; n <= items; ++n) text += "\t\t\t\t" + item(random, drawing, figure, n) + "\n";
  if (figure == 1) text += kDegenerateItems;
  text += "\t\t\t}\n\t\t}\n";
}

}  // namespace

std::string comparisonDrawingText(int number) {
  sequenceC random(static_cast<std::int64_t>(number) * 7919 + 17);
  std::string text = "DRAWING{\n\tNAME{\"Generated " + std::to_string(number) + "\"}\n";
  // Every other drawing carries ME10 settings.
  if (number % 2 == 1) text += kMe10Settings;
  text += "\tDRAWINGITEMS{\n";
  const int figures = 2 + number % 3;
  for (int figure = 1; figure <= figures; ++figure) appendFigure(text, random, number, figure);
  return text + "\t}\n}\n";
}

}  // namespace lorvane::drawings
