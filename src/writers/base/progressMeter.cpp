#include "lorvane/writers/progressMeter.h"

#include <algorithm>
#include <cmath>

namespace lorvane {

void progressMeterC::beginPhase(double from, double to, std::uint64_t steps) {
  from_ = from;
  to_ = to;
  steps_ = steps;
  done_ = 0;
  // At least one report for every hundredth of the steps.
  stride_ = std::max<std::uint64_t>(1, steps / 100);
  next_ = detailed_ ? stride_ : std::numeric_limits<std::uint64_t>::max();
}

void progressMeterC::report() {
  const std::uint64_t done = std::min(done_, steps_);
  // (done + 1) / (steps + 2) stays strictly inside (0, 1), so the phase's
  // ends, and with them 0 and 100, are left to the writer's own two calls.
  double percent = from_ + (to_ - from_) * (static_cast<double>(done) + 1.0) / (static_cast<double>(steps_) + 2.0);
  percent = std::clamp(percent, std::nextafter(0.0, 1.0), std::nextafter(100.0, 0.0));
  percent = std::max(percent, last_);
  last_ = percent;
  next_ = done_ + stride_;
  callback_(percent, "");
}

}  // namespace lorvane
