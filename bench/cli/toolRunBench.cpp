// The tool end to end on the 1M-item drawing (10 figures x 100,000 items,
// 2% ellipses and elliptic arcs), each run a process of its own as a user
// starts it: `lorvane print` (reading the text and writing it back) against
// converting to META2D and to MI. Reports wall time and peak memory, and
// at the end each conversion's time as a multiple of print's and its peak
// memory as a multiple of the input file's bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "benchFiles.h"
#include "benchmarkDrawings.h"
#include "childRun.h"
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
  for (auto _ : state) {
    const bench::childRunC run = bench::runChild(arguments, output);
    if (run.exitCode != 0) {
      state.SkipWithError("the tool failed");
      return;
    }
    state.SetIterationTime(run.seconds);
    peak = std::max(peak, run.peakKilobytes);
  }
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
BENCHMARK(BM_ToolPrint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToolConvertMeta2d)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ToolConvertMi)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// The usual table, then each conversion against print.
class ratioReporterC : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const auto peak = run.counters.find("peak_x_input");
      seconds_[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                              peak == run.counters.end() ? 0 : peak->second.value};
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
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
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  ratioReporterC reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (gInputWritten) std::remove(inputPath().c_str());
  return 0;
}
