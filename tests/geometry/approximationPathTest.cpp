// The writers approximate ellipses, elliptic arcs and interpolated curves
// through a buffer instead of trees. These check that path against
// toLinesAndArcs, piece for piece and bit for bit, and that it steps aside for
// a class registered by someone else.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "lorvane/geometry/shapeApproximation.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeEllipse.h"
#include "lorvane/metatree/metaRegistry.h"
#include "modelEnvironment.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;

// A piece as a list of numbers: the kind, then the coordinates.
using pieceC = std::vector<double>;

class recordingSinkC : public fittedPieceSinkC {
public:
  void line(const point2dC& a, const point2dC& b) override { pieces.push_back({1, a.x, a.y, b.x, b.y}); }
  void arc(const point2dC& a, const point2dC& b, const point2dC& c) override {
    pieces.push_back({2, a.x, a.y, b.x, b.y, c.x, c.y});
  }
  void circle(const point2dC& centre, double radius) override { pieces.push_back({3, centre.x, centre.y, radius}); }
  std::vector<pieceC> pieces;
};

std::vector<pieceC> piecesOfTree(const metaTreeC* output) {
  std::vector<pieceC> pieces;
  for (metaTreeC* shape : children(output)) {
    pieceC piece{keyOf(shape) == "LINE" ? 1.0 : keyOf(shape) == "ARC" ? 2.0 : 3.0};
    if (piece[0] == 3) {
      const xy centre = nthPoint(shape, 0);
      piece.insert(piece.end(), {centre.x, centre.y, numberOf(shape, "RAD")});
    } else {
      for (metaTreeC* point : childrenWithKey(shape, "POINT")) {
        const xy p = pointOf(point);
        piece.insert(piece.end(), {p.x, p.y});
      }
    }
    pieces.push_back(piece);
  }
  return pieces;
}

bool samePieces(const std::vector<pieceC>& a, const std::vector<pieceC>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].size() != b[i].size()) return false;
    for (std::size_t k = 0; k < a[i].size(); ++k)
      if (!sameBits(a[i][k], b[i][k])) return false;
  }
  return true;
}

std::vector<std::string> keysOf(const metaTreeC* shape) {
  std::vector<std::string> keys;
  for (metaTreeC* child : children(shape)) keys.push_back(keyOf(child));
  return keys;
}

// Converts copies of the shape both ways; the shapes must also be left alike.
// The approximator may be one that has converted other shapes before.
void expectBothPathsAgree(const metaObjectC& shape, double step, double tol, shapeApproximatorC& approximator) {
  metaObjectC viaTree(metaTreeC::copySubtree(shape.node()), true);
  metaObjectC viaArray(metaTreeC::copySubtree(shape.node()), true);
  metaObjectC output = ownedTree("ITEMS");
  mBaseShape2dC(viaTree.node()).toLinesAndArcs(step, tol, output.node());
  recordingSinkC sink;
  ASSERT_TRUE(approximator.approximate(viaArray.node(), step, tol, sink));
  const std::vector<pieceC> expected = piecesOfTree(output.node());
  EXPECT_FALSE(expected.empty());
  EXPECT_TRUE(samePieces(expected, sink.pieces)) << keyOf(shape.node()) << ": " << expected.size() << " pieces by tree, "
                                                 << sink.pieces.size() << " by array";
  EXPECT_EQ(keysOf(viaTree.node()), keysOf(viaArray.node()));
}

void expectBothPathsAgree(const metaObjectC& shape, double step, double tol) {
  shapeApproximatorC approximator;
  expectBothPathsAgree(shape, step, tol, approximator);
}

