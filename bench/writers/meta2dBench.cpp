// Converting a large drawing to META2D, against the same records written the
// literal way (fprintf of "%1.24f" and a flush after every line).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lorvane/document/m2dShapes.h"
#include "lorvane/document/modelRegistration.h"
#include "benchFiles.h"
#include "benchmarkDrawings.h"
#include "conversionRuns.h"
#include "lorvane/geometry/shapeBase.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/schema/drawingRecords.h"
#include "lorvane/writers/meta2d/meta2dNumber.h"

namespace {

using namespace lorvane;

// LORVANE_BENCH_ITEMS makes the drawing smaller, for profiling runs.
const std::size_t kItems = std::getenv("LORVANE_BENCH_ITEMS") ? std::strtoul(std::getenv("LORVANE_BENCH_ITEMS"), nullptr, 10)
                                                             : 1000000;

const std::string& outputPath() {
  static const std::string path = bench::scratchOutputPath("lorvane_bench.krv");
  return path;
}

using bench::fileSize;

struct fixtureC {
  modelRegistrationC classes;
  metaTreeC* drawing = drawings::generateDrawing(kItems);
  ~fixtureC() { delete drawing; }
};

fixtureC& fixture() {
  static fixtureC f;
  return f;
}

// Counts live pooled blocks and their peak, to see what a conversion holds
// beyond its input.
std::int64_t gLive = 0;
std::int64_t gPeak = 0;
void* countingAlloc(std::size_t n) {
  if (++gLive > gPeak) gPeak = gLive;
  return memManSystemC::sizeClassHooks().alloc(n);
}
void countingFree(void* b) {
  --gLive;
  memManSystemC::sizeClassHooks().free(b);
}
void* countingRealloc(void* b, std::size_t n) {
  if (!b && ++gLive > gPeak) gPeak = gLive;
  return memManSystemC::sizeClassHooks().realloc(b, n);
}

// A host that shows a bar: it asks for the progress in between.
std::int64_t gProgressCalls = 0;
void countProgress(double, const char*) { ++gProgressCalls; }

void convertMeta2d(benchmark::State& state, bool progressDetail) {
  fixtureC& f = fixture();
  gProgressCalls = 0;
  const long long bytes =
      bench::timeConversions(state, "META", f.drawing, outputPath(), progressDetail ? &countProgress : nullptr);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
  state.counters["items"] = static_cast<double>(kItems);
  if (progressDetail) {
    state.counters["progress_calls"] = static_cast<double>(gProgressCalls) / static_cast<double>(state.iterations());
  }
}

void BM_Meta2dConversion(benchmark::State& state) { convertMeta2d(state, false); }
BENCHMARK(BM_Meta2dConversion)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The same with the progress reported in between: counting the items first
// and a counter compare for each item.
void BM_Meta2dConversionWithProgress(benchmark::State& state) { convertMeta2d(state, true); }
BENCHMARK(BM_Meta2dConversionWithProgress)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Meta2dConversionMemory(benchmark::State& state) {
  fixtureC& f = fixture();
  for (auto _ : state) {
    metaObjectC request = bench::conversionRequest("META", f.drawing, outputPath());
    memManSystemC* system = memManSystemC::get(true);
    const memManHooksC saved = memManSystemC::hooks();
    memManSystemC::setHooks({&countingAlloc, &countingFree, &countingRealloc});
    gLive = gPeak = static_cast<std::int64_t>(system->blockCount());
    const std::int64_t before = gLive;
    convertRequest(request.node(), nullptr);
    const std::int64_t after = gLive;
    memManSystemC::setHooks(saved);
    state.counters["input_blocks"] = static_cast<double>(before);
    state.counters["peak_extra_blocks"] = static_cast<double>(gPeak - before);
    state.counters["kept_extra_blocks"] = static_cast<double>(after - before);
  }
}
BENCHMARK(BM_Meta2dConversionMemory)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The literal way, on the same walk: each number through fprintf's "%1.24f"
// cut to 24 characters, each line flushed.
struct literalWriterC {
  std::FILE* file;
  void number(double v) {
    char text[400];
    const int n = std::snprintf(text, sizeof text, "%1.24f", v);
    std::fprintf(file, "%.24s ", text);
    (void)n;
  }
  void end() {
    std::fputs("\r\n", file);
    std::fflush(file);
  }
  void line(const std::string& text) {
    std::fprintf(file, "%s", text.c_str());
    end();
  }
  void items(metaTreeC* first) {
    int type = -1;
    for (metaTreeC* item = first; item; item = item->next()) {
      if (item->hasKey("SHAPEATTR")) {
        shapeAttributesRecordC a(item);
        const int width = a.width();
        type = a.type();
        std::fprintf(file, "900 %-3d", type);
        end();
        std::fprintf(file, "901 %-3d", width);
        end();
      }
      if (type == 4) continue;
      if (item->hasKey("LINE")) {
        m2dLineC l(item);
        std::fputs("100 ", file);
        number(l.getStartPoint().x), number(l.getStartPoint().y), number(l.getEndPoint().x), number(l.getEndPoint().y);
        end();
      } else if (item->hasKey("ARC")) {
        m2dArcC a(item);
        const arcValuesC v = a.getArcValues();
        const anglePairC p = writerAnglePair(v.startAngle, v.endAngle, v.clockwise);
        std::fputs("250 ", file);
        number(v.centre.x), number(v.centre.y), number(v.radius), number(p.from), number(p.to);
        end();
      } else if (item->hasKey("CIRCLE")) {
        m2dCircleC c(item);
        std::fputs("200 ", file);
        number(c.getCentre().x), number(c.getCentre().y), number(c.getRadius());
        end();
      } else if (item->hasKey("TEXT")) {
        m2dTextC t(item);
        std::fputs("500 ", file);
        number(t.getPosition().x), number(t.getPosition().y), number(t.getHeight()), number(t.getAngle());
        std::fputs(t.getText().c_str(), file);
        end();
      } else if (registeredShapeClass(item)) {
        figureItemsRecordC converted = figureItemsRecordC::createOwning();
        mBaseShape2dC(item).toLinesAndArcs(0.01, 0.0001, converted.node());
        items(converted.firstItem());
      }
    }
  }
  void drawing(metaTreeC* node) {
    drawingRecordC d(node);
    line("915 " + std::string(d.name()));
    keyedListViewC figures = d.figures();
    for (std::size_t i = 0; i < figures.count(); ++i) {
      figureRecordC figure(figures.at(i));
      const std::string name(figure.name());
      line("914 " + name);
      line("918 " + std::to_string(figure.viewNumber()) + "_" + name);
      line("511 " + name);
      figureItemsRecordC list = figure.items();
      list.rotate(figure.insertPoint().rotation());
      list.translate(figure.insertPoint().point());
      items(list.firstItem());
    }
    line("EOF");
  }
};

void BM_Meta2dLiteralBaseline(benchmark::State& state) {
  fixtureC& f = fixture();
  long long bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    metaObjectC copy(metaTreeC::copySubtree(f.drawing), true);
    state.ResumeTiming();
    literalWriterC writer{std::fopen(outputPath().c_str(), "wb")};
    writer.drawing(copy.node());
    std::fclose(writer.file);
    state.PauseTiming();
    bytes = fileSize(outputPath());
    copy.release();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * bytes);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_Meta2dLiteralBaseline)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// The number fields alone, for values such as a fitted arc's record holds:
// centre coordinates, a radius and two angles.
void BM_Meta2dNumberFields(benchmark::State& state) {
  std::vector<double> values;
  std::uint64_t seed = 88172645463325252u;
  const auto next = [&] {
    seed ^= seed << 13, seed ^= seed >> 7, seed ^= seed << 17;
    return static_cast<double>(seed >> 11) * 0x1.0p-53;
  };
  for (int i = 0; i < 4096; ++i) {
    values.push_back(next() * 20000 - 10000);
    values.push_back(next() * 20000 - 10000);
    values.push_back(next() * 50);
    values.push_back(next() * 360);
    values.push_back(next() * 360 + 360);
  }
  char field[kMeta2dNumberRoom];
  for (auto _ : state) {
    for (const double value : values) {
      benchmark::DoNotOptimize(formatMeta2dNumber(value, field));
      benchmark::ClobberMemory();
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * values.size()));
}
BENCHMARK(BM_Meta2dNumberFields)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
