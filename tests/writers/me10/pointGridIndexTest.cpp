// The point index answers what a scan of the points from the first one
// answers, on points chosen to sit at the edges of the tolerance and of the
// grid.
#include "lorvane/writers/me10/pointGridIndex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace lorvane {
namespace {

// The reference: the first stored point that coincides, or -1.
std::int32_t scan(const std::vector<ME10Point>& stored, const ME10Point& p) {
  for (std::size_t i = 0; i < stored.size(); ++i) {
    if (coincide(stored[i], p)) return static_cast<std::int32_t>(i);
  }
  return -1;
}

// Feeds the queries to both and compares every answer; the index may drop
// its look-up table before every releaseEvery-th query, and make room for
// all queries before query reserveAt.
void expectSameAsScan(const std::vector<ME10Point>& queries, std::size_t releaseEvery = 0,
                      std::size_t reserveAt = std::numeric_limits<std::size_t>::max()) {
  pointGridIndexC index;
  std::vector<ME10Point> stored;
  for (std::size_t q = 0; q < queries.size(); ++q) {
    const ME10Point& p = queries[q];
    if (releaseEvery != 0 && q % releaseEvery == releaseEvery - 1) index.releaseLookup();
    if (q == reserveAt) index.reserve(queries.size());
    const std::int32_t expected = scan(stored, p);
    ASSERT_EQ(index.find(p), expected) << "query " << q << " (" << p.x << ", " << p.y << ")";
    bool added = false;
    const std::int32_t got = index.findOrAdd(p, added);
    if (expected < 0) {
      ASSERT_TRUE(added);
      ASSERT_EQ(got, static_cast<std::int32_t>(stored.size()));
      stored.push_back(p);
    } else {
      ASSERT_FALSE(added);
      ASSERT_EQ(got, expected);
    }
  }
  ASSERT_EQ(index.size(), stored.size());
}

TEST(PointGridIndex, CoincidenceIsInclusiveAtTheTolerance) {
  const double d = kME10PointTolerance;
  EXPECT_TRUE(coincide({0.0, 0.0}, {d, -d}));
  EXPECT_FALSE(coincide({0.0, 0.0}, {std::nextafter(d, 1.0), 0.0}));
  EXPECT_FALSE(coincide({0.0, 0.0}, {2e-10, 0.0}));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(coincide({nan, 0.0}, {nan, 0.0}));
  EXPECT_FALSE(coincide({inf, 0.0}, {inf, 0.0}));
}

TEST(PointGridIndex, TheFirstOfSeveralCoincidentPointsIsFound) {
  pointGridIndexC index;
  bool added = false;
  EXPECT_EQ(index.findOrAdd({1.0, 1.0}, added), 0);
  EXPECT_EQ(index.findOrAdd({1.0 + 1.5e-10, 1.0}, added), 1);  // too far from point 0
  EXPECT_TRUE(added);
  // Within reach of both: the earlier one wins.
  EXPECT_EQ(index.findOrAdd({1.0 + 0.75e-10, 1.0}, added), 0);
  EXPECT_FALSE(added);
  EXPECT_EQ(index.find({1.0 + 1.6e-10, 1.0}), 1);
}

TEST(PointGridIndex, NanAndInfinitePointsAreNeverShared) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  pointGridIndexC index;
  bool added = false;
  EXPECT_EQ(index.findOrAdd({nan, 0.0}, added), 0);
  EXPECT_EQ(index.findOrAdd({nan, 0.0}, added), 1);
  EXPECT_EQ(index.findOrAdd({inf, 0.0}, added), 2);
  EXPECT_EQ(index.findOrAdd({inf, 0.0}, added), 3);
  EXPECT_EQ(index.findOrAdd({0.0, -inf}, added), 4);
  EXPECT_EQ(index.findOrAdd({0.0, 0.0}, added), 5);
  EXPECT_EQ(index.findOrAdd({0.0, 0.0}, added), 5);
  EXPECT_FALSE(added);
}

