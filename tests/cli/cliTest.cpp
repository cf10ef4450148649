// The lorvane tool run as a process, with the plug-in it finds beside it.
#include <gtest/gtest.h>

#include <cstdio>

#include "processRunner.h"

namespace lorvane::testing {
namespace {

std::string tool() { return quoted(LORVANE_TOOL_PATH); }

std::string scratch(const std::string& name) { return scratchPath(name); }

std::string writeScratch(const std::string& name, const std::string& text) {
  const std::string path = scratch(name);
  writeFileBytes(path, text);
  return path;
}

// A test leaves nothing in the temporary folder: neither its scratch files
// nor what the tool made beside them.
TEST(Cli, ATestsScratchGoesWhenItEnds) {
  const std::string input = scratch("part.mt");
  writeFileBytes(input, "FIGURE{NAME{\"A\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,2}}}}");
  ASSERT_EQ(runProcess(tool() + " preview " + quoted(input)).exitCode, 0);
  ASSERT_TRUE(fileExists(scratch("part.svg")));
  sweepScratch();
  EXPECT_FALSE(fileExists(input));
  EXPECT_FALSE(fileExists(scratch("part.svg")));
}

TEST(Tool, ReportsItsVersion) {
  for (const char* spelling : {" --version", " -V", " version"}) {
    const processResultC r = runProcess(tool() + spelling);
    EXPECT_EQ(r.exitCode, 0) << spelling;
    EXPECT_EQ(r.out.substr(0, 13), "lorvane 1.0.0") << spelling;
  }
}

TEST(Tool, WithoutACommandPrintsUsageAndFails) {
  const processResultC r = runProcess(tool());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("usage: lorvane"), std::string::npos);
}

TEST(Tool, HelpIsOfferedForEachCommand) {
  for (const char* command : {"convert", "preview", "check", "formats", "caps", "print"}) {
    const processResultC r = runProcess(tool() + " " + command + " --help");
    EXPECT_EQ(r.exitCode, 0) << command;
    EXPECT_NE(r.out.find(std::string("usage: lorvane ") + command), std::string::npos) << command;
  }
}

TEST(Tool, HelpNamingACommandIsThatCommandsHelp) {
  const processResultC r = runProcess(tool() + " help convert");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, runProcess(tool() + " convert --help").out);
  EXPECT_EQ(runProcess(tool() + " help bogus").exitCode, 2);
}

// The README's usage block is the commands part of lorvane --help.
TEST(Tool, TheReadmeShowsTheCommandsAsTheHelpLists) {
  const std::string help = messageText(runProcess(tool() + " --help").out);
  const std::size_t from = help.find("commands:\n"), to = help.find("\n\noptions:");
  ASSERT_LT(from, to) << help;
  const std::string commands = help.substr(from + 10, to - from - 10);
  EXPECT_NE(fileContents(LORVANE_README).find("```\nlorvane [--module PATH] COMMAND [ARGS]\n\n" + commands + "\n```"),
            std::string::npos)
      << commands;
}

TEST(Tool, ListsTheOfferedFormats) {
  const processResultC r = runProcess(tool() + " formats");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("META2DV1   krv   KRV-V1 2D"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("META       krv   KRV-V1 2D"), std::string::npos);
  EXPECT_NE(r.out.find("MI         mi    MI 2D"), std::string::npos);
}

TEST(Tool, PrintsTheCapabilityTree) {
  const processResultC r = runProcess(tool() + " caps");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out.rfind("DLLIFACE{", 0), 0u);
  EXPECT_NE(r.out.find("\"exportme10.bmp\""), std::string::npos);
}

TEST(Tool, PrintWritesATreeBackPretty) {
  const std::string input = writeScratch("print.mt", "A{B{\"x\"},C{1.5}}");
  const processResultC r = runProcess(tool() + " print " + quoted(input));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("A{"), std::string::npos);
  EXPECT_NE(r.out.find("\t\t\"x\""), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("1.5"), std::string::npos);
}

TEST(Tool, PrintGivesTheReadersMessageForABrokenFile) {
  const std::string input = writeScratch("broken.mt", "A{\nB;C}");
  const processResultC r = runProcess(tool() + " print " + quoted(input));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("Line:2 - ill seperator char"), std::string::npos) << r.err;
}

TEST(Tool, PrintRefusesWhatConvertRefusesAsNoTree) {
  const std::string empty = writeScratch("print-empty.mt", "");
  const std::string written = writeScratch("print-written.krv", "915 x\r\nEOF\r\n");
  const processResultC r = runProcess(tool() + " print " + quoted(empty) + " " + quoted(written));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("print-empty.mt: the file is empty"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("print-written.krv: a written META2D file"), std::string::npos) << r.err;
}

