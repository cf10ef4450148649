#pragma once
// The decimal grid that coordinates are printed on: a power of ten in
// drawing units, chosen per document. Points are taken to whole grid steps,
// so that relative path data is a difference of integers: it adds up to
// exactly the printed absolute positions, however long a path runs.
#include <cstdint>
#include <string>

#include "lorvane/preview/scene.h"

namespace lorvane::preview::svg {

class gridC {
 public:
  // The grid of a scene drawn at unitsPerPixel drawing units per screen
  // pixel. Its step is the coarser of
  // - the last digit the file printed of its largest numbers (twice the
  //   largest element precision: MI's six significant digits), since finer
  //   digits would show nothing the file holds, and
  // - a hundredth of a screen pixel at the drawn size, which keeps every
  //   point exact on screen and within a tenth of a pixel in a browser
  //   zoomed ten times (META2D prints 22 decimals, far more than any
  //   screen shows; each further digit would only make large drawings
  //   larger),
  // but never coarser than one pixel, and coarse enough that the largest
  // coordinate has at most 15 digits on the grid.
  static gridC forScene(const sceneC& scene, double unitsPerPixel);

  explicit gridC(int decimals);

  // Decimal places of the step (negative for steps of 10 and more).
  int decimals() const { return decimals_; }
  double step() const;

  // The nearest grid point of a coordinate in steps. The coordinate must be
  // drawable (finite, within the drawable limit) and the grid forScene's.
  std::int64_t steps(double value) const;

  // A number of steps as a decimal number: no exponent, no trailing zeros,
  // no zero before the point (".5", "-.25").
  void append(std::string& out, std::int64_t steps) const;

 private:
  int decimals_ = 0;
  double scale_ = 1;  // 10^decimals, or 10^-decimals to divide by
  bool divide_ = false;
};

}  // namespace lorvane::preview::svg