TEST(ApproximationPath, RandomShapesGiveTheSamePiecesAsTheTreePath) {
  std::mt19937_64 random(15);
  std::uniform_real_distribution<double> coordinate(-500, 500), radius(0.001, 200), degrees(-720, 720),
      parameter(0, 360);
  const double steps[] = {0.01, 0.0, 0.3};
  for (int round = 0; round < 60; ++round) {
    const double step = steps[round % 3];
    const double tol = round % 2 ? 0.0001 : 0.01;
    metaObjectC ellipse = ownedTree(round % 2 ? "ELLIPSE" : "ELLIPSEARC");
    addPoint(ellipse.node(), coordinate(random), coordinate(random));
    addNumber(ellipse.node(), "RAD1", radius(random));
    // Now and then a circle, which the fitting closes.
    addNumber(ellipse.node(), "RAD2", round % 7 == 0 ? numberOf(ellipse.node(), "RAD1") : radius(random));
    addNumber(ellipse.node(), "ANGLE", degrees(random));
    addNumber(ellipse.node(), "ANGLE1", parameter(random));
    addNumber(ellipse.node(), "ANGLE2", parameter(random));
    expectBothPathsAgree(ellipse, step, tol);

    // A curve of straight runs and circular stretches.
    metaObjectC curve = ownedTree("ICRV2D");
    xy at{coordinate(random), coordinate(random)};
    for (int run = 0; run < 6; ++run) {
      const double r = radius(random);
      const double a0 = degreesToRadiansDividingFirst(degrees(random));
      for (int k = 0; k < 8 + run; ++k) {
        const double a = a0 + (run % 2 ? 0.1 * k : 0.0);
        at = run % 2 ? xy{at.x + r * 0.1 * std::cos(a), at.y + r * 0.1 * std::sin(a)}
                     : xy{at.x + coordinate(random) / 50, at.y + coordinate(random) / 50};
        addPoint(curve.node(), at);
      }
    }
    expectBothPathsAgree(curve, step, tol);
  }
}

// One approximator for ellipses of changing steps, as a writer keeps it: the
// samples it keeps from one ellipse to the next must follow the step.
TEST(ApproximationPath, AKeptApproximatorFollowsTheStep) {
  shapeApproximatorC approximator;
  const double steps[] = {0.01, 0.3, 0.0, 0.3, 0.01, -1.0, 0.01};
  for (int round = 0; round < 7; ++round) {
    metaObjectC ellipse = ownedTree("ELLIPSE");
    addPoint(ellipse.node(), 10.5 * round, -3.25);
    addNumber(ellipse.node(), "RAD1", 40 + round);
    addNumber(ellipse.node(), "RAD2", 15);
    addNumber(ellipse.node(), "ANGLE", 17.5 * round);
    expectBothPathsAgree(ellipse, steps[round], 0.0001, approximator);
  }
}

TEST(ApproximationPath, MissingMembersAreAddedAsByTheTreePath) {
  metaObjectC arc = ownedTree("ELLIPSEARC");
  addNumber(arc.node(), "RAD1", 4);
  addNumber(arc.node(), "ANGLE2", 90);
  expectBothPathsAgree(arc, 0.01, 0.0001);
}

// A host's own ellipse class, which the writers must ask as before.
class hostEllipseC : public mBaseEllipse2dC {
public:
  using mBaseEllipse2dC::mBaseEllipse2dC;
};

TEST(ApproximationPath, AClassRegisteredBySomeoneElseIsLeftToTheRegistry) {
  hostEllipseC host;
  ASSERT_TRUE(shapeRegistry().registerInterface("ELLIPSE", static_cast<mBaseShape2dC*>(&host), 100));
  metaObjectC ellipse = ownedTree("ELLIPSE");
  addNumber(ellipse.node(), "RAD1", 4);
  addNumber(ellipse.node(), "RAD2", 2);
  recordingSinkC sink;
  shapeApproximatorC approximator;
  const bool taken = approximator.approximate(ellipse.node(), 0.01, 0.0001, sink);
  shapeRegistry().unregisterInterface(static_cast<mBaseShape2dC*>(&host));
  restoreModelRegistration();
  EXPECT_FALSE(taken);
  EXPECT_TRUE(sink.pieces.empty());
  EXPECT_TRUE(children(ellipse.node()).size() == 2);
}

}  // namespace
}  // namespace lorvane
