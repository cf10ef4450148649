// Converting large drawings to MI: a single figure of chained lines, whose
// shared end points go through the point index, and the mixed drawing of the
// META2D benchmark; and the point index on its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "lorvane/document/modelRegistration.h"
#include "benchmarkDrawings.h"
#include "conversionRuns.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/writers/me10/pointGridIndex.h"

namespace {

using namespace lorvane;

const std::string& outputPath() {
  static const std::string path = bench::scratchOutputPath("lorvane_bench.mi");
  return path;
}

modelRegistrationC& modelClasses() {
  static modelRegistrationC classes;
  return classes;
}

// Inputs are built once per size; each run converts a fresh copy, since a
// conversion rotates the items in place and adds the members it misses.
metaTreeC* lineChain(std::size_t lines) {
  static std::map<std::size_t, std::unique_ptr<metaTreeC>> inputs;
  auto& input = inputs[lines];
  if (!input) input.reset(drawings::generateLineChainFigure(lines));
  return input.get();
}

metaTreeC* mixedDrawing() {
  static std::unique_ptr<metaTreeC> drawing(drawings::generateDrawing(1000000));
  return drawing.get();
}

// A host that shows a bar: it asks for the progress in between.
std::int64_t gProgressCalls = 0;
void countProgress(double, const char*) { ++gProgressCalls; }

void convert(benchmark::State& state, metaTreeC* input, std::int64_t items, bool progressDetail = false) {
  gProgressCalls = 0;
  const long long bytes =
      bench::timeConversions(state, "MI", input, outputPath(), progressDetail ? &countProgress : nullptr);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * items);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["ns_per_item"] = benchmark::Counter(static_cast<double>(state.iterations()) * static_cast<double>(items) * 1e-9,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ME10LineChain(benchmark::State& state) {
  modelClasses();
  const auto lines = static_cast<std::size_t>(state.range(0));
  convert(state, lineChain(lines), static_cast<std::int64_t>(lines));
}
BENCHMARK(BM_ME10LineChain)->Arg(100000)->Arg(1000000)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

void BM_ME10MixedDrawing(benchmark::State& state) {
  modelClasses();
  convert(state, mixedDrawing(), 1000000);
}
BENCHMARK(BM_ME10MixedDrawing)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

// The same with the progress reported in between: counting the items first
// and a counter compare for each item and record.
void BM_ME10MixedDrawingWithProgress(benchmark::State& state) {
  modelClasses();
  convert(state, mixedDrawing(), 1000000, true);
  state.counters["progress_calls"] = static_cast<double>(gProgressCalls) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ME10MixedDrawingWithProgress)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

// The point look-ups of a chain of arcs spread over a sheet: each arc
// brings a new centre and end point, and starts where the one before ended.
const std::vector<ME10Point>& arcChainPoints() {
  static const std::vector<ME10Point> points = [] {
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> coordinate(0.0, 1000.0);
    std::vector<ME10Point> lookups;
    ME10Point end{coordinate(random), coordinate(random)};
    for (int arc = 0; arc < 500000; ++arc) {
      const ME10Point start = end;
      end = {coordinate(random), coordinate(random)};
      lookups.insert(lookups.end(), {{coordinate(random), coordinate(random)}, start, end});
    }
    return lookups;
  }();
  return points;
}

// Each look-up waits for its table slot before the next one starts. Both
// make room ahead, as a part following another does.
void BM_PointIndexOneAtATime(benchmark::State& state) {
  const std::vector<ME10Point>& points = arcChainPoints();
  for (auto _ : state) {
    pointGridIndexC index;
    index.reserve(points.size());
    bool added = false;
    for (const ME10Point& p : points) benchmark::DoNotOptimize(index.findOrAdd(p, added));
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * points.size()));
}
BENCHMARK(BM_PointIndexOneAtATime)->Unit(benchmark::kMillisecond);

// In batches as a part looks them up, the slots of later points loading
// meanwhile.
void BM_PointIndexBatched(benchmark::State& state) {
  const std::vector<ME10Point>& points = arcChainPoints();
  constexpr std::size_t kBatch = 240;
  std::int32_t indices[kBatch];
  for (auto _ : state) {
    pointGridIndexC index;
    index.reserve(points.size());
    for (std::size_t at = 0; at < points.size(); at += kBatch) {
      index.findOrAddEach(points.data() + at, std::min(kBatch, points.size() - at), indices);
      benchmark::DoNotOptimize(indices);
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * points.size()));
}
BENCHMARK(BM_PointIndexBatched)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
