#include "lorvane/cli/progressBar.h"

#include <chrono>
#include <string>

namespace lorvane::cli {
namespace {

// Where each stage starts within a file's share, in percent. Converting is
// by far the longest stage; reading the file into a drawing takes about a
// fifth of the run.
constexpr double kStageStart[] = {0.0, 20.0, 100.0};

// A terminal is written at most this often: a catalogue of small drawings
// would otherwise spend as long drawing the bar as converting them.
constexpr std::chrono::milliseconds kRedrawPause{100};
constexpr int kWidth = 30;

struct barC {
  std::FILE* terminal = nullptr;
  std::size_t files = 0;
  std::size_t filesDone = 0;
  std::size_t items = 0;
  int stage = 0;
  double fileShare = 0;     // of the current file, 0 to 1
  int reachedPerMille = -1;  // of the whole batch
  bool drawn = false;
  std::size_t drawnWidth = 0;
  std::chrono::steady_clock::time_point lastDrawn;
};
barC gBar;

void show() {
  const int filled = gBar.reachedPerMille * kWidth / 1000;
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.append(static_cast<std::size_t>(kWidth - filled), '.');
  const std::string line = "[" + bar + "] " + std::to_string(gBar.filesDone) + "/" + std::to_string(gBar.files) +
                           " files, " + std::to_string(gBar.items) + " items";
  std::fprintf(gBar.terminal, "\r%s", line.c_str());
  std::fflush(gBar.terminal);
  gBar.drawn = true;
  gBar.drawnWidth = line.size();
  gBar.lastDrawn = std::chrono::steady_clock::now();
}

// The bar never runs backwards, and an unchanged bar is not drawn again;
// now draws it whatever the pause.
void update(bool now) {
  if (!gBar.terminal || gBar.files == 0) return;
  const double done = (static_cast<double>(gBar.filesDone) + gBar.fileShare) / static_cast<double>(gBar.files);
  const int perMille = static_cast<int>(done * 1000);
  if (perMille <= gBar.reachedPerMille && gBar.drawn && !now) return;
  if (perMille > gBar.reachedPerMille) gBar.reachedPerMille = perMille;
  // Also after a message took its line: a batch of small files, each
  // followed by its line, would otherwise draw the bar once per file.
  if (!now && std::chrono::steady_clock::now() - gBar.lastDrawn < kRedrawPause) return;
  show();
}

}  // namespace

void startProgressBar(std::FILE* terminal, std::size_t files) {
  gBar = barC{};
  gBar.terminal = terminal;
  gBar.files = files;
}

void enterProgressStage(progressStage stage) {
  gBar.stage = static_cast<int>(stage);
  showStageProgress(0.0);
}

void showStageProgress(double share) {
  if (!gBar.terminal) return;
  // The value may come from the module; a strange one must not break the bar.
  if (!(share >= 0.0)) share = 0.0;
  if (share > 1.0) share = 1.0;
  const double from = kStageStart[gBar.stage];
  const double percent = from + share * (kStageStart[gBar.stage + 1] - from);
  if (percent / 100.0 > gBar.fileShare) gBar.fileShare = percent / 100.0;
  update(false);
}

extern "C" void drawProgress(double percent, const char*) {
  if (!gBar.terminal) return;
  gBar.stage = static_cast<int>(progressStage::converting);
  showStageProgress(percent / 100.0);
}

void progressFileDone(std::size_t items) {
  if (!gBar.terminal) return;
  ++gBar.filesDone;
  gBar.items += items;
  gBar.fileShare = 0;
  gBar.stage = 0;
  update(false);
}

void clearProgressBar() {
  if (!gBar.terminal || !gBar.drawn) return;
  std::fprintf(gBar.terminal, "\r%s\r", std::string(gBar.drawnWidth, ' ').c_str());
  gBar.drawn = false;
}

void finishProgressBar() {
  // The line left behind shows the whole batch done.
  if (gBar.terminal && gBar.files > 0) {
    update(true);
    std::fputc('\n', gBar.terminal);
    std::fflush(gBar.terminal);
  }
  gBar = barC{};
}

}  // namespace lorvane::cli