TEST(Tool, ConvertRefusesAFormatThePlugInDoesNotOffer) {
  const std::string input = writeScratch("refused.mt", "FIGURE{NAME{\"F\"}}");
  const processResultC r = runProcess(tool() + " convert -f DXF " + quoted(input));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("META2DV1, META, MI"), std::string::npos) << r.err;
}

TEST(Tool, ConvertRefusesOneOutputForSeveralInputs) {
  const std::string a = writeScratch("a.mt", "FIGURE{}");
  const std::string b = writeScratch("b.mt", "FIGURE{}");
  const processResultC r = runProcess(tool() + " convert -f MI -o x.mi " + quoted(a) + " " + quoted(b));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("--output"), std::string::npos);
}

TEST(Tool, ConvertNeedsAFormatOrAKnownExtension) {
  const std::string input = writeScratch("noformat.mt", "FIGURE{}");
  const processResultC r = runProcess(tool() + " convert -o " + quoted(scratch("out.txt")) + " " + quoted(input));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("extension"), std::string::npos) << r.err;
}

TEST(Tool, ConvertRefusesAnInputTheReaderRejects) {
  const std::string input = writeScratch("rejected.mt", "FIGURE{");
  const processResultC r = runProcess(tool() + " convert -q -f META " + quoted(input));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("section count wrong"), std::string::npos) << r.err;
}

TEST(Tool, ConvertReportsAMissingInputFile) {
  const processResultC r = runProcess(tool() + " convert -f META " + quoted(scratch("does-not-exist.mt")));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("cannot open"), std::string::npos) << r.err;
}

TEST(Tool, APlugInThatCannotBeLoadedGivesTheLoadersReason) {
  const processResultC r = runProcess(tool() + " --module " + quoted(scratch("missing-plugin.so")) + " formats");
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("cannot load plug-in"), std::string::npos) << r.err;
}

TEST(Tool, ThePlugInCanBeNamedExplicitly) {
  const processResultC r = runProcess(tool() + " --module " + quoted(LORVANE_PLUGIN_PATH) + " formats");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.out.find("MI"), std::string::npos);
}

TEST(Tool, UnknownCommandsAndOptionsAreUsageErrors) {
  EXPECT_EQ(runProcess(tool() + " frobnicate").exitCode, 2);
  EXPECT_EQ(runProcess(tool() + " convert --bogus x.mt").exitCode, 2);
  EXPECT_EQ(runProcess(tool() + " convert -f").exitCode, 2);
}

TEST(Tool, ConvertWritesTheFileNamedByTheFormatsExtension) {
  const std::string input = writeScratch("plate.mt", "FIGURE{NAME{\"Plate\"} ANSICHTNO{-1}}");
  const std::string output = scratch("plate.krv");
  std::remove(output.c_str());
  const processResultC r = runProcess(tool() + " convert -f meta " + quoted(input));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(fileContents(output), "915 Plate\r\n914 Plate\r\n511 Plate\r\nEOF\r\n");
  EXPECT_NE(r.out.find(output + ": 38 bytes"), std::string::npos) << r.out;
}

TEST(Tool, ConvertInfersTheFormatFromTheOutputsExtension) {
  const std::string input = writeScratch("inferred.mt", "DRAWING{NAME{\"D\"}}");
  const std::string output = scratch("inferred-out.KRV");
  const processResultC r = runProcess(tool() + " convert -q -o " + quoted(output) + " " + quoted(input));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(fileContents(output), "915 D\r\nEOF\r\n");
}

TEST(Tool, ConvertReadsStandardInput) {
  const std::string input = writeScratch("stdin.mt", "DRAWING{NAME{\"S\"}}");
  const std::string output = scratch("stdin.krv");
  const processResultC r =
      runProcess(tool() + " convert -q -f META -o " + quoted(output) + " - < " + quoted(input));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(fileContents(output), "915 S\r\nEOF\r\n");
}

