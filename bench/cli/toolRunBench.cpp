// The tool end to end on the 1M-item drawing (10 figures x 100,000 items,
// 2% ellipses and elliptic arcs), each run a process of its own as a user
// starts it: `lorvane print` (reading the text and writing it back) against
// converting to META2D and to MI, and `check` and `preview` against those. Reports wall time and peak memory, and
// at the end each conversion's time as a multiple of print's and its peak
// memory as a multiple of the input file's bytes.
//
// And the preview of that drawing as PNG against SVG.
//
// And a catalogue: 2,000 small drawings converted to MI by one call against
// the same files in calls of 100, to show that one call costs its inputs
// and a constant (--benchmark_filter=Catalogue runs only this).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "benchFiles.h"
#include "benchmarkDrawings.h"
#include "childRun.h"
#include "randomDrawing.h"
#include "lorvane/metatree/metaTextWriter.h"

namespace {

using namespace lorvane;

// The drawing as an exporting host writes it: a member a line, no indentation.
bool gInputWritten = false;

const std::string& inputPath() {
  static const std::string path = [] {
    gInputWritten = true;
    const std::string file = bench::scratchOutputPath("lorvane_tool_run.mt");
    const std::unique_ptr<metaTreeC> tree(drawings::generateFigureDrawing(10, 100000));
    std::string text = writeTree(tree.get(), true, true);
    text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }();
  return path;
}

void runTool(benchmark::State& state, std::vector<std::string> arguments) {
  const std::string input = inputPath();
  arguments.insert(arguments.begin(), LORVANE_TOOL_PATH);
  arguments.push_back(input);
  const std::string output = bench::scratchOutputPath("lorvane_tool_run.out");
  double peak = 0;
  double cpu = 0;
  for (auto _ : state) {
    const bench::childRunC run = bench::runChild(arguments, output);
    if (run.exitCode != 0) {
      state.SkipWithError("the tool failed");
      return;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peakKilobytes);
    cpu += run.cpuSeconds;
  }
  state.counters["cpu_s"] = benchmark::Counter(cpu, benchmark::Counter::kAvgIterations);
  const auto inputBytes = static_cast<double>(bench::fileSize(input));
  state.counters["input_MB"] = inputBytes / 1e6;
  state.counters["peak_MB"] = peak * 1024 / 1e6;
  state.counters["peak_x_input"] = peak * 1024 / inputBytes;
  std::remove(output.c_str());
}

void BM_ToolPrint(benchmark::State& state) { runTool(state, {"print"}); }
void BM_ToolConvertMeta2d(benchmark::State& state) {
  runTool(state, {"convert", "-q", "-f", "META", "-o", bench::scratchOutputPath("lorvane_tool_run.krv")});
}
void BM_ToolConvertMi(benchmark::State& state) {
  runTool(state, {"convert", "-q", "-f", "MI", "-o", bench::scratchOutputPath("lorvane_tool_run.mi")});
}
// What looks at the written files: within twice the MI conversion's time
// and peak memory is the aim.
void BM_ToolCheck(benchmark::State& state) { runTool(state, {"check"}); }
void BM_ToolPreview(benchmark::State& state) {
  runTool(state, {"preview", "-o", bench::scratchOutputPath("lorvane_tool_run.svg")});
}
BENCHMARK(BM_ToolPrint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToolConvertMeta2d)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToolConvertMi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToolCheck)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToolPreview)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
// The PNG picture painted from the drawn scene, against the SVG of
// BM_ToolPreview, whose layout it shares (both convert through META2D first).
void BM_ToolPreviewPng(benchmark::State& state) {
  runTool(state, {"preview", "-f", "png", "-o", bench::scratchOutputPath("lorvane_tool_run.png")});
}
BENCHMARK(BM_ToolPreviewPng)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// --- the catalogue ---

constexpr std::uint64_t kCatalogueDrawings = 2000;
constexpr std::size_t kCallSize = 100;
bool gCatalogueWritten = false;

std::string catalogueFolder() { return bench::scratchOutputPath("lorvane_catalogue"); }

// Drawing n has 50 to 500 items in 1 to 5 figures; each a file of its own.
const std::vector<std::string>& catalogue() {
  static const std::vector<std::string> files = [] {
    gCatalogueWritten = true;
    std::filesystem::create_directories(catalogueFolder());
    std::vector<std::string> paths;
    for (std::uint64_t seed = 1; seed <= kCatalogueDrawings; ++seed) {
      drawings::randomDrawingOptionsC options;
      options.figures = 1 + seed % 5;
      options.itemsPerFigure = (50 + (seed * 7919) % 451) / options.figures;
      options.seed = seed;
      paths.push_back(catalogueFolder() + "/d" + std::to_string(seed) + ".mt");
      std::ofstream(paths.back(), std::ios::binary) << drawings::randomDrawingText(options);
    }
    return paths;
  }();
  return files;
}

