#include "progressBar.h"

#include <cstdio>
#include <string>

namespace lorvane::cli {
namespace {

bool gEnabled = false;
bool gDrawn = false;
std::string gLabel;

}  // namespace

void enableProgressBar(bool enabled, const char* label) {
  gEnabled = enabled;
  gDrawn = false;
  gLabel = label ? label : "";
}

extern "C" void drawProgress(double percent, const char*) {
  if (!gEnabled) return;
  // The value comes from the module; a strange one must not break the bar.
  if (!(percent >= 0.0)) percent = 0.0;
  if (percent > 100.0) percent = 100.0;
  constexpr int kWidth = 30;
  const int filled = static_cast<int>(percent / 100.0 * kWidth);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), '.');
  std::fprintf(stderr, "\r%s [%s] %3d%%", gLabel.c_str(), bar.c_str(), static_cast<int>(percent));
  std::fflush(stderr);
  gDrawn = true;
}

void finishProgressBar() {
  if (gEnabled && gDrawn) std::fputc('\n', stderr);
  gDrawn = false;
}

}  // namespace lorvane::cli
