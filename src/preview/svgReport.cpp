#include "lorvane/preview/svgReport.h"

#include <cmath>
#include <cstdio>

namespace lorvane::preview {

namespace {

// A browser's time to parse and first paint a document grows with its
// bytes: headless Chromium took 40 s for the 28 MB picture of a million
// items on a machine of two shared cores.
constexpr double browserBytesPerSecond = 0.7e6;

// Appends rather than inserts: GCC 12 at -O3 takes an insert into the
// string for an overlapping copy and fails the build (-Werror=restrict).
std::string grouped(std::size_t count) {
  const std::string digits = std::to_string(count);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
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
