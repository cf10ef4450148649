#include "progressBar.h"

#include <cstdio>
#include <string>

namespace lorvane::cli {
namespace {

// Where each stage starts on the bar, in percent. Converting is by far the
// longest stage; reading the file into a drawing takes about a fifth of the run.
constexpr double kStageStart[] = {0.0, 20.0, 100.0};

bool gEnabled = false;
bool gDrawn = false;
int gStage = 0;
int gShownPercent = -1;
std::string gLabel;

void draw(double percent) {
  // The value comes from the module; a strange one must not break the bar.
  if (!(percent >= 0.0)) percent = 0.0;
  if (percent > 100.0) percent = 100.0;
  const int whole = static_cast<int>(percent);
  // The bar never runs backwards, and an unchanged bar is not drawn again.
  if (whole <= gShownPercent) return;
  gShownPercent = whole;
  constexpr int kWidth = 30;
  const int filled = static_cast<int>(percent / 100.0 * kWidth);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), '.');
  std::fprintf(stderr, "\r%s [%s] %3d%%", gLabel.c_str(), bar.c_str(), whole);
  std::fflush(stderr);
  gDrawn = true;
}

}  // namespace

void enableProgressBar(bool enabled, const char* label) {
  gEnabled = enabled;
  gDrawn = false;
  gStage = 0;
  gShownPercent = -1;
  gLabel = label ? label : "";
}

void enterProgressStage(progressStage stage) {
  gStage = static_cast<int>(stage);
  showStageProgress(0.0);
}

void showStageProgress(double share) {
  if (!gEnabled) return;
  if (!(share >= 0.0)) share = 0.0;
  if (share > 1.0) share = 1.0;
  const double from = kStageStart[gStage];
  draw(from + share * (kStageStart[gStage + 1] - from));
}

extern "C" void drawProgress(double percent, const char*) {
  if (!gEnabled) return;
  gStage = static_cast<int>(progressStage::converting);
  showStageProgress(percent / 100.0);
}

void finishProgressBar() {
  if (gEnabled && gDrawn) std::fputc('\n', stderr);
  gDrawn = false;
  gEnabled = false;
}

}  // namespace lorvane::cli
