// The commands run on many inputs as one batch: outputs gathered in a
// folder, a summary line, the worst status, and reader errors that point at
// the mistake.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "processRunner.h"

namespace lorvane::testing {
namespace {

std::string tool() { return quoted(LORVANE_TOOL_PATH); }
std::string example(const char* name) { return std::string(LORVANE_EXAMPLES_DIR) + "/" + name + ".mt"; }

// A figure of two items, in a folder of its own under the scratch folder.
std::string figureIn(const std::string& folder, const std::string& name) {
  std::filesystem::create_directories(scratchPath(folder));
  const std::string path = scratchPath(folder) + "/" + name;
  writeFileBytes(path, "FIGURE{NAME{\"F\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,2}} CIRCLE{POINT{0,0} RAD{1}}}}");
  return path;
}

TEST(Convert, AReaderErrorNamesFileLineAndColumnOfTheMistake) {
  const std::string input = scratchPath("typo.mt");
  writeFileBytes(input, "FIGURE{\n  FIGURITEMS{\n    LINE{POINT(120,0) POINT{1,1}}\n  }\n}\n");
  const processResultC r = runProcess(tool() + " convert -q -f MI " + quoted(input));
  EXPECT_EQ(r.exitCode, 2);
  // First on its line, where editors look for it.
  EXPECT_EQ(r.err.rfind(hostPath(input) + ":3:15: Line:3 - ill seperator char; found '(', expected '{'", 0), 0u)
      << r.err;
}

TEST(Convert, AnOutputFolderHoldsEachOutputUnderItsInputsName) {
  const std::string a = figureIn("in", "a.mt"), b = figureIn("in", "b.part.mt");
  const std::string folder = scratchPath("out");
  const processResultC r = runProcess(tool() + " convert -q -f MI -O " + quoted(folder) + " " + quoted(a) + " " + quoted(b));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fileExists(folder + "/a.mi"));
  EXPECT_TRUE(fileExists(folder + "/b.part.mi"));
  // Inputs of one base name from two folders would write one output.
  const std::string again = figureIn("other", "a.mt");
  const processResultC twice =
      runProcess(tool() + " convert -q -f MI -O " + quoted(folder) + " " + quoted(a) + " " + quoted(again));
  EXPECT_EQ(twice.exitCode, 2);
  EXPECT_NE(twice.err.find("an earlier input's output has that name"), std::string::npos) << twice.err;
  EXPECT_EQ(runProcess(tool() + " convert -f MI -O " + quoted(folder) + " -o x.mi " + quoted(a)).exitCode, 2);
}

TEST(Convert, ABatchEndsWithOneSummaryAndItsWorstStatus) {
  const std::string good = figureIn("in", "good.mt");
  const std::string bad = scratchPath("bad.mt");
  writeFileBytes(bad, "FIGURE{");
  const std::string both = quoted(good) + " " + quoted(bad);
  const processResultC r = runProcess(tool() + " convert -f MI " + both);
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(messageText(r.out).find("\n1 file converted, 1 failed, 2 items, "), std::string::npos) << r.out;
  EXPECT_EQ(runProcess(tool() + " convert -q -f MI " + both).out, "");
}

TEST(Preview, DrawsManyInputsIntoAFolder) {
  const std::string folder = scratchPath("pictures");
  const processResultC r = runProcess(tool() + " preview -O " + quoted(folder) + " " + quoted(example("washer")) + " " +
                                      quoted(figureIn("in", "two.mt")));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(fileExists(folder + "/washer.svg"));
  EXPECT_TRUE(fileExists(folder + "/two.svg"));
  EXPECT_NE(r.out.find("2 files drawn, 0 failed, "), std::string::npos) << r.out;
}

TEST(Check, ChecksManyInputsAndFailsWhenOneFails) {
  const std::string broken = scratchPath("broken.mt");
  writeFileBytes(broken, "FIGURE{NAME{\"F\"}");
  const processResultC r = runProcess(tool() + " check " + quoted(example("washer")) + " " + quoted(broken));
  EXPECT_EQ(r.exitCode, 2);
  const std::string out = messageText(r.out);
  EXPECT_NE(out.find("washer.mt:\nMETA2D agrees with the drawing"), std::string::npos) << out;
  EXPECT_NE(out.find("1 file in agreement, 1 failed, "), std::string::npos) << out;
  EXPECT_EQ(runProcess(tool() + " check --mi x.mi " + quoted(broken) + " " + quoted(broken)).exitCode, 2);
}

}  // namespace
}  // namespace lorvane::testing