// Editors on Windows start a file with a byte order mark: UTF-8's is passed
// over, from a file and from standard input; UTF-16 is named as such.
TEST(Tool, AUtf8ByteOrderMarkIsPassedOverAndUtf16IsNamed) {
  const std::string text = "FIGURE{NAME{\"B\"} FIGURITEMS{LINE{POINT{0,0} POINT{1,2}}}}";
  const std::string plain = writeScratch("plain.mt", text);
  const std::string marked = writeScratch("marked.mt", "\xEF\xBB\xBF" + text);
  ASSERT_EQ(runProcess(tool() + " convert -q -f META " + quoted(plain)).exitCode, 0);
  for (const std::string from : {" ", " - < "}) {
    const std::string output = scratch("marked.krv");
    std::remove(output.c_str());
    const processResultC r = runProcess(tool() + " convert -q -f META -o " + quoted(output) + from + quoted(marked));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fileContents(output), fileContents(scratch("plain.krv"))) << from;
  }
  EXPECT_EQ(runProcess(tool() + " lint " + quoted(marked)).exitCode, 0);
  const std::string wide = writeScratch("wide.mt", std::string("\xFF\xFE" "F\0I\0G\0", 8));
  for (const char* command : {"convert -q -f MI", "print", "lint", "check", "preview -o -"}) {
    const processResultC r = runProcess(tool() + " " + command + " " + quoted(wide));
    EXPECT_EQ(r.exitCode, 2) << command;
    EXPECT_EQ(messageText(r.err), "lorvane: " + hostPath(wide) + ": the file is UTF-16; save it as UTF-8\n") << command;
  }
}

// Drawings are read a window at a time: what lies beyond the first windows,
// from a file or a pipe, is read as if the text were whole.
TEST(Tool, ADrawingLongerThanTheReadWindowIsReadWhole) {
  const std::string blanks(3u << 20, ' ');
  const std::string input = writeScratch("long.mt", "DRAWING{" + blanks + "NAME{\"S\"}}");
  const std::string output = scratch("long.krv");
  for (const std::string from : {" ", " - < "}) {
    std::remove(output.c_str());
    const processResultC r = runProcess(tool() + " convert -q -f META -o " + quoted(output) + from + quoted(input));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(fileContents(output), "915 S\r\nEOF\r\n") << from;
  }
  const std::string broken = writeScratch("long-broken.mt", "DRAWING{" + blanks + "\n;}");
  for (const std::string from : {" ", " - < "}) {
    const processResultC r = runProcess(tool() + " print" + from + quoted(broken));
    EXPECT_EQ(r.exitCode, 2) << from;
    EXPECT_NE(r.err.find("Line:2 - ill seperator char"), std::string::npos) << r.err;
  }
}

TEST(Tool, InputThatIsNoDrawingExitsWithTwoAndSaysWhy) {
  struct caseC {
    const char* name;
    const char* text;
    const char* says;
  };
  for (const caseC& c : {caseC{"empty.mt", "", "the file is empty"},
                         caseC{"blank.mt", " \n\t\n", "the file holds no element"},
                         caseC{"other.mt", "NOTADRAWING{}", "the first element is the key NOTADRAWING"},
                         caseC{"written.krv", "915 x\r\nEOF\r\n", "a written META2D file, not a drawing"}}) {
    const std::string input = writeScratch(c.name, c.text);
    const processResultC r = runProcess(tool() + " convert -q -f MI -o " + quoted(scratch("nodrawing.mi")) + " " +
                                        quoted(input));
    EXPECT_EQ(r.exitCode, 2) << c.name;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST(Tool, OnlyTheFirstElementOfAFileIsConverted) {
  const std::string input = writeScratch("two.mt", "DRAWING{NAME{\"first\"}} DRAWING{NAME{\"second\"}}");
  const std::string output = scratch("two.krv");
  const processResultC r = runProcess(tool() + " convert -q -f META -o " + quoted(output) + " " + quoted(input));
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(fileContents(output), "915 first\r\nEOF\r\n");
}

TEST(Tool, SeveralInputsConvertOneAfterTheOther) {
  const std::string a = writeScratch("many-a.mt", "DRAWING{NAME{\"a\"}}");
  const std::string b = writeScratch("many-b.mt", "NOTADRAWING{}");
  const std::string c = writeScratch("many-c.mt", "DRAWING{NAME{\"c\"}}");
  const processResultC r = runProcess(tool() + " convert -f META2DV1 " + quoted(a) + " " + quoted(b) + " " + quoted(c));
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(fileContents(scratch("many-a.krv")), "915 a\r\nEOF\r\n");
  EXPECT_EQ(fileContents(scratch("many-c.krv")), "915 c\r\nEOF\r\n");
}

TEST(Tool, TheBundledExamplesConvert) {
  for (const char* example : {"bracket", "washer"}) {
    const std::string input = std::string(LORVANE_EXAMPLES_DIR) + "/" + example + ".mt";
    const std::string output = scratch(std::string(example) + ".krv");
    const processResultC r = runProcess(tool() + " convert -q -f META -o " + quoted(output) + " " + quoted(input));
    EXPECT_EQ(r.exitCode, 0) << example << ": " << r.err;
    const std::string file = fileContents(output);
    EXPECT_EQ(file.substr(0, 4), "915 ") << example;
    EXPECT_EQ(file.substr(file.size() - 5), "EOF\r\n") << example;
  }
}

}  // namespace
}  // namespace lorvane::testing
