// Cost of turning shapes into lines and arcs: an interpolated curve of many
// points, whose fitting must stay linear in the number of points, and the
// ellipse both writers convert at their step and tolerance.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "lorvane/document/modelRegistration.h"
#include "lorvane/geometry/pointList.h"
#include "lorvane/geometry/shapeApproximation.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapeIntCurve.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane {
namespace {

enum curveKindC { circleRunningOn, ellipseRunningOn, randomPolyline, denseCircle };

pointListC curvePoints(curveKindC kind, std::size_t n) {
  pointListC points;
  points.reserve(n);
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> coordinate(-100, 100);
  for (std::size_t k = 0; k < n; ++k) {
    const double t = static_cast<double>(k) * 0.01;
    switch (kind) {
      case circleRunningOn:  // the writers' step, on around the circle
        points.push_back({50 * std::cos(t), 50 * std::sin(t)});
        break;
      case ellipseRunningOn:
        points.push_back({10 * std::cos(t), 5 * std::sin(t)});
        break;
      case randomPolyline:
        points.push_back({coordinate(random), coordinate(random)});
        break;
      case denseCircle: {  // one turn, however many points
        const double a = static_cast<double>(k) * (2 * kPi / static_cast<double>(n));
        points.push_back({50 * std::cos(a), 50 * std::sin(a)});
        break;
      }
    }
  }
  return points;
}

const char* curveName(curveKindC kind) {
  switch (kind) {
    case circleRunningOn: return "circle, 0.01 rad apart, running on";
    case ellipseRunningOn: return "ellipse 10 x 5, 0.01 rad apart, running on";
    case randomPolyline: return "random polyline";
    case denseCircle: return "one turn of a circle";
  }
  return "";
}

metaObjectC curveTree(curveKindC kind, std::size_t n) {
  metaObjectC curve = metaObjectVirtualDataBaseC::createTree("ICRV2D", true);
  childAppenderC appender(curve.node());
  for (const point2dC& p : curvePoints(kind, n)) appendPointChild(appender, p);
  return curve;
}

// Pushes the curve out of every cache level, as for a curve met once in a
// drawing rather than fitted over and over.
void evictCaches() {
  static std::vector<unsigned char> block(std::size_t{1} << 30);
  for (std::size_t i = 0; i < block.size(); i += 64) block[i] = static_cast<unsigned char>(block[i] + 1);
  benchmark::DoNotOptimize(block.data());
}

void reportPerPoint(benchmark::State& state, std::size_t n) {
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(n));
  state.counters["per_point"] = benchmark::Counter(static_cast<double>(n),
                                                   benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}

void curveToLinesAndArcs(benchmark::State& state, bool cold) {
  const modelRegistrationC registration;
  const auto kind = static_cast<curveKindC>(state.range(0));
  const auto n = static_cast<std::size_t>(state.range(1));
  metaObjectC curve = curveTree(kind, n);
  int shapes = 0;
  for (auto _ : state) {
    if (cold) {
      state.PauseTiming();
      evictCaches();
      state.ResumeTiming();
    }
    metaObjectC out = metaObjectVirtualDataBaseC::createTree("OUT", true);
    shapes = mBaseShape2dC(curve.node()).toLinesAndArcs(0.01, 0.0001, out.node());
    benchmark::DoNotOptimize(shapes);
    state.PauseTiming();
    out.release();
    state.ResumeTiming();
  }
  reportPerPoint(state, n);
  state.counters["shapes"] = shapes;
  state.SetLabel(curveName(kind));
}

void BM_CurveToLinesAndArcs(benchmark::State& state) { curveToLinesAndArcs(state, false); }
void BM_CurveToLinesAndArcsCold(benchmark::State& state) { curveToLinesAndArcs(state, true); }

// The floor under any fitting of a curve held in a tree: walking its children
// and reading every point once.
void BM_ReadCurvePoints(benchmark::State& state) {
  const auto kind = static_cast<curveKindC>(state.range(0));
  const auto n = static_cast<std::size_t>(state.range(1));
  metaObjectC curve = curveTree(kind, n);
  for (auto _ : state) {
    double sum = 0;
    for (const metaTreeC* c = curve.getFirstChild(); c; c = c->next()) {
      if (!c->hasKey(kPointKey)) continue;
      const point2dC p = pointValue(c);
      sum += p.x + p.y;
    }
    benchmark::DoNotOptimize(sum);
  }
  reportPerPoint(state, n);
  state.SetLabel(curveName(kind));
}

void curveArguments(benchmark::internal::Benchmark* b) {
  for (int kind : {circleRunningOn, ellipseRunningOn, randomPolyline, denseCircle})
    for (int n : {100000, 1000000}) b->Args({kind, n});
  b->ArgNames({"curve", "points"});
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_CurveToLinesAndArcs)->Apply(curveArguments);
BENCHMARK(BM_CurveToLinesAndArcsCold)->Apply(curveArguments)->Iterations(4);
BENCHMARK(BM_ReadCurvePoints)->ArgsProduct({{circleRunningOn}, {100000, 1000000}})->ArgNames({"curve", "points"})->Unit(benchmark::kMillisecond);

void BM_WritersEllipse(benchmark::State& state) {
  const modelRegistrationC registration;
  metaObjectC ellipse = metaObjectVirtualDataBaseC::createTree("ELLIPSE", true);
  {
    mObjPoint2dC(ellipse.getOrAddChild("POINT")).setPoint({0, 0});
    metaObjectC(ellipse.getOrAddChild("RAD1")).setDouble(10);
    metaObjectC(ellipse.getOrAddChild("RAD2")).setDouble(5);
    metaObjectC(ellipse.getOrAddChild("ANGLE")).setDouble(0);
  }
  int arcs = 0, others = 0;
  for (auto _ : state) {
    metaObjectC out = metaObjectVirtualDataBaseC::createTree("OUT", true);
    benchmark::DoNotOptimize(mBaseShape2dC(ellipse.node()).toLinesAndArcs(0.01, 0.0001, out.node()));
    state.PauseTiming();
    arcs = others = 0;
    for (metaTreeC* c = out.getFirstChild(); c; c = c->next()) (c->hasKey("ARC") ? arcs : others) += 1;
    out.release();
    state.ResumeTiming();
  }
  state.counters["arcs"] = arcs;
  state.counters["other_shapes"] = others;
}
BENCHMARK(BM_WritersEllipse)->Unit(benchmark::kMicrosecond);

// The writers' own path: an ellipse or an elliptic arc sampled into the
// approximator's buffers and fitted, its pieces handed to a sink that counts
// them. One approximator serves every shape, as a writer keeps it through a
// drawing.
class countingSinkC final : public fittedPieceSinkC {
public:
  void line(const point2dC&, const point2dC&) override { ++pieces; }
  void arc(const point2dC&, const point2dC&, const point2dC&) override { ++pieces; }
  void circle(const point2dC&, double) override { ++pieces; }
  int pieces = 0;
};

void BM_WritersApproximation(benchmark::State& state) {
  const modelRegistrationC registration;
  const bool arc = state.range(0) != 0;
  metaObjectC shape = metaObjectVirtualDataBaseC::createTree(arc ? "ELLIPSEARC" : "ELLIPSE", true);
  mObjPoint2dC(shape.getOrAddChild("POINT")).setPoint({125.25, -40.5});
  metaObjectC(shape.getOrAddChild("RAD1")).setDouble(13);
  metaObjectC(shape.getOrAddChild("RAD2")).setDouble(5);
  metaObjectC(shape.getOrAddChild("ANGLE")).setDouble(101);
  if (arc) {
    metaObjectC(shape.getOrAddChild("ANGLE1")).setDouble(20);
    metaObjectC(shape.getOrAddChild("ANGLE2")).setDouble(290);
  }
  shapeApproximatorC approximator;
  countingSinkC sink;
  for (auto _ : state) {
    sink.pieces = 0;
    benchmark::DoNotOptimize(approximator.approximate(shape.node(), 0.01, 0.0001, sink));
  }
  state.counters["pieces"] = sink.pieces;
  state.SetLabel(arc ? "elliptic arc" : "ellipse");
}
BENCHMARK(BM_WritersApproximation)->Arg(0)->Arg(1)->ArgName("arc")->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lorvane

BENCHMARK_MAIN();
