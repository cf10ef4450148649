// The lorvane tool run as a process, with the plug-in it finds beside it.
#include <gtest/gtest.h>

#include <cstdio>

#include "processRunner.h"

namespace lorvane::testing {
namespace {

std::string tool() { return quoted(LORVANE_TOOL_PATH); }

std::string scratch(const std::string& name) { return ::testing::TempDir() + "lorvane_cli_" + name; }

std::string writeScratch(const std::string& name, const std::string& text) {
  const std::string path = scratch(name);
  writeFileBytes(path, text);
  return path;
}

TEST(Tool, ReportsItsVersion) {
  const processResultC r = runProcess(tool() + " --version");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.substr(0, 13), "lorvane 1.0.0");
}

TEST(Tool, WithoutACommandPrintsUsageAndFails) {
  const processResultC r = runProcess(tool());
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("usage: lorvane"), std::string::npos);
}

TEST(Tool, HelpIsOfferedForEachCommand) {
  for (const char* command : {"convert", "formats", "caps", "print"}) {
    const processResultC r = runProcess(tool() + " " + command + " --help");
    EXPECT_EQ(r.exitCode, 0) << command;
    EXPECT_NE(r.out.find(std::string("usage: lorvane ") + command), std::string::npos) << command;
  }
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

}  // namespace
}  // namespace lorvane::testing
