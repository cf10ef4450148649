#include <gtest/gtest.h>

#include <cmath>

#include "lorvane/geometry/shapeArc.h"
#include "lorvane/geometry/shapeCircle.h"
#include "lorvane/geometry/shapeEllipse.h"
#include "lorvane/geometry/shapeIntCurve.h"
#include "lorvane/geometry/shapePoint.h"
#include "lorvane/metatree/metaTree.h"
#include "testTrees.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

using namespace test;


metaObjectC curveOf(const std::vector<xy>& points) {
  metaObjectC tree = ownedTree("ICRV2D");
  for (const xy& p : points) addPoint(tree.node(), p);
  return tree;
}

int fit(const std::vector<xy>& points, double tol, metaObjectC& out) {
  metaObjectC curve = curveOf(points);
  return mBaseIntCrv2dC(curve.node()).toLinesAndArcs(0.01, tol, out.node());
}

void expectLine(metaTreeC* node, xy a, xy b) {
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(keyOf(node), "LINE");
  ASSERT_EQ(childrenWithKey(node, "POINT").size(), 2u);
  expectNthPoint(node, 0, a.x, a.y);
  expectNthPoint(node, 1, b.x, b.y);
}

TEST(Fitting, FiveCollinearPointsGiveThreeLines) {
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(fit({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, 0.0001, out), 3);
  const auto shapes = children(out.node());
  ASSERT_EQ(shapes.size(), 3u);
  expectLine(shapes[0], {0, 0}, {2, 0});
  expectLine(shapes[1], {2, 0}, {3, 0});
  expectLine(shapes[2], {3, 0}, {4, 0});
}

TEST(Fitting, SixCollinearPointsMergeTwice) {
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(fit({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}}, 0.0001, out), 3);
  const auto shapes = children(out.node());
  ASSERT_EQ(shapes.size(), 3u);
  expectLine(shapes[0], {0, 0}, {3, 0});
  expectLine(shapes[1], {3, 0}, {4, 0});
  expectLine(shapes[2], {4, 0}, {5, 0});
}

TEST(Fitting, ThreeOrFewerPointsAreAChainOfLinesEvenWhenCollinear) {
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(fit({{0, 0}, {1, 0}, {2, 0}}, 0.0001, out), 2);
  expectLine(children(out.node())[0], {0, 0}, {1, 0});
  expectLine(children(out.node())[1], {1, 0}, {2, 0});
  metaObjectC two = ownedTree("OUT");
  EXPECT_EQ(fit({{0, 0}, {1, 1}}, 0.0001, two), 1);
  metaObjectC one = ownedTree("OUT");
  EXPECT_EQ(fit({{0, 0}}, 0.0001, one), 0);
  metaObjectC none = ownedTree("OUT");
  EXPECT_EQ(fit({}, 0.0001, none), 0);
  EXPECT_EQ(none.node()->firstChild(), nullptr);
}

TEST(Fitting, SharpCornersAreNotMerged) {
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(fit({{0, 0}, {1, 1}, {2, 0}, {3, 1}, {4, 0}, {5, 1}}, 0.0001, out), 5);
  const auto shapes = children(out.node());
  expectLine(shapes[2], {2, 0}, {3, 1});
  expectLine(shapes[4], {4, 0}, {5, 1});
}

TEST(Fitting, AFullCircleBecomesOneCircle) {
  // The default step's samples, as the circle yields them; the 73rd lies on
  // the first, which closes the arc that grew from it.
  const double h = 0.08726646259971647;
  std::vector<xy> points;
  double t = 0;
  for (; t < 2 * kPi; t = t + h) points.push_back({3 + 2 * std::cos(t), -1 + 2 * std::sin(t)});
  points.push_back({3 + 2 * std::cos(2 * kPi), -1 + 2 * std::sin(2 * kPi)});
  ASSERT_EQ(points.size(), 74u);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(fit(points, 0.0001, out), 1);
  const auto shapes = children(out.node());
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(keyOf(shapes[0]), "CIRCLE");
  // Its centre is that of the first, second and 72nd sample (the last one
  // before the closing sample).
  const point2dC c = circumcentre(points[0], points[1], points[71]);
  const xy centre = nthPoint(shapes[0], 0);
  EXPECT_EQ(centre.x, c.x);
  EXPECT_EQ(centre.y, c.y);
  EXPECT_NEAR(centre.x, 3, 1e-9);
  EXPECT_NEAR(centre.y, -1, 1e-9);
  EXPECT_EQ(numberOf(shapes[0], "RAD"), std::hypot(c.x - points[0].x, c.y - points[0].y));
  EXPECT_NEAR(numberOf(shapes[0], "RAD"), 2, 1e-9);
}

TEST(Fitting, ACircleShapeAtTheWritersStepBecomesOneCircle) {
  metaObjectC tree = ownedTree("CIRCLE");
  addPoint(tree.node(), 5, 5);
  addNumber(tree.node(), "RAD", 10);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(mBaseCircle2dC(tree.node()).toLinesAndArcs(0.01, 0.0001, out.node()), 1);
  const auto shapes = children(out.node());
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(keyOf(shapes[0]), "CIRCLE");
  EXPECT_NEAR(nthPoint(shapes[0], 0).x, 5, 1e-9);
  EXPECT_NEAR(nthPoint(shapes[0], 0).y, 5, 1e-9);
  EXPECT_NEAR(numberOf(shapes[0], "RAD"), 10, 1e-9);
}

