// A catalogue: 2,000 small drawings converted to MI by one call against the
// same files in calls of 100, to show that one call costs its inputs and a
// constant (--benchmark_filter=Catalogue runs only this).
#include "toolRuns.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "benchFiles.h"
#include "childRun.h"
#include "randomDrawing.h"
#include "runFigures.h"

namespace lorvane::bench {
namespace {

constexpr std::uint64_t kCatalogueDrawings = 2000;
constexpr std::size_t kCallSize = 100;
bool gCatalogueWritten = false;

std::string catalogueFolder() { return scratchOutputPath("lorvane_catalogue"); }

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
childRunC convertCatalogue(std::size_t from, std::size_t count) {
  std::vector<std::string> arguments = {LORVANE_TOOL_PATH, "convert", "-q", "-f", "MI"};
  const auto first = catalogue().begin() + static_cast<std::ptrdiff_t>(from);
  arguments.insert(arguments.end(), first, first + static_cast<std::ptrdiff_t>(count));
  return runChild(arguments, scratchOutputPath("lorvane_catalogue.out"));
}

void summarise(const std::vector<double>& oneCpu, const std::vector<double>& oneWall,
               const std::vector<double>& splitCpu, const std::vector<double>& splitWall,
               const std::vector<double>& ratio) {
  char line[256];
  std::snprintf(line, sizeof line,
                "The catalogue (%llu drawings to MI), %zu repeats, both ways in turn in each; median (minimum):",
                static_cast<unsigned long long>(kCatalogueDrawings), oneCpu.size());
  summaryLines().push_back(line);
  std::snprintf(line, sizeof line, "  one call:          CPU s %s  wall s %s  drawings per CPU s %.0f",
                medianAndMinimum(oneCpu, 2).c_str(), medianAndMinimum(oneWall, 2).c_str(),
                median(oneCpu) > 0 ? kCatalogueDrawings / median(oneCpu) : 0.0);
  summaryLines().push_back(line);
  std::snprintf(line, sizeof line, "  calls of %zu:      CPU s %s  wall s %s", kCallSize,
                medianAndMinimum(splitCpu, 2).c_str(), medianAndMinimum(splitWall, 2).c_str());
  summaryLines().push_back(line);
  std::snprintf(line, sizeof line, "  one call's CPU time x the calls': %s", medianAndMinimum(ratio, 2).c_str());
  summaryLines().push_back(line);
}

}  // namespace

// The iteration time is the one call's wall time.
void BM_ToolCatalogue(benchmark::State& state) {
  catalogue();
  std::vector<double> oneCpu, oneWall, splitCpu, splitWall, ratio;
  for (auto _ : state) {
    removeCatalogueOutputs();
    const childRunC one = convertCatalogue(0, kCatalogueDrawings);
    removeCatalogueOutputs();
    double cpu = 0, wall = 0;
    bool failed = one.exitCode != 0;
    for (std::size_t from = 0; from < kCatalogueDrawings; from += kCallSize) {
      const childRunC part = convertCatalogue(from, kCallSize);
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
  state.counters["calls_of_100_cpu_s"] = median(splitCpu);
  state.counters["cpu_x_calls_of_100"] = median(ratio);
  summarise(oneCpu, oneWall, splitCpu, splitWall, ratio);
}

void removeCatalogue() {
  if (!gCatalogueWritten) return;
  std::error_code ignored;
  std::filesystem::remove_all(catalogueFolder(), ignored);
  std::remove(scratchOutputPath("lorvane_catalogue.out").c_str());
}

}  // namespace lorvane::bench
