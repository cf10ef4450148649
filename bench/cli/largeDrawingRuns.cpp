// The tool end to end on the 1M-item drawing (10 figures x 100,000 items,
// 2% ellipses and elliptic arcs), each run a process of its own as a user
// starts it: `lorvane print` (reading the text and writing it back),
// converting to META2D and to MI, checking both files and drawing the
// preview as SVG and as PNG, one after another in each repeat, so that all
// meet the same load on a shared machine.
//
// CPU time (user + system of the process) is what compares there; wall time
// and the peak resident memory are shown beside it. Each conversion's CPU
// time is also taken as a multiple of print's in the same repeat.
#include "toolRuns.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "benchFiles.h"
#include "benchmarkDrawings.h"
#include "childRun.h"
#include "runFigures.h"
#include "lorvane/metatree/memory/nodePages.h"
#include "lorvane/metatree/metaTextWriter.h"

namespace lorvane::bench {
namespace {

// The drawing as an exporting host writes it: a member a line, no indentation.
bool gInputWritten = false;

const std::string& inputPath() {
  static const std::string path = [] {
    gInputWritten = true;
    const std::string file = scratchOutputPath("lorvane_tool_run.mt");
    {
      const std::unique_ptr<metaTreeC> tree(drawings::generateFigureDrawing(10, 100000));
      std::string text = writeTree(tree.get(), true, true);
      text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
      std::ofstream(file, std::ios::binary) << text;
    }
    // A child starts with this process's resident memory counted in its
    // peak: the regions the tree emptied go back now, not kept for a tree.
    nodePages::releaseKeptRegions();
    return file;
  }();
  return path;
}

struct toolCommandC {
  const char* label;
  const char* counter;
  std::vector<std::string> arguments;  // before the input
  std::vector<double> cpu, wall, peakMegabytes, cpuTimesPrint;
};

std::vector<toolCommandC> commands() {
  const auto convert = [](const char* format, const char* file) {
    return std::vector<std::string>{"convert", "-q", "-f", format, "-o", scratchOutputPath(file)};
  };
  return {{"print", "print_cpu_s", {"print"}, {}, {}, {}, {}},
          {"convert META2D", "meta2d_cpu_s", convert("META", "lorvane_tool_run.krv"), {}, {}, {}, {}},
          {"convert MI", "mi_cpu_s", convert("MI", "lorvane_tool_run.mi"), {}, {}, {}, {}},
          // What reads the written files back: within twice the MI
          // conversion's time and peak memory is the aim.
          {"check", "check_cpu_s", {"check"}, {}, {}, {}, {}},
          {"preview SVG", "svg_cpu_s", {"preview", "-o", scratchOutputPath("lorvane_tool_run.svg")}, {}, {}, {}, {}},
          // The PNG painted from the drawn scene, whose layout the SVG shares.
          {"preview PNG", "png_cpu_s", {"preview", "-o", scratchOutputPath("lorvane_tool_run.png")}, {}, {}, {}, {}}};
}

void summarise(const std::vector<toolCommandC>& runs, std::size_t repeats) {
  const double inputMegabytes = static_cast<double>(fileSize(inputPath())) / 1e6;
  char line[256];
  std::snprintf(line, sizeof line,
                "The 1M-item drawing (%.1f MB), %zu repeats, the commands in turn in each; median (minimum):",
                inputMegabytes, repeats);
  summaryLines().push_back(line);
  summaryLines().push_back("  command          CPU s            wall s           peak MB  peak x input  CPU x print");
  for (const toolCommandC& command : runs) {
    const double peak = median(command.peakMegabytes);
    const std::string ratio = command.cpuTimesPrint.empty() ? "" : medianAndMinimum(command.cpuTimesPrint, 2);
    std::snprintf(line, sizeof line, "  %-16s %-16s %-16s %7.1f  %12.2f  %s", command.label,
                  medianAndMinimum(command.cpu, 2).c_str(), medianAndMinimum(command.wall, 2).c_str(), peak,
                  peak / inputMegabytes, ratio.c_str());
    summaryLines().push_back(line);
  }
}

}  // namespace

void BM_ToolLargeDrawing(benchmark::State& state) {
  const std::string input = inputPath();
  const std::string output = scratchOutputPath("lorvane_tool_run.out");
  std::vector<toolCommandC> runs = commands();
  std::size_t repeats = 0;
  for (auto _ : state) {
    double wall = 0;
    for (toolCommandC& command : runs) {
      std::vector<std::string> arguments = command.arguments;
      arguments.insert(arguments.begin(), LORVANE_TOOL_PATH);
      arguments.push_back(input);
      const childRunC run = runChild(arguments, output);
      if (run.exitCode != 0) {
        state.SkipWithError("the tool failed");
        return;
      }
      command.cpu.push_back(run.cpuSeconds);
      command.wall.push_back(run.seconds);
      command.peakMegabytes.push_back(run.peakKilobytes * 1024 / 1e6);
      if (&command != &runs.front() && runs.front().cpu.back() > 0)
        command.cpuTimesPrint.push_back(run.cpuSeconds / runs.front().cpu.back());
      wall += run.seconds;
    }
    state.SetIterationTime(wall);
    ++repeats;
  }
  for (const toolCommandC& command : runs) state.counters[command.counter] = median(command.cpu);
  summarise(runs, repeats);
  std::remove(output.c_str());
}

void removeLargeDrawing() {
  if (gInputWritten) std::remove(inputPath().c_str());
}

}  // namespace lorvane::bench
