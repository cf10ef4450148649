// The tool's one command-line parser, on small tables of its own and on the
// tables of the tool's commands.
#include "lorvane/cli/commandLine.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "lorvane/cli/commands.h"

namespace lorvane::cli {
namespace {

constexpr optionC kOptions[] = {
    {"output", 'o', optionKind::value, "PATH", "where"},
    {"format", 'f', optionKind::choice, "text|json", "how"},
    {"quiet", 'q', optionKind::flag, nullptr, "silence"},
};
const commandSyntaxC kSyntax{kOptions, inputCount::one, "", ""};

struct parseResultC {
  bool ok;
  argumentsC arguments;
  std::string error;
};

parseResultC parse(const std::vector<std::string>& arguments) {
  parseResultC result;
  result.ok = parseCommandArguments("demo", kSyntax, arguments, result.arguments, result.error);
  return result;
}

TEST(CommandLine, EverySpellingOfAnOptionGivesTheSameValue) {
  for (const std::vector<std::string>& spelt :
       {std::vector<std::string>{"-f", "json", "in"}, {"--format", "JSON", "in"}, {"in", "--format=Json"}}) {
    const parseResultC r = parse(spelt);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.arguments.value("format"), "json");
    EXPECT_EQ(r.arguments.inputs(), std::vector<std::string>{"in"});
  }
  // A value may look like an option; "-" alone is an input.
  const parseResultC r = parse({"-o", "-q", "-"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.arguments.value("output"), "-q");
  EXPECT_FALSE(r.arguments.has("quiet"));
  EXPECT_EQ(r.arguments.inputs(), std::vector<std::string>{"-"});
}

TEST(CommandLine, WrongArgumentsAreNamedWithWhereTheHelpIs) {
  const struct {
    std::vector<std::string> arguments;
    const char* error;
  } cases[] = {
      {{"--bogus", "in"}, "unknown option --bogus (see lorvane demo --help)"},
      {{"-qo", "in"}, "unknown option -qo (see lorvane demo --help)"},
      {{"in", "-o"}, "option -o needs a value (see lorvane demo --help)"},
      {{"--quiet=yes", "in"}, "option --quiet takes no value (see lorvane demo --help)"},
      {{"--format", "xml", "in"}, "--format takes text or json, not xml (see lorvane demo --help)"},
      {{"-q"}, "demo needs an input file (see lorvane demo --help)"},
      {{"a", "b"}, "demo takes one input (see lorvane demo --help)"},
  };
  for (const auto& c : cases) {
    const parseResultC r = parse(c.arguments);
    EXPECT_FALSE(r.ok) << c.error;
    EXPECT_EQ(r.error, c.error);
  }
}

TEST(CommandLine, TwoDashesEndTheOptions) {
  const parseResultC r = parse({"-q", "--", "-x.mt"});
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(r.arguments.has("quiet"));
  EXPECT_EQ(r.arguments.inputs(), std::vector<std::string>{"-x.mt"});
  // After them even --help is a file's name.
  const parseResultC help = parse({"--", "--help"});
  EXPECT_FALSE(help.arguments.has("help"));
  EXPECT_EQ(help.arguments.inputs(), std::vector<std::string>{"--help"});
}

TEST(CommandLine, HelpAndTheModuleAreTakenByEveryCommand) {
  const parseResultC help = parse({"--bogus", "--help"});
  EXPECT_TRUE(help.ok) << help.error;
  EXPECT_TRUE(help.arguments.has("help"));
  const parseResultC module = parse({"in", "--module", "other.so"});
  ASSERT_TRUE(module.ok) << module.error;
  EXPECT_EQ(module.arguments.value("module"), "other.so");
}

TEST(CommandLine, EachCommandsHelpListsEveryOptionWithinEightyColumns) {
  const struct {
    const char* name;
    const commandSyntaxC& syntax;
  } commands[] = {{"convert", kConvertSyntax}, {"preview", kPreviewSyntax}, {"check", kCheckSyntax},
                  {"lint", kLintSyntax},       {"formats", kFormatsSyntax}, {"caps", kCapsSyntax},
                  {"print", kPrintSyntax}};
  for (const auto& command : commands) {
    const std::string help = commandHelp(command.name, command.syntax);
    EXPECT_EQ(help.rfind(std::string("usage: lorvane ") + command.name, 0), 0u) << help;
    for (const optionC& option : command.syntax.options) {
      EXPECT_NE(help.find("[" + optionSynopsis(option) + "]"), std::string::npos) << command.name << " " << option.name;
      EXPECT_NE(help.find("\n  " + optionLabel(option) + "  "), std::string::npos) << command.name << " " << option.name;
    }
    std::istringstream lines(help);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 80u) << command.name << ": " << line;
  }
}

}  // namespace
}  // namespace lorvane::cli
