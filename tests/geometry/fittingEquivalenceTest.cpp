// The fitting deletes points from the middle of its list as it goes. This
// checks the library's linear-time fitting against that procedure written out
// literally on a std::vector, object for object and bit for bit.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "lorvane/geometry/lineArcFitting.h"
#include "lorvane/geometry/shapeIntCurve.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

xy minus(xy a, xy b) { return {a.x - b.x, a.y - b.y}; }
double norm(xy v) { return std::sqrt(v.x * v.x + v.y * v.y); }
xy unitOf(xy v) {
  const double inv = 1 / norm(v);
  return {v.x * inv, v.y * inv};
}
double dotOf(xy a, xy b) { return a.x * b.x + a.y * b.y; }

bool centreOf(xy a, xy b, xy c, xy& centre) {
  const xy m1{a.x + (b.x - a.x) / 2, a.y + (b.y - a.y) / 2};
  const xy m2{c.x + (b.x - c.x) / 2, c.y + (b.y - c.y) / 2};
  const xy d1{-(b.y - a.y), b.x - a.x};
  const xy d2{-(b.y - c.y), b.x - c.x};
  const double det = d1.x * d2.y - d1.y * d2.x;
  if (det == 0) {
    centre = {0, 0};
    return false;
  }
  const double s = ((m2.x - m1.x) * d2.y - (m2.y - m1.y) * d2.x) / det;
  centre = {m1.x + s * d1.x, m1.y + s * d1.y};
  return true;
}

bool fourOnCircle(xy a, xy b, xy c, xy d, double tol) {
  if (dotOf(unitOf(minus(b, a)), unitOf(minus(c, a))) > 0.99999999) return false;
  xy centre;
  if (!centreOf(a, b, c, centre)) return false;
  const double r = norm(minus(b, centre));
  return std::fabs(norm(minus(d, centre)) - r) <= tol;
}

bool same(xy a, xy b) { return std::fabs(a.x - b.x) < 1e-8 && std::fabs(a.y - b.y) < 1e-8; }

struct machineResult {
  std::vector<xy> points;
  std::vector<int> types;
};

machineResult runMachine(std::vector<xy> p, double tol) {
  std::vector<int> t;
  std::size_t i = 0;
  enum { tryState, growState, straightState, done } state = tryState;
  while (state != done) {
    if (state == tryState) {
      if (i + 4 > p.size()) {
        for (std::size_t k = i; k < p.size(); ++k) t.push_back(0);
        state = done;
      } else {
        state = fourOnCircle(p[i], p[i + 1], p[i + 2], p[i + 3], tol) ? growState : straightState;
      }
    } else if (state == growState) {
      p.erase(p.begin() + static_cast<std::ptrdiff_t>(i + 2));
      bool closed = false;
      while (i + 3 < p.size()) {
        if (same(p[i + 3], p[i])) {
          closed = true;
          break;
        }
        if (!fourOnCircle(p[i], p[i + 1], p[i + 2], p[i + 3], tol)) break;
        p.erase(p.begin() + static_cast<std::ptrdiff_t>(i + 2));
      }
      if (!closed) {
        t.push_back(1);
        t.push_back(1);
        i = i + 2;
        state = tryState;
      } else {
        p.pop_back();
        t.push_back(2);
        t.push_back(2);
        state = done;
      }
    } else {
      if (!t.empty() && t.back() == 0) {
        const xy d0 = unitOf(minus(p[i], p[i - 1]));
        const xy d1 = unitOf(minus(p[i + 1], p[i]));
        if (dotOf(d0, d1) > 1 - tol / 100) {
          p.erase(p.begin() + static_cast<std::ptrdiff_t>(i));
          state = tryState;
          continue;
        }
      }
      t.push_back(0);
      i = i + 1;
      state = tryState;
    }
  }
  return {p, t};
}