TEST(Fitting, ANinetyDegreeArcBecomesOneArc) {
  metaObjectC tree = ownedTree("ARC");
  addPoint(tree.node(), 10, 0);
  addPoint(tree.node(), 10 * std::cos(kPi / 4), 10 * std::sin(kPi / 4));
  addPoint(tree.node(), 0, 10);
  pointListC samples;
  mBaseArc2dC arc(tree.node());
  arc.getPoints(samples, 0.01);
  ASSERT_GT(samples.size(), 150u);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(arc.toLinesAndArcs(0.01, 0.0001, out.node()), 1);
  const auto shapes = children(out.node());
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(keyOf(shapes[0]), "ARC");
  expectNthPoint(shapes[0], 0, samples.front().x, samples.front().y);
  expectNthPoint(shapes[0], 1, samples[1].x, samples[1].y);
  expectNthPoint(shapes[0], 2, samples.back().x, samples.back().y);
}

TEST(Fitting, AnEllipseBecomesAClosedChainOfArcsSharingTheirEnds) {
  metaObjectC tree = ellipseTree("ELLIPSE", {0, 0}, 10, 5, 0);
  pointListC samples;
  mBaseEllipse2dC ellipse(tree.node());
  ellipse.getPoints(samples, 0.01);
  metaObjectC out = ownedTree("OUT");
  const int n = ellipse.toLinesAndArcs(0.01, 0.0001, out.node());
  const auto shapes = children(out.node());
  ASSERT_EQ(n, static_cast<int>(shapes.size()));
  EXPECT_GE(n, 24);
  for (metaTreeC* s : shapes) EXPECT_EQ(keyOf(s), "ARC");
  EXPECT_EQ(nthPoint(shapes.front(), 0).x, samples.front().x);
  expectNthPoint(shapes.back(), 2, samples.back().x, samples.back().y);
  for (std::size_t k = 1; k < shapes.size(); ++k) {
    EXPECT_EQ(nthPoint(shapes[k], 0).x, nthPoint(shapes[k - 1], 2).x) << k;
    EXPECT_EQ(nthPoint(shapes[k], 0).y, nthPoint(shapes[k - 1], 2).y) << k;
  }
  // The arcs cover the samples in order, each a stretch of at least three,
  // its second point the sample after its start.
  std::size_t s = 0;
  for (metaTreeC* shape : shapes) {
    mBaseArc2dC arc(shape);
    ASSERT_EQ(arc.getStartPoint().x, samples[s].x);
    ASSERT_EQ(arc.getMiddlePoint().x, samples[s + 1].x);
    const point2dC end = arc.getEndPoint();
    const std::size_t start = s;
    while (s < samples.size() && !(samples[s].x == end.x && samples[s].y == end.y)) ++s;
    ASSERT_LT(s, samples.size());
    EXPECT_GE(s - start, 2u);
  }
  EXPECT_EQ(s, samples.size() - 1);
}

TEST(Fitting, ASinglePointGivesNothing) {
  metaObjectC tree = ownedTree("SPOINT");
  addPoint(tree.node(), 1, 1);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(mBasePoint2dC(tree.node()).toLinesAndArcs(0.01, 0.0001, out.node()), 0);
  EXPECT_EQ(out.node()->firstChild(), nullptr);
}

TEST(Fitting, ShapesAreAppendedAfterWhatTheOutputHoldsAndCountChanges) {
  metaObjectC out = ownedTree("OUT");
  addKey(out.node(), "KEEP");
  addKey(out.node(), "ALSO");
  const std::uint32_t before = metaTreeChangeCount;
  EXPECT_EQ(fit({{0, 0}, {1, 1}, {2, 0}}, 0.0001, out), 2);
  EXPECT_GE(metaTreeChangeCount - before, 2u);
  const auto kids = children(out.node());
  ASSERT_EQ(kids.size(), 4u);
  EXPECT_EQ(keyOf(kids[0]), "KEEP");
  EXPECT_EQ(keyOf(kids[1]), "ALSO");
  expectLine(kids[2], {0, 0}, {1, 1});
  expectLine(kids[3], {1, 1}, {2, 0});
  for (metaTreeC* k : kids) EXPECT_EQ(k->parent(), out.node());
  EXPECT_EQ(kids[3]->next(), nullptr);
  EXPECT_EQ(kids[3]->previous(), kids[2]);
}

TEST(Fitting, ACurveNotBoundOrNoOutputGivesNothing) {
  EXPECT_EQ(mBaseIntCrv2dC().toLinesAndArcs(0.01, 0.0001, nullptr), 0);
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(mBaseIntCrv2dC().toLinesAndArcs(0.01, 0.0001, out.node()), 0);
  metaObjectC curve = curveOf({{0, 0}, {1, 0}});
  EXPECT_EQ(mBaseIntCrv2dC(curve.node()).toLinesAndArcs(0.01, 0.0001, nullptr), 0);
}

TEST(Fitting, CircleObjectsHoldTheirCentreAndRadius) {
  // A closed square of points on a circle: the arc closes at once.
  metaObjectC out = ownedTree("OUT");
  EXPECT_EQ(fit({{1, 0}, {0, 1}, {-1, 0}, {0, -1}, {1, 0}, {7, 7}}, 0.0001, out), 1);
  const auto shapes = children(out.node());
  ASSERT_EQ(shapes.size(), 1u);
  EXPECT_EQ(keyOf(shapes[0]), "CIRCLE");
  const auto kids = children(shapes[0]);
  ASSERT_EQ(kids.size(), 2u);
  EXPECT_EQ(keyOf(kids[0]), "POINT");
  EXPECT_EQ(keyOf(kids[1]), "RAD");
  EXPECT_EQ(nthPoint(shapes[0], 0).x, 0.0);
  EXPECT_EQ(numberOf(shapes[0], "RAD"), 1.0);
}

}  // namespace
}  // namespace lorvane