// Each way starts without the files of the last: replacing a file costs
// other calls than making one.
void removeCatalogueOutputs() {
  for (const std::string& input : catalogue()) std::remove((input.substr(0, input.size() - 2) + "mi").c_str());
}

// Converts the files [from, from + count) in one call; the outputs go beside them.
bench::childRunC convertCatalogue(std::size_t from, std::size_t count) {
  std::vector<std::string> arguments = {LORVANE_TOOL_PATH, "convert", "-q", "-f", "MI"};
  const auto first = catalogue().begin() + static_cast<std::ptrdiff_t>(from);
  arguments.insert(arguments.end(), first, first + static_cast<std::ptrdiff_t>(count));
  return bench::runChild(arguments, bench::scratchOutputPath("lorvane_catalogue.out"));
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Each repeat runs both ways in turn, so that both meet the same load on a
// shared machine; CPU time (user + system) is what compares there, wall
// time is shown beside it. The iteration time is the one call's wall time.
void BM_ToolCatalogue(benchmark::State& state) {
  catalogue();
  std::vector<double> oneCpu, oneWall, splitCpu, splitWall, ratio;
  for (auto _ : state) {
    removeCatalogueOutputs();
    const bench::childRunC one = convertCatalogue(0, kCatalogueDrawings);
    removeCatalogueOutputs();
    double cpu = 0, wall = 0;
    bool failed = one.exitCode != 0;
    for (std::size_t from = 0; from < kCatalogueDrawings; from += kCallSize) {
      const bench::childRunC part = convertCatalogue(from, kCallSize);
      failed = failed || part.exitCode != 0;
      cpu += part.cpuSeconds;
      wall += part.seconds;
    }
    if (failed) {
      state.SkipWithError("the tool failed");
      return;
    }
    state.SetIterationTime(one.seconds);
    oneCpu.push_back(one.cpuSeconds);
    oneWall.push_back(one.seconds);
    splitCpu.push_back(cpu);
    splitWall.push_back(wall);
    if (cpu > 0) ratio.push_back(one.cpuSeconds / cpu);
  }
  state.counters["one_call_cpu_s"] = median(oneCpu);
  state.counters["one_call_wall_s"] = median(oneWall);
  state.counters["calls_of_100_cpu_s"] = median(splitCpu);
  state.counters["calls_of_100_wall_s"] = median(splitWall);
  state.counters["cpu_x_calls_of_100"] = median(ratio);
  state.counters["cpu_x_min"] = ratio.empty() ? 0 : *std::min_element(ratio.begin(), ratio.end());
  state.counters["drawings_per_cpu_s"] = median(oneCpu) > 0 ? kCatalogueDrawings / median(oneCpu) : 0;
}
BENCHMARK(BM_ToolCatalogue)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The usual table, then each conversion against print.
class ratioReporterC : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      if (const auto catalogue = run.counters.find("cpu_x_calls_of_100"); catalogue != run.counters.end()) {
        catalogueRatio_ = catalogue->second.value;
        continue;
      }
      const auto peak = run.counters.find("peak_x_input");
      seconds_[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                              peak == run.counters.end() ? 0 : peak->second.value};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    if (catalogueRatio_ > 0)
      std::printf("BM_ToolCatalogue: one call over %llu drawings %.2fx the CPU time of calls of %zu (median)\n",
                  static_cast<unsigned long long>(kCatalogueDrawings), catalogueRatio_, kCallSize);
    const auto print = seconds_.find("BM_ToolPrint");
    if (print == seconds_.end()) return;
    for (const auto& [name, result] : seconds_) {
      if (name == "BM_ToolPrint") continue;
      std::printf("%s: %.2fx the time of print, peak memory %.1fx the input\n", name.c_str(),
                  result.time / print->second.time, result.peak);
    }
  }

private:
  struct resultC {
    double time;
    double peak;
  };
  std::map<std::string, resultC> seconds_;
  double catalogueRatio_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ratioReporterC reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (gInputWritten) std::remove(inputPath().c_str());
  for (const char* picture : {"lorvane_tool_run.png", "lorvane_tool_run.svg"}) {
    std::remove(bench::scratchOutputPath(picture).c_str());
  }
  if (gCatalogueWritten) {
    std::error_code ignored;
    std::filesystem::remove_all(catalogueFolder(), ignored);
    std::remove(bench::scratchOutputPath("lorvane_catalogue.out").c_str());
  }
  return 0;
}