// The shapes the walk over the type list makes, as text with exact bits.
std::string bits(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%a", v);
  return buffer;
}
std::string pointText(xy p) { return bits(p.x) + "," + bits(p.y); }

std::vector<std::string> expectedShapes(const machineResult& m) {
  std::vector<std::string> shapes;
  const auto& p = m.points;
  for (long j = 0; j < static_cast<long>(m.types.size()) - 1;) {
    const std::size_t k = static_cast<std::size_t>(j);
    if (m.types[k] == 0) {
      shapes.push_back("LINE " + pointText(p[k]) + " " + pointText(p[k + 1]));
      j += 1;
    } else if (m.types[k] == 1) {
      shapes.push_back("ARC " + pointText(p[k]) + " " + pointText(p[k + 1]) + " " + pointText(p[k + 2]));
      j += 2;
    } else {
      xy c;
      centreOf(p[k], p[k + 1], p[k + 2], c);
      shapes.push_back("CIRCLE " + pointText(c) + " " + bits(norm(minus(c, p[k]))));
      j += 2;
    }
  }
  return shapes;
}

std::vector<std::string> shapesUnder(const metaTreeC* out) {
  std::vector<std::string> shapes;
  for (metaTreeC* s : children(out)) {
    std::string text = keyOf(s);
    for (metaTreeC* p : childrenWithKey(s, "POINT")) text += " " + pointText(pointOf(p));
    if (text.rfind("CIRCLE", 0) == 0) text += " " + bits(numberOf(s, "RAD"));
    shapes.push_back(text);
  }
  return shapes;
}

// Inputs that exercise every state: polylines, arcs with and without noise,
// collinear runs, repeated points and closed loops, glued together.
std::vector<xy> randomInput(std::mt19937_64& random, double& tol) {
  std::uniform_real_distribution<double> unitDist(0, 1);
  const double tols[] = {0.0001, 1e-05, 0.01, 0.3, 0.0};
  tol = tols[random() % 5];
  std::vector<xy> points;
  const int pieces = 1 + static_cast<int>(random() % 6);
  xy at{unitDist(random) * 10, unitDist(random) * 10};
  for (int piece = 0; piece < pieces; ++piece) {
    const int kind = static_cast<int>(random() % 6);
    const int count = static_cast<int>(random() % 60);
    if (kind == 0) {  // random polyline
      for (int k = 0; k < count; ++k) points.push_back(at = {unitDist(random) * 20 - 10, unitDist(random) * 20 - 10});
    } else if (kind == 1 || kind == 2) {  // an arc, maybe noisy, maybe a full closed turn
      const double r = 0.5 + unitDist(random) * 20;
      const double start = unitDist(random) * 6;
      const bool full = kind == 2;
      const double step = full ? 2 * kPi / (4 + static_cast<int>(random() % 200))
                               : 0.005 + unitDist(random) * 0.3;
      const double noise = random() % 2 ? tol * (unitDist(random) * 2 - 1) * 1.5 : 0.0;
      const xy c{at.x - r * std::cos(start), at.y - r * std::sin(start)};
      const std::size_t first = points.size();
      double t = start;
      const double end = full ? start + 2 * kPi : start + count * step;
      for (; t < end; t = t + step) {
        const double rr = r + noise * unitDist(random);
        points.push_back({c.x + rr * std::cos(t), c.y + rr * std::sin(t)});
      }
      if (full && points.size() > first) points.push_back(points[first]);
      if (!points.empty()) at = points.back();
    } else if (kind == 3) {  // a nearly straight run
      const double a = unitDist(random) * 6;
      const double wobble = (unitDist(random) - 0.5) * 1e-4;
      for (int k = 0; k < count; ++k) {
        const double b = a + wobble * (k % 3);
        points.push_back(at = {at.x + std::cos(b), at.y + std::sin(b)});
      }
    } else if (kind == 4) {  // repeated points
      for (int k = 0; k < count % 7; ++k) points.push_back(at);
    } else {  // back to an earlier point
      if (!points.empty()) points.push_back(at = points[random() % points.size()]);
    }
  }
  return points;
}

