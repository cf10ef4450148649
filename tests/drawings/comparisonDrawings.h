#pragma once
// Drawings in the text form for comparing the output of two builds (the
// Windows build's with the Linux build's): pseudo-random but the same on
// every run and platform, with every kind of item the writers handle,
// figures turned by round and by odd angles, ME10 settings, table
// identifications, texts of several lines, and a few degenerate items (a line
// of no length, an arc through three points on a line, a circle and an
// ellipse of radius 0). Numbers are written with three decimals, so both
// builds read the same values.
#include <string>

namespace lorvane::drawings {

// Drawing `number` (1, 2, ...) of the series.
std::string comparisonDrawingText(int number);

}  // namespace lorvane::drawings