// Values around which the tolerance, the grid cells or the grid's limit
// make the answer delicate.
std::vector<double> edgeValues() {
  const double d = kME10PointTolerance;
  const double cell = 0x1p-29;
  std::vector<double> v = {0.0, -0.0, d, -d, 2 * d, 0.5 * d, cell, -cell, 0.5 * cell, -0.5 * cell, 1.5 * cell,
                           1.0 + 0.5 * cell, 0x1p22 - 0.5 * cell, 1.0, -1.0,
                           0.3, 0.1 + 0.2, 1e6, 0x1p19, 0x1p20, 0x1p23, 0x1p32, -0x1p32, 0x1p32 - 0x1p-20,
                           0x1p62, 1e300, -1e300, std::numeric_limits<double>::max(),
                           -std::numeric_limits<double>::max(), std::numeric_limits<double>::denorm_min(),
                           std::numeric_limits<double>::min(), std::numeric_limits<double>::quiet_NaN(),
                           std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  const std::size_t base = v.size();
  for (std::size_t i = 0; i < base; ++i) {
    if (!std::isfinite(v[i])) continue;
    // Exactly the tolerance away as far as rounding allows, and the doubles
    // on either side of that.
    for (double offset : {d, -d, 2 * d, -2 * d, 0.5 * d}) {
      const double w = v[i] + offset;
      v.push_back(w);
      v.push_back(std::nextafter(w, std::numeric_limits<double>::infinity()));
      v.push_back(std::nextafter(w, -std::numeric_limits<double>::infinity()));
    }
    v.push_back(std::nextafter(v[i], 0.0));
  }
  return v;
}

TEST(PointGridIndex, AgreesWithTheScanAtTheEdges) {
  const std::vector<double> values = edgeValues();
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
  std::vector<ME10Point> queries;
  for (int i = 0; i < 6000; ++i) queries.push_back({values[pick(random)], values[pick(random)]});
  expectSameAsScan(queries);
}

TEST(PointGridIndex, AgreesWithTheScanOnClusteredRandomPoints) {
  std::mt19937_64 random(7);
  const double d = kME10PointTolerance;
  std::uniform_real_distribution<double> centre(-2.0, 2.0);
  std::uniform_int_distribution<int> steps(-4, 4);
  std::uniform_int_distribution<int> kind(0, 9);
  std::vector<ME10Point> queries;
  for (int cluster = 0; cluster < 300; ++cluster) {
    const double cx = centre(random);
    const double cy = centre(random);
    for (int i = 0; i < 20; ++i) {
      // Points on a lattice of half the tolerance around the cluster centre,
      // so that many lie exactly at, just inside and just outside the bound.
      double x = cx + steps(random) * 0.5 * d;
      double y = cy + steps(random) * 0.5 * d;
      if (kind(random) == 0) x = std::nextafter(x, 10.0);
      if (kind(random) == 0) y = std::nextafter(y, -10.0);
      queries.push_back({x, y});
    }
  }
  std::shuffle(queries.begin(), queries.end(), random);
  expectSameAsScan(queries);
  // A table dropped and built again, at ever larger sizes, answers alike.
  expectSameAsScan(queries, 97);
  // So does one made large ahead, with points already in it.
  expectSameAsScan(queries, 0, 100);
}

TEST(PointGridIndex, AgreesWithTheScanOnLargeAndTinyCoordinates) {
  std::mt19937_64 random(99);
  std::uniform_int_distribution<int> exponent(-1074, 1023);
  std::uniform_real_distribution<double> mantissa(1.0, 2.0);
  std::uniform_int_distribution<int> coin(0, 3);
  std::vector<ME10Point> queries;
  std::vector<double> seen;
  for (int i = 0; i < 5000; ++i) {
    auto value = [&]() {
      if (!seen.empty() && coin(random) == 0) return seen[static_cast<std::size_t>(random() % seen.size())];
      double v = std::ldexp(mantissa(random), exponent(random));
      if (coin(random) == 0) v = -v;
      seen.push_back(v);
      return v;
    };
    queries.push_back({value(), value()});
  }
  expectSameAsScan(queries);
}

TEST(PointGridIndex, ManyPointsInOneSmallRegionStayCorrect) {
  // A lattice just over the tolerance apart, inserted twice: the second pass
  // finds every point of the first.
  std::vector<ME10Point> queries;
  const double step = 1.01e-10;
  for (int pass = 0; pass < 2; ++pass) {
    for (int i = 0; i < 40; ++i) {
      for (int j = 0; j < 40; ++j) queries.push_back({5.0 + i * step, -3.0 + j * step});
    }
  }
  expectSameAsScan(queries);
}

// Batches of uneven sizes, growing the table on the way, answer what the
// scan answers point by point.
TEST(PointGridIndex, BatchedLookUpsAgreeWithTheScan) {
  const std::vector<double> values = edgeValues();
  std::mt19937_64 random(31);
  std::uniform_int_distribution<std::size_t> pick(0, values.size() - 1);
  std::vector<ME10Point> queries;
  for (int i = 0; i < 5000; ++i) queries.push_back({values[pick(random)], values[pick(random)]});
  pointGridIndexC index;
  std::vector<ME10Point> stored;
  std::vector<std::int32_t> indices(queries.size());
  for (std::size_t at = 0, batch = 1; at < queries.size(); at += batch, batch = batch * 3 % 251 + 1) {
    batch = std::min(batch, queries.size() - at);
    index.findOrAddEach(queries.data() + at, batch, indices.data() + at);
    for (std::size_t q = at; q < at + batch; ++q) {
      std::int32_t expected = scan(stored, queries[q]);
      if (expected < 0) {
        expected = static_cast<std::int32_t>(stored.size());
        stored.push_back(queries[q]);
      }
      ASSERT_EQ(indices[q], expected) << "query " << q;
    }
  }
}

// A table handed on to the next index is that index's own: none of the
// points it held before are found through it.
TEST(PointGridIndex, AHandedOverTableStartsEmpty) {
  pointGridIndexC first;
  bool added = false;
  for (int i = 0; i < 1000; ++i) first.findOrAdd({i * 0.5, 1.0}, added);
  pointGridIndexC next;
  first.handOverLookup(next, 1000);
  EXPECT_EQ(next.find({10.0, 1.0}), pointGridIndexC::kNone);
  EXPECT_EQ(next.findOrAdd({10.0, 1.0}, added), 0);
  EXPECT_TRUE(added);
  EXPECT_EQ(next.findOrAdd({10.0, 1.0 + 0.5e-10}, added), 0);
  // The first index keeps its points and still finds them.
  EXPECT_EQ(first.size(), 1000u);
  EXPECT_EQ(first.find({10.0, 1.0}), 20);
}

TEST(PointGridIndex, SharesEndPointsOfAChainOfLines) {
  pointGridIndexC index;
  bool added = false;
  for (int i = 0; i < 100000; ++i) {
    const double x = i * 0.1;
    ASSERT_EQ(index.findOrAdd({x, (i % 2) * 1.0}, added), i);
    ASSERT_EQ(index.findOrAdd({x, (i % 2) * 1.0}, added), i);
  }
  EXPECT_EQ(index.size(), 100000u);
}

}  // namespace
}  // namespace lorvane