void compareOn(const std::vector<xy>& input, double tol, const std::string& label) {
  const machineResult expected = runMachine(input, tol);

  pointListC points(input.begin(), input.end());
  const lineArcFitC fit = fitLinesAndArcs(points, tol);
  ASSERT_EQ(fit.pieces.size(), expected.types.size()) << label;
  for (std::size_t k = 0; k < fit.pieces.size(); ++k)
    ASSERT_EQ(static_cast<int>(fit.pieces[k]), expected.types[k]) << label << " entry " << k;
  ASSERT_EQ(fit.points.size(), expected.points.size()) << label;
  for (std::size_t k = 0; k < fit.points.size(); ++k) {
    ASSERT_TRUE(sameBits(fit.points[k].x, expected.points[k].x) && sameBits(fit.points[k].y, expected.points[k].y))
        << label << " point " << k;
  }

  metaObjectC curve = ownedTree("ICRV2D");
  for (const xy& p : input) addPoint(curve.node(), p);
  // Read from the tree as the fitting reaches the points, the same result.
  const lineArcFitC fromTree = fitPointChildren(curve.node(), tol);
  ASSERT_EQ(fromTree.pieces, fit.pieces) << label;
  ASSERT_EQ(fromTree.points.size(), fit.points.size()) << label;
  for (std::size_t k = 0; k < fit.points.size(); ++k) {
    ASSERT_TRUE(sameBits(fromTree.points[k].x, fit.points[k].x) && sameBits(fromTree.points[k].y, fit.points[k].y))
        << label << " point " << k;
  }

  metaObjectC out = ownedTree("OUT");
  const int n = mBaseIntCrv2dC(curve.node()).toLinesAndArcs(0.01, tol, out.node());
  const std::vector<std::string> want = expectedShapes(expected);
  ASSERT_EQ(n, static_cast<int>(want.size())) << label;
  ASSERT_EQ(shapesUnder(out.node()), want) << label;
}

TEST(FittingEquivalence, RandomInputsGiveTheSameObjectsAsTheLiteralProcedure) {
  std::mt19937_64 random(20240611);
  int arcs = 0, circles = 0, lines = 0;
  for (int round = 0; round < 1500; ++round) {
    double tol = 0;
    const std::vector<xy> input = randomInput(random, tol);
    compareOn(input, tol, "round " + std::to_string(round));
    for (int type : runMachine(input, tol).types) {
      arcs += type == 1;
      circles += type == 2;
      lines += type == 0;
    }
  }
  // The inputs did reach every kind of piece.
  EXPECT_GT(arcs, 100);
  EXPECT_GT(circles, 20);
  EXPECT_GT(lines, 100);
}

TEST(FittingEquivalence, LongArcsAndLongStraightRuns) {
  std::vector<xy> input;
  for (int k = 0; k < 3000; ++k) {
    const double t = k * 0.001;
    input.push_back({7 * std::cos(t), 7 * std::sin(t)});
  }
  for (int k = 1; k < 3000; ++k) input.push_back({input.back().x + 0.01, input.back().y});
  compareOn(input, 0.0001, "long");
}

TEST(FittingEquivalence, PointsThatAreNotNumbersDoNotUpsetIt) {
  const double nan = std::nan("");
  const std::vector<xy> input{{0, 0}, {nan, 1}, {2, 0}, {3, nan}, {4, 4}, {5, 0}, {6, 1}, {nan, nan}};
  const machineResult expected = runMachine(input, 0.0001);
  const lineArcFitC fit = fitLinesAndArcs(pointListC(input.begin(), input.end()), 0.0001);
  ASSERT_EQ(fit.pieces.size(), expected.types.size());
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(appendFittedShapes(fit, out.node()), static_cast<int>(expectedShapes(expected).size()));
}

}  // namespace
}  // namespace lorvane
