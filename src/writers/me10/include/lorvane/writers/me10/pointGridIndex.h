#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lorvane/writers/me10/me10Arrays.h"
#include "lorvane/writers/me10/me10Point.h"

namespace lorvane {

// The shared points of one part, found in expected constant time. A lookup
// answers exactly what a scan of the points from the first one would: the
// first stored point, in insertion order, that coincides with the query.
//
// Points are hashed by the grid cell they fall into; cells are several times
// wider than the tolerance, so a query needs to look into at most two cells
// per coordinate. A coordinate of 2^32 or more in magnitude cannot lie within
// the tolerance of any other value (its neighbouring doubles are further
// apart than that), so it is hashed by its bits instead, which keeps the cell
// arithmetic far from any integer overflow. Points with a NaN
// or infinite coordinate coincide with nothing and stay out of the grid.
//
// Each point has a slot of its own in one open-addressed table of 8-byte
// slots, which drawings of millions of points keep small: no per-cell chains,
// no stored keys. Linear probing without removal keeps the points of one cell
// in insertion order along the probe sequence from the cell's home slot.
class pointGridIndexC {
public:
  static constexpr std::int32_t kNone = -1;

  // The index of the first stored point that coincides with p; otherwise p
  // is stored under the next index, which is returned with added set.
  std::int32_t findOrAdd(const ME10Point& p, bool& added);
  // findOrAdd of each of count points in turn, each index written to
  // indices. The table slots of the points some steps ahead are loaded while
  // the current one is looked up, so that the waits for memory overlap.
  void findOrAddEach(const ME10Point* points, std::size_t count, std::int32_t* indices);
  // The first stored point coinciding with p, or kNone.
  std::int32_t find(const ME10Point& p) const;

  // Frees the look-up table and any spare room while keeping the points: a
  // part that is complete needs only those. A later findOrAdd builds the
  // table again.
  void releaseLookup();
  // Releases the look-up as releaseLookup does, but first hands the table
  // to next, an index that holds nothing yet, if it is the size next takes
  // for the points it expects; then makes next room for them as reserve
  // does. A table handed on is cleared, which costs far less than mapping
  // and clearing the fresh pages of a new one.
  void handOverLookup(pointGridIndexC& next, std::size_t expectedPoints);
  // Makes the look-up table and the points room for that many points at
  // once: a table that would grow step by step, each step placing every
  // point anew, is built once.
  void reserve(std::size_t points);

  std::size_t size() const { return points_.size(); }
  const ME10Point& point(std::size_t index) const { return points_[index]; }
  // In insertion order: the index of each is its position.
  const bigArrayT<ME10Point>& points() const { return points_; }

private:
  // A cell is named by one code per coordinate: its grid cell number, or,
  // for a coordinate beyond the grid, a code made from the coordinate's bits
  // that lies outside the range of cell numbers.
  struct cellKeyC {
    std::uint64_t x;
    std::uint64_t y;
  };
  // A stored point and the high half of its cell's hash, which settles almost
  // every comparison without reading the point and names the home slot.
  struct slotC {
    std::int32_t index;  // kNone: the slot is free
    std::uint32_t tag;
  };
  // The cells a coordinate's tolerance interval can reach: consecutive grid
  // cells from first to last (one or two), or the single code of a
  // coordinate beyond the grid.
  struct axisRangeC {
    std::uint64_t first;
    std::uint64_t last;
  };

  static std::uint64_t axisCode(double v);
  static axisRangeC axisRange(double v);
  static cellKeyC cellKey(const ME10Point& p) { return {axisCode(p.x), axisCode(p.y)}; }
  static std::uint64_t hash(const cellKeyC& key);
  static std::uint32_t tagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

  // The cells a look-up of a point goes to, and their hashes, worked out
  // once for loading their slots ahead and for the look-up itself: mostly
  // one cell, up to four; none for a point that is not finite. The point is
  // stored under cell own.
  struct lookupPlanC {
    cellKeyC keys[4];
    std::uint64_t hashes[4];
    std::size_t cells = 0;
    std::size_t own = 0;
  };
  static lookupPlanC planLookup(const ME10Point& p);

  std::int32_t firstInCell(const cellKeyC& key, std::uint64_t hash, const ME10Point& p, std::int32_t below) const;
  std::int32_t search(const ME10Point& p, const lookupPlanC& plan) const;
  std::int32_t findOrAdd(const ME10Point& p, const lookupPlanC& plan, bool& added);
  std::int32_t scan(const ME10Point& p) const;
  bool lookupReleased() const { return slots_.empty() && !points_.empty(); }
  void insert(std::int32_t index);
  // Stores the slot along the probe sequence from its home.
  void place(const slotC& slot);
  void grow();
  // The table size that leaves room at half load for that many points.
  static std::size_t tableSizeFor(std::size_t points, std::size_t from);
  void rebuild(std::size_t size);

  bigArrayT<ME10Point> points_;
  bigArrayT<slotC> slots_;  // a power of two in size, at most half used
  std::size_t usedSlots_ = 0;
  int shift_ = 64;  // the home slot is the hash's top bits
};

}  // namespace lorvane
