#include "writers/me10/pointGridIndex.h"

#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace lorvane {
namespace {

// Cells are 2^-29 (about 1.9e-9) wide. The width is a power of two so that a
// coordinate's cell number, floor(v * kCellsPerUnit), is computed without
// rounding; it is wide enough that a tolerance interval spans at most two
// cells, and narrow enough that a cell holds only a few hundred points that
// do not coincide with one another, however the points are chosen.
constexpr double kCellsPerUnit = 0x1p29;
// From here on the gap between neighbouring doubles (2^-20) is far above the
// tolerance, so only an equal coordinate can coincide. Cell numbers stay
// below 2^61 in magnitude.
constexpr double kGridLimit = 0x1p32;
// Reach of a query around its coordinate: above the tolerance plus the
// rounding of the difference that the coincidence test computes.
constexpr double kReach = 2e-10;

std::uint64_t mix(std::uint64_t z) {
  z ^= z >> 30;
  z *= 0xbf58476d1ce4e5b9ULL;
  z ^= z >> 27;
  z *= 0x94d049bb133111ebULL;
  z ^= z >> 31;
  return z;
}

std::uint64_t cellNumber(double v) {
  return static_cast<std::uint64_t>(static_cast<std::int64_t>(std::floor(v * kCellsPerUnit)));
}

bool isFinite(const ME10Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

pointGridIndexC::axisKeyC pointGridIndexC::axisKey(double v) {
  if (std::fabs(v) < kGridLimit) return {cellNumber(v), false};
  return {std::bit_cast<std::uint64_t>(v), true};
}

pointGridIndexC::axisRangeC pointGridIndexC::axisRange(double v) {
  if (std::fabs(v) >= kGridLimit) return {{std::bit_cast<std::uint64_t>(v), true}, false};
  // Rounding is monotonic, so every double within reach of v lies between
  // these two rounded bounds, and its cell between their cells.
  const std::uint64_t low = cellNumber(v - kReach);
  const std::uint64_t high = cellNumber(v + kReach);
  return {{low, false}, high != low};
}

std::uint64_t pointGridIndexC::hash(const cellKeyC& key) {
  const std::uint64_t x = key.x.code ^ (key.x.exact ? 0x9e3779b97f4a7c15ULL : 0);
  const std::uint64_t y = key.y.code ^ (key.y.exact ? 0xc2b2ae3d27d4eb4fULL : 0);
  return mix(mix(x) + y);
}

bool pointGridIndexC::sameKey(const cellKeyC& a, const cellKeyC& b) {
  return a.x.code == b.x.code && a.x.exact == b.x.exact && a.y.code == b.y.code && a.y.exact == b.y.exact;
}

std::size_t pointGridIndexC::locate(const cellKeyC& key, std::uint64_t h) const {
  const std::size_t mask = slots_.size() - 1;
  const auto tag = static_cast<std::uint32_t>(h >> 32);
  std::size_t at = static_cast<std::size_t>(h) & mask;
  // A cell's key is that of its first point, so slots need not store it.
  while (slots_[at].head != kNone) {
    const slotC& slot = slots_[at];
    if (slot.tag == tag && sameKey(cellKey(points_[static_cast<std::size_t>(slot.head)]), key)) return at;
    at = (at + 1) & mask;
  }
  return at;
}

std::int32_t pointGridIndexC::firstInCell(const cellKeyC& key, const ME10Point& p, std::int32_t below) const {
  const slotC& slot = slots_[locate(key, hash(key))];
  // The chain runs in insertion order: its first coincident point is the
  // cell's answer, and nothing from `below` on can improve on another cell's.
  for (std::int32_t at = slot.head; at != kNone && at < below; at = next_[static_cast<std::size_t>(at)]) {
    if (coincide(points_[static_cast<std::size_t>(at)], p)) return at;
  }
  return kNone;
}

std::int32_t pointGridIndexC::search(const ME10Point& p) const {
  if (slots_.empty() || !isFinite(p)) return kNone;
  const axisRangeC xs = axisRange(p.x);
  const axisRangeC ys = axisRange(p.y);
  std::int32_t best = std::numeric_limits<std::int32_t>::max();
  for (std::uint64_t i = 0; i <= (xs.two ? 1u : 0u); ++i) {
    for (std::uint64_t j = 0; j <= (ys.two ? 1u : 0u); ++j) {
      const cellKeyC key{{xs.first.code + i, xs.first.exact}, {ys.first.code + j, ys.first.exact}};
      const std::int32_t found = firstInCell(key, p, best);
      if (found != kNone) best = found;
    }
  }
  return best == std::numeric_limits<std::int32_t>::max() ? kNone : best;
}

std::int32_t pointGridIndexC::find(const ME10Point& p) const { return search(p); }

std::int32_t pointGridIndexC::findOrAdd(const ME10Point& p, bool& added) {
  const std::int32_t found = search(p);
  if (found != kNone) {
    added = false;
    return found;
  }
  if (points_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("too many points in one part");
  }
  const auto index = static_cast<std::int32_t>(points_.size());
  points_.push_back(p);
  next_.push_back(kNone);
  if (isFinite(p)) link(index);
  added = true;
  return index;
}

void pointGridIndexC::link(std::int32_t index) {
  if ((usedSlots_ + 1) * 2 > slots_.size()) grow();
  const cellKeyC key = cellKey(points_[static_cast<std::size_t>(index)]);
  const std::uint64_t h = hash(key);
  slotC& slot = slots_[locate(key, h)];
  if (slot.head == kNone) {
    slot = {static_cast<std::uint32_t>(h >> 32), index, index};
    ++usedSlots_;
  } else {
    next_[static_cast<std::size_t>(slot.tail)] = index;
    slot.tail = index;
  }
}

void pointGridIndexC::grow() {
  std::vector<slotC> old(slots_.empty() ? 16 : slots_.size() * 2, slotC{0, kNone, kNone});
  old.swap(slots_);
  for (const slotC& slot : old) {
    if (slot.head == kNone) continue;
    const cellKeyC key = cellKey(points_[static_cast<std::size_t>(slot.head)]);
    slots_[locate(key, hash(key))] = slot;
  }
}

}  // namespace lorvane
