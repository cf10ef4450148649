// Converting large drawings to MI: a single figure of chained lines, whose
// shared end points go through the point index, and the mixed drawing of the
// META2D benchmark.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "lorvane/document/modelRegistration.h"
#include "benchmarkDrawings.h"
#include "conversionRuns.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/module/builtInFormats.h"

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

}  // namespace

BENCHMARK_MAIN();
