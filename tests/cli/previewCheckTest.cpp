// lorvane preview and lorvane check run as processes on the bundled
// examples and on files altered by hand.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "processRunner.h"

namespace lorvane::testing {
namespace {

std::string tool() { return quoted(LORVANE_TOOL_PATH); }
std::string scratch(const std::string& name) { return scratchPath(name); }
std::string example(const char* name) { return std::string(LORVANE_EXAMPLES_DIR) + "/" + name + ".mt"; }
const char* const kExamples[] = {"bracket", "washer"};

std::string convert(const std::string& input, const char* format, const std::string& output) {
  const processResultC r =
      runProcess(tool() + " convert -q -f " + format + " -o " + quoted(output) + " " + quoted(input));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return fileContents(output);
}

// The 1-based number of the first line that starts with prefix, and where
// that line starts in the text.
std::size_t lineStarting(const std::string& text, const std::string& prefix, std::size_t& at) {
  std::size_t line = 1;
  for (std::size_t pos = 0; pos < text.size(); ++line) {
    if (text.compare(pos, prefix.size(), prefix) == 0) {
      at = pos;
      return line;
    }
    const std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return 0;
}

std::size_t count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST(Check, EveryBundledExampleAgreesInBothFormats) {
  for (const char* name : kExamples) {
    const processResultC r = runProcess(tool() + " check " + quoted(example(name)));
    EXPECT_EQ(r.exitCode, 0) << name << ": " << r.out << r.err;
    EXPECT_NE(r.out.find("META2D agrees with the drawing"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("MI     agrees with the drawing"), std::string::npos) << r.out;
  }
}

TEST(Check, AMovedLineInTheMeta2dFileIsReportedWithItsLine) {
  std::string file = convert(example("bracket"), "META", scratch("moved.krv"));
  std::size_t at = 0;
  const std::size_t line = lineStarting(file, "100 ", at);
  ASSERT_GT(line, 0u);
  // The first number's integer digit: 0 becomes 1, a change far beyond
  // what 22 decimals can blur.
  ASSERT_EQ(file[at + 4], '0');
  file[at + 4] = '1';
  writeFileBytes(scratch("moved.krv"), file);

  const processResultC r = runProcess(tool() + " check --meta2d " + quoted(scratch("moved.krv")) + " " +
                                      quoted(example("bracket")));
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("META2D differs in figure \"Front view\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("line " + std::to_string(line) + ": line (1, 0) to (117, 0)"), std::string::npos) << r.out;
  // The drawing's first line stands on line 20 of the example.
  EXPECT_NE(r.out.find("the drawing, line 20: line (0, 0) to (117, 0)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("MI     agrees"), std::string::npos) << r.out;
}

TEST(Check, AMovedPointInTheMiFileIsReported) {
  std::string file = convert(example("washer"), "MI", scratch("moved.mi"));
  std::size_t at = 0;
  const std::size_t line = lineStarting(file, "P\r\n", at);
  ASSERT_GT(line, 0u);
  // P, its number, then x: replace x by a value no drawing of the example has.
  std::size_t xAt = at;
  for (int skip = 0; skip < 2; ++skip) xAt = file.find('\n', xAt) + 1;
  const std::size_t xEnd = file.find('\r', xAt);
  file.replace(xAt, xEnd - xAt, "12345");
  writeFileBytes(scratch("moved.mi"), file);

  const processResultC r = runProcess(tool() + " check --mi " + quoted(scratch("moved.mi")) + " " +
                                      quoted(example("washer")));
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  EXPECT_NE(r.out.find("MI     differs"), std::string::npos) << r.out;
  // The part's position (100, 50) moves the point as it moves every other.
  EXPECT_NE(r.out.find("circle about (12445, 50)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("META2D agrees"), std::string::npos) << r.out;
}

TEST(Check, AMissingElementIsReported) {
  std::string file = convert(example("bracket"), "META", scratch("short.krv"));
  std::size_t at = 0;
  const std::size_t line = lineStarting(file, "200 ", at);
  ASSERT_GT(line, 0u);
  file.erase(at, file.find('\n', at) + 1 - at);
  writeFileBytes(scratch("short.krv"), file);
  const processResultC r = runProcess(tool() + " check --meta2d " + quoted(scratch("short.krv")) + " " +
                                      quoted(example("bracket")));
  EXPECT_EQ(r.exitCode, 1) << r.out << r.err;
  // The file's next record now stands where the circle was.
  EXPECT_NE(r.out.find("the drawing, line 26: circle about (20, 30) radius 6.5"), std::string::npos) << r.out;
}

TEST(Check, TakesOnlyADrawingInTheTextForm) {
  const std::string file = scratch("written.krv");
  convert(example("washer"), "META", file);
  const processResultC r = runProcess(tool() + " check " + quoted(file));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("a written META2D file, not a drawing"), std::string::npos) << r.err;
}

TEST(Check, AnUnreadableWrittenFileNamesItsLine) {
  writeFileBytes(scratch("broken.krv"), "915 x\r\n914 a\r\n511 a\r\n100 1 2 3 4 \r\nEOF\r\n");
  const processResultC r = runProcess(tool() + " check --meta2d " + quoted(scratch("broken.krv")) + " " +
                                      quoted(example("washer")));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(scratch("broken.krv") + ":4:"), std::string::npos) << r.err;
}

TEST(Preview, DrawsEachExampleWithoutChangingIt) {
  for (const char* name : kExamples) {
    const std::string before = fileContents(example(name));
    const std::string output = scratch(std::string(name) + ".svg");
    const processResultC r = runProcess(tool() + " preview -o " + quoted(output) + " " + quoted(example(name)));
    EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
    EXPECT_EQ(fileContents(example(name)), before) << name;
    const std::string svg = fileContents(output);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u) << name;
    EXPECT_NE(svg.find("</svg>"), std::string::npos) << name;
  }
}

TEST(Preview, AFigureBecomesAGroupWithItsName) {
  const std::string output = scratch("bracket-names.svg");
  ASSERT_EQ(runProcess(tool() + " preview -o " + quoted(output) + " " + quoted(example("bracket"))).exitCode, 0);
  const std::string svg = fileContents(output);
  EXPECT_NE(svg.find("data-name=\"Front view\""), std::string::npos);
  EXPECT_NE(svg.find("data-name=\"Side view\""), std::string::npos);
  // Through MI the parts carry their numbered names.
  ASSERT_EQ(runProcess(tool() + " preview --via MI -o " + quoted(output) + " " + quoted(example("bracket"))).exitCode,
            0);
  EXPECT_NE(fileContents(output).find("data-name=\"Front view`~1\""), std::string::npos);
}

TEST(Preview, ReadsWrittenFilesByTheirContent) {
  // Names that do not tell the format: the content does.
  const std::string meta2d = scratch("a-written-file.txt");
  const std::string mi = scratch("another-written-file.txt");
  convert(example("washer"), "META", meta2d);
  convert(example("washer"), "MI", mi);
  for (const std::string& input : {meta2d, mi}) {
    const processResultC r = runProcess(tool() + " preview -o " + quoted(input + ".svg") + " " + quoted(input));
    EXPECT_EQ(r.exitCode, 0) << input << ": " << r.err;
    const std::string svg = fileContents(input + ".svg");
    // A circle is a closed subpath of path data; the washer's lines close
    // none.
    std::size_t closed = 0;
    for (std::size_t at = svg.find(" d=\""); at != std::string::npos; at = svg.find(" d=\"", at + 1)) {
      const std::size_t end = svg.find('"', at + 4);
      for (std::size_t k = at + 4; k < end; ++k) closed += svg[k] == 'z';
    }
    EXPECT_EQ(closed, count(fileContents(meta2d), "\n200 ")) << input;
  }
}

TEST(Preview, ABrokenFileGivesItsLineAndExitTwo) {
  const std::string broken = scratch("broken.mi");
  std::string file = convert(example("washer"), "MI", broken);
  const std::size_t cut = file.find("#~61");
  ASSERT_NE(cut, std::string::npos);
  file.resize(cut + 6);  // the file now ends right after "#~61"
  writeFileBytes(broken, file);
  const processResultC r = runProcess(tool() + " preview -o " + quoted(broken + ".svg") + " " + quoted(broken));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(broken + ":"), std::string::npos) << r.err;
}

TEST(Preview, AnExtensionThatContradictsTheFormatIsRefused) {
  std::filesystem::remove(scratch("x.jpg"));
  for (const std::string& arguments : {" -o " + quoted(scratch("x.jpg")), " -f png -o " + quoted(scratch("x.svg")),
                                       " -f svg -o " + quoted(scratch("x.png"))}) {
    const processResultC r = runProcess(tool() + " preview" + arguments + " " + quoted(example("washer")));
    EXPECT_EQ(r.exitCode, 2) << arguments;
    EXPECT_NE(r.err.find("picture into"), std::string::npos) << r.err;
  }
  EXPECT_FALSE(std::filesystem::exists(scratch("x.jpg")));
}

TEST(Preview, WidthIsForPngOnly) {
  const processResultC r =
      runProcess(tool() + " preview --width 500 -o " + quoted(scratch("w.svg")) + " " + quoted(example("washer")));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--width sizes a PNG picture"), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(scratch("w.svg")));
}

TEST(Preview, StandardInputNeedsAnOutput) {
  const processResultC r = runProcess(tool() + " preview - < " + quoted(example("washer")));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("standard input needs --output"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace lorvane::testing
