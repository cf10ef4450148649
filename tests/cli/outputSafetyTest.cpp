// The tool never loses a file: an output is never one of the inputs, and a
// target is replaced only by a finished conversion.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "processRunner.h"
#include "testFiles.h"

namespace lorvane::testing {
namespace {

namespace fs = std::filesystem;

std::string tool() { return quoted(LORVANE_TOOL_PATH); }

// A folder of its own for each test, so that leftovers can be seen.
class OutputSafety : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = scratchPath("out");
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  std::string write(const std::string& name, const std::string& bytes) const {
    writeFileBytes(path(name), bytes);
    return path(name);
  }
  std::size_t filesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

const char* const kDrawing = "FIGURE{NAME{\"A\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,2}}}}";
// A drawing the plug-in writes but reports: META2D cannot hold the number.
const char* const kUnwritable = "FIGURE{NAME{\"A\"} FIGURITEMS{LINE{POINT{1e30,0} POINT{1,2}}}}";

TEST_F(OutputSafety, AnOutputThatIsTheInputUnderAnotherNameIsRefused) {
  const std::string input = write("part.mt", kDrawing);
  std::vector<std::string> spellings = {path("part.mt"), (folder_ / "." / "part.mt").string()};
  std::error_code failed;
  fs::create_symlink(input, path("link.mt"), failed);
  if (!failed) spellings.push_back(path("link.mt"));
  fs::create_hard_link(input, path("hard.mt"), failed);
  if (!failed) spellings.push_back(path("hard.mt"));
  for (const std::string& output : spellings) {
    for (const std::string command : {" convert -q -f MI -o ", " preview -o "}) {
      const processResultC r = runProcess(tool() + command + quoted(output) + " " + quoted(input));
      EXPECT_EQ(r.exitCode, 2) << command << output;
      EXPECT_NE(r.err.find("it is the input file"), std::string::npos) << r.err;
    }
  }
  EXPECT_EQ(fileContents(input), kDrawing);
}

TEST_F(OutputSafety, AnOutputThatIsAnyOtherInputOfACatalogueIsRefused) {
  // The output of the first input is the last input, spelt otherwise; the
  // input between is converted.
  const std::string first = write("first.mt", kDrawing);
  const std::string middle = write("middle.mt", kDrawing);
  write("first.mi", kDrawing);
  const std::string last = (folder_ / "." / "first.mi").string();
  const processResultC r = runProcess(tool() + " convert -q -f MI " + quoted(first) + " " + quoted(middle) + " " + quoted(last));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("refusing to write " + hostPath(path("first.mi")) + ": it is the input file " + hostPath(last)),
            std::string::npos)
      << r.err;
  EXPECT_EQ(fileContents(path("first.mi")), kDrawing);
  EXPECT_TRUE(fs::exists(path("middle.mi")));
}

TEST_F(OutputSafety, TheFileStandardInputReadsIsAnInputToo) {
  const std::string input = write("part.mt", kDrawing);
  std::vector<std::string> spellings = {input};
#if !defined(_WIN32)
  spellings.push_back("/dev/stdin");
#endif
  for (const std::string& output : spellings) {
    const processResultC r =
        runProcess(tool() + " convert -q -f META -o " + quoted(output) + " - < " + quoted(input));
    EXPECT_EQ(r.exitCode, 2) << output;
    EXPECT_NE(r.err.find("it is the input file that standard input reads"), std::string::npos) << r.err;
  }
  EXPECT_EQ(fileContents(input), kDrawing);
}

TEST_F(OutputSafety, AFailedConversionLeavesTheTargetAsItWasAndNothingBeside) {
  const std::string input = write("wide.mt", kUnwritable);
  const std::string target = write("wide.krv", "the file of yesterday");
  const processResultC r = runProcess(tool() + " convert -q -f META -o " + quoted(target) + " " + quoted(input));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("nicht darstellbar! ("), std::string::npos) << r.err;
  EXPECT_EQ(fileContents(target), "the file of yesterday");
  EXPECT_EQ(filesInFolder(), 2u);

  // On request the failed file is put in place, to be looked at.
  const processResultC kept =
      runProcess(tool() + " convert -q --keep-failed -f META -o " + quoted(target) + " " + quoted(input));
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_EQ(fileContents(target).substr(0, 6), "915 A\r");
  EXPECT_EQ(filesInFolder(), 2u);
}

