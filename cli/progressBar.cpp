#include "progressBar.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace lorvane::cli {
namespace {

// Where each stage starts on the bar, in percent. Converting is by far the
// longest stage; reading the file into a drawing takes about a fifth of the run.
constexpr double kStageStart[] = {0.0, 20.0, 100.0};

// A terminal is written at most this often while an input is on its way: a
// catalogue of small drawings would otherwise spend as long drawing a hundred
// steps of each bar as converting it.
constexpr std::chrono::milliseconds kRedrawPause{100};

bool gEnabled = false;
bool gDrawn = false;
int gStage = 0;
int gShownPercent = -1;
int gReachedPercent = -1;
std::chrono::steady_clock::time_point gLastDrawn;
std::string gLabel;

void show(int whole) {
  constexpr int kWidth = 30;
  gShownPercent = whole;
  gLastDrawn = std::chrono::steady_clock::now();
  const int filled = whole * kWidth / 100;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), '.');
  std::fprintf(stderr, "\r%s [%s] %3d%%", gLabel.c_str(), bar.c_str(), whole);
  std::fflush(stderr);
  gDrawn = true;
}

void draw(double percent) {
  // The value comes from the module; a strange one must not break the bar.
  if (!(percent >= 0.0)) percent = 0.0;
  if (percent > 100.0) percent = 100.0;
  const int whole = static_cast<int>(percent);
  // The bar never runs backwards, and an unchanged bar is not drawn again.
  if (whole <= gReachedPercent) return;
  gReachedPercent = whole;
  if (gDrawn && std::chrono::steady_clock::now() - gLastDrawn < kRedrawPause) return;
  show(whole);
}

}  // namespace

void enableProgressBar(bool enabled, const char* label) {
  gEnabled = enabled;
  gDrawn = false;
  gStage = 0;
  gShownPercent = -1;
  gReachedPercent = -1;
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
  // The line left behind shows how far the input came.
  if (gEnabled && gDrawn && gReachedPercent > gShownPercent) show(gReachedPercent);
  if (gEnabled && gDrawn) std::fputc('\n', stderr);
  gDrawn = false;
  gEnabled = false;
}

}  // namespace lorvane::cli
