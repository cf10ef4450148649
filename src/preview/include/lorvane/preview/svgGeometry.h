#pragma once
// What of a scene can be drawn, and where it lies: the extent that the
// document's view box is fitted to, and the layout of text blocks.
#include <cstddef>
#include <limits>
#include <string>
#include <vector>

#include "lorvane/preview/scene.h"

namespace lorvane::preview::svg {

// Coordinates, radii and heights beyond this magnitude are not drawn: their
// sums and products would leave the range of doubles.
constexpr double drawableLimit = 1e100;

// Whether an element has finite coordinates within the limit, a positive
// radius or height, and (a text) some text.
bool isDrawable(const elementC& element);

struct boxC {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  bool empty() const { return !(minX <= maxX && minY <= maxY); }
  void add(double x, double y);
};

// The counter-clockwise sweep of an arc in degrees, in (0, 360] for an arc
// of less than a full turn; 360 or more is a full turn. An end angle at or
// before the start is read as the same direction one turn on.
double arcSweep(const elementC& arc);

// Sine and cosine of an angle in degrees, exact at multiples of 90 and the
// same on every platform (no library trigonometry).
void sinCosDegrees(double degrees, double& sine, double& cosine);

// A text block as drawn: its lines, where the first baseline lies and how
// the lines are anchored, all in the text's own frame (y down, origin at the
// text point, before rotation).
struct textLayoutC {
  std::vector<std::string> lines;  // clean UTF-8
  std::size_t longestLine = 0;     // characters
  int column = 0;                  // 0 left (start), 1 centre (middle), 2 right (end)
  double firstBaseline = 0;        // y of the first line's baseline
  double pitch = 0;                // distance of successive baselines
  double blockTop = 0;             // y of the block's top edge
  double blockHeight = 0;
  double blockWidth = 0;  // estimated from the longest line
};

// The text height is taken as the height of a line's glyph box, a character
// as 0.6 heights wide and the line pitch as 1.4 heights.
constexpr double characterWidthPerHeight = 0.6;
constexpr double linePitchPerHeight = 1.4;

textLayoutC layoutText(const elementC& text);

// Grows the box by everything an element covers. The element must be
// drawable.
void addExtent(boxC& box, const elementC& element);

}  // namespace lorvane::preview::svg