TEST_F(OutputSafety, AMissingFolderIsTheSameErrorInEveryCommand) {
  const std::string input = write("part.mt", kDrawing);
  const std::string missing = path("no-such-folder") + "/out";
  for (const std::string command : {" convert -q -f MI -o ", " preview -o "}) {
    const processResultC r = runProcess(tool() + command + quoted(missing) + " " + quoted(input));
    EXPECT_EQ(r.exitCode, 2) << command;
    // The system's reason follows the path.
    const std::size_t at = r.err.find("cannot write " + hostPath(missing) + ": ");
    ASSERT_NE(at, std::string::npos) << r.err;
    EXPECT_GT(r.err.size(), at + missing.size() + 16) << r.err;
  }
  EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(OutputSafety, ADashIsStandardOutputInEveryCommand) {
  const std::string input = write("part.mt", kDrawing);
  const processResultC converted = runProcess(tool() + " convert -f META -o - " + quoted(input));
  EXPECT_EQ(converted.exitCode, 0) << converted.err;
  // Numbers fill their 24-character fields; an absent view number reads as 0.
  EXPECT_EQ(converted.out, "915 A\r\n914 A\r\n918 0_A\r\n511 A\r\n100 0.0000000000000000000000 0.0000000000000000000000 "
                           "1.0000000000000000000000 2.0000000000000000000000 \r\nEOF\r\n");
  const processResultC drawn = runProcess(tool() + " preview -o - " + quoted(input));
  EXPECT_EQ(drawn.exitCode, 0) << drawn.err;
  EXPECT_EQ(drawn.out.rfind("<?xml", 0), 0u);
  EXPECT_EQ(filesInFolder(), 1u);
}

// Every command's output must arrive: a device that takes nothing is an
// output that cannot be written, with the system's reason.
TEST_F(OutputSafety, AStandardOutputThatTakesNothingIsReportedByEveryCommand) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // lint has something to say about it: an arc through points on one line.
  const std::string input = write("part.mt", "FIGURE{NAME{\"A\"} FIGURITEMS{ARC{POINT{0,0} POINT{1,0} POINT{2,0}}}}");
  for (const std::string command : {" print ", " lint ", " check ", " convert -q -f MI -o - "}) {
    // In a subshell, so that the capture of standard output does not replace it.
    const processResultC r = runProcess("(" + tool() + command + quoted(input) + " > /dev/full)");
    EXPECT_EQ(r.exitCode, 2) << command << r.err;
    const std::size_t said = r.err.find("cannot write standard output: ");
    EXPECT_NE(said, std::string::npos) << command << r.err;
    EXPECT_EQ(r.err.find("cannot write standard output", said + 1), std::string::npos) << "said once" << r.err;
  }
  const processResultC converted = runProcess(tool() + " convert -q -f MI -o /dev/full " + quoted(input));
  EXPECT_EQ(converted.exitCode, 1) << converted.err;
  EXPECT_NE(converted.err.find("(the output file could not be written completely: "), std::string::npos)
      << converted.err;
}

#if !defined(_WIN32)
// Stopped while it waits for its drawing on standard input (its temporary
// beside the target already made), the tool removes it and ends by the
// signal: a shell sees 128 + its number.
TEST_F(OutputSafety, AnInterruptedConversionLeavesNothingBeside) {
  const processResultC r = runProcess("sleep 2 | " + tool() + " convert -q -f MI -o " + quoted(path("part.mi")) +
                                      " - & sleep 1; kill -TERM $!; wait $!; echo $?");
  EXPECT_EQ(r.out, "143\n") << r.err;
  EXPECT_EQ(filesInFolder(), 0u);
}
#endif

TEST_F(OutputSafety, FormatNamesAreOneTableInAnyCase) {
  const std::string input = write("part.mt", kDrawing);
  for (const char* name : {"me10", "Mi", "meta2d", "META2DV1"}) {
    EXPECT_EQ(runProcess(tool() + " convert -q -f " + name + " -o " + quoted(path("x.out")) + " " + quoted(input)).exitCode, 0)
        << name;
    EXPECT_EQ(runProcess(tool() + " preview --via " + name + " -o " + quoted(path("x.svg")) + " " + quoted(input)).exitCode, 0)
        << name;
  }
  const processResultC r = runProcess(tool() + " preview --via DXF -o " + quoted(path("x.svg")) + " " + quoted(input));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("META2DV1, META, MI (also META2D, ME10)"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace lorvane::testing
