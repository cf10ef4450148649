#pragma once
#include <cstdint>
#include <limits>

#include "lorvane/interface/lorvanePlugin.h"

namespace lorvane {

// Intermediate progress of one conversion, for a host that asks for it. The
// writer divides its work into phases, each a share of the range from 0 to
// 100 and a number of steps; it calls step() once for each step and mark()
// at the start of each figure. The percentages reported lie strictly between
// 0 and 100 and never decrease. A meter that was not asked for never calls
// the callback, and its step() is one counter compare.
class progressMeterC {
public:
  progressMeterC(lorvaneProgressCallback callback, bool detailed) : callback_(callback), detailed_(detailed && callback) {}

  // The next phase: from `from` to `to` percent in `steps` steps.
  void beginPhase(double from, double to, std::uint64_t steps);
  void step() {
    if (++done_ >= next_) report();
  }
  void mark() {
    if (detailed_) report();
  }
  bool detailed() const { return detailed_; }

private:
  void report();

  lorvaneProgressCallback callback_;
  bool detailed_;
  double from_ = 0.0;
  double to_ = 0.0;
  double last_ = 0.0;
  std::uint64_t steps_ = 0;
  std::uint64_t done_ = 0;
  std::uint64_t stride_ = 1;
  std::uint64_t next_ = std::numeric_limits<std::uint64_t>::max();
};

}  // namespace lorvane
