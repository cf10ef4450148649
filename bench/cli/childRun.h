#pragma once
// Runs a program as a child process and tells what it cost: the one place
// the benchmarks talk to the operating system.
#include <string>
#include <vector>

namespace lorvane::bench {

struct childRunC {
  int exitCode = -1;
  double seconds = 0;          // wall time, start to end
  double cpuSeconds = 0;       // user + system time of the child; 0 where not known
  double peakKilobytes = 0;    // maximum resident set; 0 where not known
};

// The program with its arguments, its standard output going to outputPath.
childRunC runChild(const std::vector<std::string>& arguments, const std::string& outputPath);

}  // namespace lorvane::bench
