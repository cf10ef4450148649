// The progress bar of a batch, drawn into a file that stands for the
// terminal.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lorvane/cli/progressBar.h"

namespace lorvane::cli {
namespace {

TEST(ProgressBar, OneBarFollowsTheWholeBatch) {
  std::FILE* terminal = std::tmpfile();
  ASSERT_NE(terminal, nullptr);
  startProgressBar(terminal, 3);
  for (std::size_t items : {4u, 0u, 6u}) {
    enterProgressStage(progressStage::readingDrawing);
    showStageProgress(1.0);
    drawProgress(50.0, "");
    progressFileDone(items);
  }
  finishProgressBar();
  std::rewind(terminal);
  std::string drawn;
  for (int c; (c = std::fgetc(terminal)) != EOF;) drawn += static_cast<char>(c);
  std::fclose(terminal);
  // One line, ending as the batch did.
  EXPECT_EQ(drawn.find('\n'), drawn.size() - 1) << drawn;
  EXPECT_NE(drawn.find("\r[" + std::string(30, '#') + "] 3/3 files, 10 items\n"), std::string::npos) << drawn;
}

}  // namespace
}  // namespace lorvane::cli
