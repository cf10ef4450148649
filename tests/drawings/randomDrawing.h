#pragma once
// Drawings in the text form made of random lines, arcs, circles, texts,
// ellipses and elliptic arcs, to hold lorvane check against drawings no one
// picked by hand. The same options give the same drawing on each run.
#include <cstddef>
#include <cstdint>
#include <string>

namespace lorvane::drawings {

struct randomDrawingOptionsC {
  std::size_t figures = 1;
  std::size_t itemsPerFigure = 100;
  std::uint64_t seed = 1;
  // Item coordinates and insert points lie within [-extent, extent].
  double extent = 1000;
};

std::string randomDrawingText(const randomDrawingOptionsC& options);

}  // namespace lorvane::drawings
