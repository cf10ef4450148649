// bench_tool_run [--repeats=N] [benchmark options]: the tool end to end, each
// run a process of its own. BM_ToolLargeDrawing runs print, both
// conversions, check and both previews of a 1M-item drawing in turn; BM_ToolCatalogue converts 2,000
// small drawings in one call and in calls of 100. Each repeats N times (5
// unless given) and ends with its figures: medians and minima of CPU time
// (user + system) and wall time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runFigures.h"
#include "toolRuns.h"

namespace {

constexpr int kDefaultRepeats = 5;

// Takes --repeats=N out of the arguments, which then go to the benchmark library.
int takeRepeats(int& argc, char** argv) {
  int repeats = kDefaultRepeats;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--repeats=", 10) == 0) repeats = std::max(1, std::atoi(argv[i] + 10));
    else argv[kept++] = argv[i];
  }
  argc = kept;
  return repeats;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = takeRepeats(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const struct {
    const char* name;
    void (*run)(benchmark::State&);
  } benchmarks[] = {{"BM_ToolLargeDrawing", lorvane::bench::BM_ToolLargeDrawing},
                    {"BM_ToolCatalogue", lorvane::bench::BM_ToolCatalogue}};
  for (const auto& b : benchmarks)
    benchmark::RegisterBenchmark(b.name, b.run)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(repeats);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  for (const std::string& line : lorvane::bench::summaryLines()) std::printf("%s\n", line.c_str());
  lorvane::bench::removeLargeDrawing();
  lorvane::bench::removeCatalogue();
  return 0;
}
