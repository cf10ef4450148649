#include "lorvane/preview/svgReport.h"

#include <cmath>
#include <cstdio>

namespace lorvane::preview {

namespace {

// A browser's time to parse and first paint a document grows with its
// bytes: headless Chromium took 40 s for the 28 MB picture of a million
// items on a machine of two shared cores.
constexpr double browserBytesPerSecond = 0.7e6;

std::string grouped(std::size_t count) {
  std::string digits = std::to_string(count);
  for (std::size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
  return digits;
}

std::string rounded(double value, const char* format) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

}  // namespace

std::string largeDocumentNotice(const std::string& path, std::size_t bytes, const svgStatsC& stats,
                                double secondsToDraw) {
  const double megabytes = static_cast<double>(bytes) / 1e6;
  const double browserSeconds = std::ceil(static_cast<double>(bytes) / browserBytesPerSecond);
  return path + ": a large picture, " + rounded(megabytes, "%.1f") + " MB: " + grouped(stats.linesAndArcs) +
         " lines and arcs in " + grouped(stats.paths) + " paths, " + grouped(stats.circles) + " circles and " +
         grouped(stats.texts) + " texts, drawn in " + rounded(secondsToDraw, "%.1f") +
         " s. A browser may take " + rounded(browserSeconds, "%.0f") +
         " s or more to show it (--format png gives a picture of fixed size instead).";
}

}  // namespace lorvane::preview
