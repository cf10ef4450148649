// The writers on drawings of 10 figures with 2% ellipses and elliptic arcs:
// the cost per item at 100,000 and at 1,000,000 items for both formats, and
// the phases the writers changed measured against the way they went before,
// in the same run: approximating ellipses through trees or through a buffer,
// placing items through the shape classes or directly, and writing MI
// numbers through to_chars or its fixed-form fast path.
#include <benchmark/benchmark.h>

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "lorvane/document/modelRegistration.h"
#include "benchFiles.h"
#include "benchmarkDrawings.h"
#include "conversionRuns.h"
#include "lorvane/geometry/shapeApproximation.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/geometry/shapePlacement.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "lorvane/writers/me10/miNumberFormat.h"
#include "lorvane/schema/figurePlacement.h"

namespace {

using namespace lorvane;

modelRegistrationC& modelClasses() {
  static modelRegistrationC classes;
  return classes;
}

constexpr std::size_t kFigures = 10;

metaTreeC* drawing(std::size_t items) {
  static std::map<std::size_t, std::unique_ptr<metaTreeC>> drawings;
  auto& d = drawings[items];
  if (!d) d.reset(drawings::generateFigureDrawing(kFigures, items / kFigures));
  return d.get();
}

// The items of the drawing's first figure.
metaTreeC* firstFigureItems(metaTreeC* d) {
  metaTreeC* figure = metaObjectC(d).getOrAddChild("DRAWINGITEMS")->firstChild();
  return metaObjectC(figure).getOrAddChild("FIGURITEMS");
}

void convert(benchmark::State& state, const char* format) {
  modelClasses();
  const auto items = static_cast<std::size_t>(state.range(0));
  metaTreeC* input = drawing(items);
  const std::string path = bench::scratchOutputPath(std::string("lorvane_large.").append(format).c_str());
  const long long bytes = bench::timeConversions(state, format, input, path);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["ns_per_item"] = benchmark::Counter(static_cast<double>(state.iterations() * items) * 1e-9,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_LargeMeta2d(benchmark::State& state) { convert(state, "META"); }
BENCHMARK(BM_LargeMeta2d)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_LargeMi(benchmark::State& state) { convert(state, "MI"); }
BENCHMARK(BM_LargeMi)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(2);

// The ellipses and elliptic arcs of one figure of 100,000 items.
std::vector<metaTreeC*> ellipses() {
  modelClasses();
  std::vector<metaTreeC*> shapes;
  for (metaTreeC* item = firstFigureItems(drawing(1000000))->firstChild(); item; item = item->next()) {
    if (item->hasKey("ELLIPSE") || item->hasKey("ELLIPSEARC")) shapes.push_back(item);
  }
  return shapes;
}

void BM_ApproximationThroughTrees(benchmark::State& state) {
  const std::vector<metaTreeC*> shapes = ellipses();
  std::int64_t pieces = 0;
  for (auto _ : state) {
    for (metaTreeC* shape : shapes) {
      metaObjectC output = metaObjectVirtualDataBaseC::createTree("FIGURITEMS", true);
      mBaseShape2dC(shape).toLinesAndArcs(0.01, 0.0001, output.node());
      for (metaTreeC* piece = output.node()->firstChild(); piece; piece = piece->next()) ++pieces;
    }
  }
  benchmark::DoNotOptimize(pieces);
  state.counters["shapes"] = static_cast<double>(shapes.size());
}
BENCHMARK(BM_ApproximationThroughTrees)->Unit(benchmark::kMillisecond);

class countingSinkC : public fittedPieceSinkC {
public:
  void line(const point2dC&, const point2dC&) override { ++pieces; }
  void arc(const point2dC&, const point2dC&, const point2dC&) override { ++pieces; }
  void circle(const point2dC&, double) override { ++pieces; }
  std::int64_t pieces = 0;
};

void BM_ApproximationThroughABuffer(benchmark::State& state) {
  const std::vector<metaTreeC*> shapes = ellipses();
  countingSinkC sink;
  shapeApproximatorC approximator;
  for (auto _ : state) {
    for (metaTreeC* shape : shapes) approximator.approximate(shape, 0.01, 0.0001, sink);
  }
  benchmark::DoNotOptimize(sink.pieces);
  state.counters["shapes"] = static_cast<double>(shapes.size());
}
BENCHMARK(BM_ApproximationThroughABuffer)->Unit(benchmark::kMillisecond);

// Placing one figure of 100,000 items (a copy, turned again each time).
metaObjectC figureCopy() {
  modelClasses();
  return metaObjectC(metaTreeC::copySubtree(firstFigureItems(drawing(1000000))), true);
}

void BM_PlacementThroughTheShapeClasses(benchmark::State& state) {
  metaObjectC items = figureCopy();
  for (auto _ : state) {
    transformChain(items.node()->firstChild(), rotationMatrix(15));
    transformChain(items.node()->firstChild(), translationMatrix(500, 0));
  }
}
BENCHMARK(BM_PlacementThroughTheShapeClasses)->Unit(benchmark::kMillisecond);

void BM_PlacementDirect(benchmark::State& state) {
  metaObjectC items = figureCopy();
  for (auto _ : state) placeChain(items.node()->firstChild(), 15, {500, 0});
}
BENCHMARK(BM_PlacementDirect)->Unit(benchmark::kMillisecond);

// Coordinates as a drawing has them: a few decimals, some hundreds in size.
std::vector<double> coordinates() {
  std::vector<double> values;
  for (int i = 0; i < 100000; ++i) values.push_back(static_cast<double>(i % 99991) * 0.0137 - 400.25 + i * 1e-7);
  return values;
}

void BM_MiNumbersThroughToChars(benchmark::State& state) {
  const std::vector<double> values = coordinates();
  char text[kMiNumberBufferSize];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (double v : values) {
      std::string widened(text, std::to_chars(text, text + sizeof text, v, std::chars_format::general, 6).ptr);
      widenExponent(widened);
      bytes += widened.size();
    }
  }
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_MiNumbersThroughToChars)->Unit(benchmark::kMicrosecond);

void BM_MiNumbersFixedFormFastPath(benchmark::State& state) {
  const std::vector<double> values = coordinates();
  char text[kMiNumberBufferSize];
  std::size_t bytes = 0;
  for (auto _ : state) {
    for (double v : values) bytes += formatMiFloat(v, text);
  }
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK(BM_MiNumbersFixedFormFastPath)->Unit(benchmark::kMicrosecond);

}  // namespace

// LORVANE_BENCH_WRITE_DRAWINGS=folder writes the drawings in the text form
// instead (large.mt, and mixed.mt of the other writer benchmarks), for
// comparing the tool's output on them with that of another build.
int main(int argc, char** argv) {
  if (const char* folder = std::getenv("LORVANE_BENCH_WRITE_DRAWINGS")) {
    const std::unique_ptr<metaTreeC> mixed(drawings::generateDrawing(1000000));
    const std::pair<const char*, metaTreeC*> drawings[] = {{"/large.mt", drawing(1000000)}, {"/mixed.mt", mixed.get()}};
    for (const auto& [name, tree] : drawings) {
      std::ofstream(std::string(folder) + name, std::ios::binary) << writeTree(tree, true, true);
    }
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
