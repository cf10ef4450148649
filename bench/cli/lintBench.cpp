// lorvane lint on a large drawing, against reading the drawing's text: lint
// must cost a fraction of the read (and far less than a conversion).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "benchFiles.h"
#include "benchmarkDrawings.h"
#include "lorvane/lint/drawingLint.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"

namespace {

using namespace lorvane;

// LORVANE_BENCH_ITEMS makes the drawing smaller, for profiling runs.
const std::size_t kItems =
    std::getenv("LORVANE_BENCH_ITEMS") ? std::strtoul(std::getenv("LORVANE_BENCH_ITEMS"), nullptr, 10) : 1000000;

// The drawing as an exported file holds it: records that hold items opened
// and closed on lines of their own, every other member and every item on
// one line, so that findings have lines to point at.
void appendLines(metaTreeC* chain, std::string& out) {
  for (metaTreeC* node = chain; node; node = node->next()) {
    if (node->hasKey("DRAWING") || node->hasKey("DRAWINGITEMS") || node->hasKey("FIGURE") ||
        node->hasKey("FIGURITEMS")) {
      out += node->value().text().view();
      out += "{\n";
      appendLines(node->firstChild(), out);
      out += "}\n";
    } else {
      out += writeTree(node, false, true);
      out += '\n';
    }
  }
}

// The drawing's text and the tree read from it, with its line tags.
struct fixtureC {
  std::string text;
  metaObjectC tree;

  fixtureC() {
    metaObjectC generated(drawings::generateDrawing(kItems), true);
    appendLines(generated.node(), text);
    // The same file for measuring the tool itself (lorvane lint, print, convert).
    const std::string path = bench::scratchOutputPath("lorvane_bench_lint.mt");
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
      std::fwrite(text.data(), 1, text.size(), file);
      std::fclose(file);
      std::fprintf(stderr, "drawing of %zu items, %zu bytes: %s\n", kItems, text.size(), path.c_str());
    }
    metaTextReaderC reader;
    tree = reader.readTree(text, true);
    // The generated drawing is clean: every finding would be a fault here.
    cli::lint::lintReportC report;
    cli::lint::lintChain(tree.node(), "bench", report);
    if (reader.failed() || !report.findings().empty()) {
      std::fprintf(stderr, "generated drawing: %s%s\n", reader.errorText().c_str(),
                   report.findings().empty() ? "" : cli::lint::findingLine(report.findings().front()).c_str());
      std::abort();
    }
  }
};

fixtureC& fixture() {
  static fixtureC instance;
  return instance;
}

void setCounters(benchmark::State& state) {
  const std::size_t bytes = fixture().text.size();
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
  state.counters["items"] = static_cast<double>(kItems);
}

// What lint adds to reading: the walk and every rule.
void BM_LintTree(benchmark::State& state) {
  const metaTreeC* tree = fixture().tree.node();
  for (auto _ : state) {
    cli::lint::lintReportC report;
    cli::lint::lintChain(tree, "bench", report);
    benchmark::DoNotOptimize(report.findings().data());
  }
  setCounters(state);
}
BENCHMARK(BM_LintTree)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The read lint starts with, for comparison.
void BM_ReadText(benchmark::State& state) {
  const std::string& text = fixture().text;
  metaTextReaderC reader;
  for (auto _ : state) {
    metaObjectC tree = reader.readTree(text, true);
    benchmark::DoNotOptimize(tree.node());
    state.PauseTiming();
    tree.release();
    state.ResumeTiming();
  }
  setCounters(state);
}
BENCHMARK(BM_ReadText)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// lorvane lint's work on one file after loading it: read, then lint (the
// tree's destruction left out, as in BM_ReadText).
void BM_ReadAndLint(benchmark::State& state) {
  const std::string& text = fixture().text;
  metaTextReaderC reader;
  for (auto _ : state) {
    metaObjectC tree = reader.readTree(text, true);
    cli::lint::lintReportC report;
    cli::lint::lintChain(tree.node(), "bench", report);
    benchmark::DoNotOptimize(report.findings().data());
    state.PauseTiming();
    tree.release();
    state.ResumeTiming();
  }
  setCounters(state);
}
BENCHMARK(BM_ReadAndLint)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
