#pragma once
// Figures of repeated runs: each measure kept per repeat, summed up as its
// median and minimum, and the lines each benchmark leaves for the end.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace lorvane::bench {

inline double median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double minimum(const std::vector<double>& values) {
  return values.empty() ? 0 : *std::min_element(values.begin(), values.end());
}

// "median (min)" with the digits given.
inline std::string medianAndMinimum(const std::vector<double>& values, int digits) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f (%.*f)", digits, median(values), digits, minimum(values));
  return text;
}

// Lines printed after the benchmarks' table, in the order they were added.
inline std::vector<std::string>& summaryLines() {
  static std::vector<std::string> lines;
  return lines;
}

}  // namespace lorvane::bench
