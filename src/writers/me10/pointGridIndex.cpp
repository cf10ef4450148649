#include "lorvane/writers/me10/pointGridIndex.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "spareRoom.h"

namespace lorvane {
namespace {

// Cells are 2^-29 (about 1.9e-9) wide. The width is a power of two so that
// scaling a coordinate to cell units is exact; it is wide enough that a
// tolerance interval spans at most two cells, and narrow enough that a cell
// holds at most about 400 points that do not coincide with one another,
// however the points are chosen.
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

// Cells are centred on the multiples of their width, so that round
// coordinates (integers, halves, the usual grid values of a drawing) lie in
// the middle of a cell and their tolerance interval within it. The function
// only needs to be monotonic: it is, rounding included.
//
// The floor is taken by truncating and stepping down where that rounded up,
// which is exact here and spares a library call: below 2^52 the integer
// converts back exactly, and from there on the scaled value has no fraction.
std::uint64_t cellNumber(double v) {
  const double scaled = v * kCellsPerUnit + 0.5;
  const auto truncated = static_cast<std::int64_t>(scaled);
  return static_cast<std::uint64_t>(truncated - (static_cast<double>(truncated) > scaled ? 1 : 0));
}

bool isFinite(const ME10Point& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

}  // namespace

// Cell numbers lie within +-2^61. A coordinate beyond the grid can only
// coincide with an equal one, so any code that equal coordinates share will
// do; dropping the two lowest bits of the coordinate puts the code at or above
// 2^62, away from every cell number. Codes that several such coordinates
// share only put them into one bucket: every candidate is still tested.
std::uint64_t pointGridIndexC::axisCode(double v) {
  if (std::fabs(v) < kGridLimit) return cellNumber(v);
  return (std::uint64_t{1} << 62) | (std::bit_cast<std::uint64_t>(v) >> 2);
}

pointGridIndexC::axisRangeC pointGridIndexC::axisRange(double v) {
  if (std::fabs(v) >= kGridLimit) return {axisCode(v), axisCode(v)};
  // Rounding is monotonic, so every double within reach of v lies between
  // these two rounded bounds, and its cell between their cells.
  return {cellNumber(v - kReach), cellNumber(v + kReach)};
}

std::uint64_t pointGridIndexC::hash(const cellKeyC& key) { return mix(mix(key.x) + key.y); }

std::int32_t pointGridIndexC::firstInCell(const cellKeyC& key, std::uint64_t h, const ME10Point& p,
                                          std::int32_t below) const {
  const std::uint32_t tag = tagOf(h);
  const std::size_t mask = slots_.size() - 1;
  // The cell's points lie along the probe sequence in insertion order: its
  // first coincident point is the cell's answer, and nothing from `below` on
  // can improve on another cell's.
  for (std::size_t at = static_cast<std::size_t>(h >> shift_); slots_[at].index != kNone; at = (at + 1) & mask) {
    const slotC& slot = slots_[at];
    if (slot.tag != tag) continue;
    const ME10Point& stored = points_[static_cast<std::size_t>(slot.index)];
    const cellKeyC storedKey = cellKey(stored);
    if (storedKey.x != key.x || storedKey.y != key.y) continue;
    if (slot.index >= below) break;
    if (coincide(stored, p)) return slot.index;
  }
  return kNone;
}

pointGridIndexC::lookupPlanC pointGridIndexC::planLookup(const ME10Point& p) {
  lookupPlanC plan;
  if (!isFinite(p)) return plan;
  const axisRangeC xs = axisRange(p.x);
  const axisRangeC ys = axisRange(p.y);
  const cellKeyC own = cellKey(p);
  // Cell numbers are signed; counting up in unsigned arithmetic wraps alike.
  for (std::uint64_t x = xs.first;; ++x) {
    for (std::uint64_t y = ys.first;; ++y) {
      if (x == own.x && y == own.y) plan.own = plan.cells;
      plan.keys[plan.cells] = {x, y};
      plan.hashes[plan.cells] = hash({x, y});
      ++plan.cells;
      if (y == ys.last) break;
    }
    if (x == xs.last) break;
  }
  return plan;
}

std::int32_t pointGridIndexC::search(const ME10Point& p, const lookupPlanC& plan) const {
  if (slots_.empty()) return kNone;
  std::int32_t best = std::numeric_limits<std::int32_t>::max();
  for (std::size_t c = 0; c < plan.cells; ++c) {
    const std::int32_t found = firstInCell(plan.keys[c], plan.hashes[c], p, best);
    if (found != kNone) best = found;
  }
  return best == std::numeric_limits<std::int32_t>::max() ? kNone : best;
}

std::int32_t pointGridIndexC::scan(const ME10Point& p) const {
  for (std::size_t i = 0; i < points_.size(); ++i) {
    if (coincide(points_[i], p)) return static_cast<std::int32_t>(i);
  }
  return kNone;
}

void pointGridIndexC::findOrAddEach(const ME10Point* points, std::size_t count, std::int32_t* indices) {
  // Far enough ahead for a slot to arrive from memory while the look-ups
  // before it run, near enough that it is still in the cache when its turn
  // comes.
  constexpr std::size_t kAhead = 12;
  // The plans made ahead wait here for their turn; a plan is made once per
  // point, for loading its slots and for its look-up.
  constexpr std::size_t kPlans = 16;
  static_assert(kPlans > kAhead && (kPlans & (kPlans - 1)) == 0);
  lookupPlanC plans[kPlans];
  if (lookupReleased()) grow();
  for (std::size_t i = 0; i < count; ++i) {
    for (std::size_t ahead = i == 0 ? 0 : i + kAhead; ahead <= i + kAhead && ahead < count; ++ahead) {
      lookupPlanC& next = plans[ahead & (kPlans - 1)];
      next = planLookup(points[ahead]);
#if defined(__GNUC__)
      // The loads are started here, in a function with effects of its own: a
      // helper that only started them would count as pure, and its calls be
      // dropped.
      if (!slots_.empty()) {
        for (std::size_t c = 0; c < next.cells; ++c) __builtin_prefetch(&slots_[next.hashes[c] >> shift_]);
      }
#endif
    }
    bool added = false;
    indices[i] = findOrAdd(points[i], plans[i & (kPlans - 1)], added);
  }
}

std::int32_t pointGridIndexC::find(const ME10Point& p) const {
  return lookupReleased() ? scan(p) : search(p, planLookup(p));
}

void pointGridIndexC::releaseLookup() {
  decltype(slots_)().swap(slots_);
  giveBackSpareRoom(points_);
  usedSlots_ = 0;
  shift_ = 64;
}

std::int32_t pointGridIndexC::findOrAdd(const ME10Point& p, bool& added) { return findOrAdd(p, planLookup(p), added); }

std::int32_t pointGridIndexC::findOrAdd(const ME10Point& p, const lookupPlanC& plan, bool& added) {
  if (lookupReleased()) grow();
  const std::int32_t found = search(p, plan);
  if (found != kNone) {
    added = false;
    return found;
  }
  if (points_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("too many points in one part");
  }
  const auto index = static_cast<std::int32_t>(points_.size());
  const bool finite = plan.cells != 0;
  if (finite && (usedSlots_ + 1) * 2 > slots_.size()) grow();
  points_.push_back(p);
  if (finite) place({index, tagOf(plan.hashes[plan.own])});
  added = true;
  return index;
}

void pointGridIndexC::insert(std::int32_t index) {
  place({index, tagOf(hash(cellKey(points_[static_cast<std::size_t>(index)])))});
}

void pointGridIndexC::place(const slotC& slot) {
  const std::size_t mask = slots_.size() - 1;
  // The table has at most 2^32 slots: the tag holds the home slot's bits.
  std::size_t at = static_cast<std::size_t>(slot.tag >> (shift_ - 32));
  while (slots_[at].index != kNone) at = (at + 1) & mask;
  slots_[at] = slot;
  ++usedSlots_;
}

void pointGridIndexC::grow() {
  // Room for every stored point and the one about to be added, also when
  // the table was released.
  rebuild(tableSizeFor(points_.size() + 1, slots_.empty() ? 16 : slots_.size() * 2));
}

std::size_t pointGridIndexC::tableSizeFor(std::size_t points, std::size_t from) {
  std::size_t size = from;
  while (size < 2 * points) size *= 2;
  return size;
}

void pointGridIndexC::reserve(std::size_t points) {
  if (lookupReleased() || points <= points_.size()) return;
  // Room for the points expected at once: growing by doubling would copy
  // them a step at a time into fresh pages, and leave room to spare that
  // releasing the look-up then copies once more to give back.
  points_.reserve(points);
  const std::size_t size = tableSizeFor(points + 1, slots_.empty() ? 16 : slots_.size());
  if (size > slots_.size()) rebuild(size);
}

void pointGridIndexC::handOverLookup(pointGridIndexC& next, std::size_t expectedPoints) {
  if (next.points_.empty() && next.slots_.empty() && !slots_.empty() &&
      slots_.size() == tableSizeFor(expectedPoints + 1, 16)) {
    next.slots_.swap(slots_);
    std::fill(next.slots_.begin(), next.slots_.end(), slotC{kNone, 0});
    next.shift_ = shift_;
    next.usedSlots_ = 0;
  }
  releaseLookup();
  next.reserve(expectedPoints);
}

void pointGridIndexC::rebuild(std::size_t size) {
  decltype(slots_) old;
  old.swap(slots_);
  slots_.assign(size, slotC{kNone, 0});
  shift_ = 64 - std::countr_zero(size);
  usedSlots_ = 0;
  if (old.empty()) {
    // Points go back in in insertion order, which keeps each cell's points
    // in that order along its probe sequence.
    for (std::size_t i = 0; i < points_.size(); ++i) {
      if (isFinite(points_[i])) insert(static_cast<std::int32_t>(i));
    }
    return;
  }
  // A table that grows holds every point that it is to hold, with the bits
  // of each home slot: walking it in slot order writes the larger one
  // nearly in order too, where placing the points in index order would
  // write it at random. The walk starts behind a free slot, so that each
  // run of occupied slots is walked from its start: the points of a cell,
  // in insertion order along that run, go in in that order.
  const std::size_t mask = old.size() - 1;
  std::size_t start = 0;
  while (old[start].index != kNone) ++start;
  for (std::size_t k = 1; k <= old.size(); ++k) {
    const slotC& slot = old[(start + k) & mask];
    if (slot.index != kNone) place(slot);
  }
}

}  // namespace lorvane
