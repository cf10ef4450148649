#include "toolDispatch.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <exception>

#include "lorvane/cli/commands.h"
#include "outputFile.h"
#include "lorvane/version.h"

namespace lorvane::cli {
namespace {

constexpr optionC kToolOnlyOptions[] = {
    {"version", 'V', optionKind::flag, nullptr, "the tool's version (also lorvane version)"},
};

// Where a command's summary starts when its synopsis is short enough.
constexpr std::size_t kSummaryColumn = 17;

int printed(const std::string& text, int status) {
  std::fputs(text.c_str(), status == kExitOk ? stdout : stderr);
  return status;
}

// What a command printed must have arrived: standard output on a full disk
// (or a device that takes nothing) is an output that cannot be written. A
// failed write before the last leaves the stream's error flag; the reason is
// the one the last write gave, the final flush's if it had more to write.
int withStandardOutputWritten(int status) {
  errno = 0;
  const bool flushed = std::fflush(stdout) == 0;
  const int reason = errno;
  if ((flushed && !std::ferror(stdout)) || standardOutputFailureReported()) return status;
  printError(standardOutputFailure(reason));
  return kExitUsage;
}

const commandC* findCommand(std::span<const commandC> commands, const std::string& name) {
  for (const commandC& command : commands) {
    if (name == command.name) return &command;
  }
  return nullptr;
}

int runCommand(const commandC& command, std::span<const std::string> arguments, argumentsC& parsed) {
  const commandSyntaxC& syntax = *command.syntax;
  if (arguments.empty() && syntax.inputs != inputCount::none)
    return printed(commandHelp(command.name, syntax), kExitUsage);
  std::string error;
  if (!parseCommandArguments(command.name, syntax, arguments, parsed, error)) {
    printError(error);
    return kExitUsage;
  }
  if (parsed.has("help")) return printed(commandHelp(command.name, syntax), kExitOk);
  return command.run(parsed);
}

int dispatch(std::span<const commandC> commands, const std::vector<std::string>& arguments) {
  // The tool's own options stand before the command; --module may also
  // stand among the command's.
  argumentsC parsed;
  std::size_t at = 0;
  for (std::string error; at < arguments.size(); ++at) {
    const optionTaken taken = takeOption(kToolOnlyOptions, kCommonOptions, arguments, at, parsed, error);
    if (taken == optionTaken::notAnOption) break;
    if (taken == optionTaken::failed) {
      printError(error + " (see lorvane --help)");
      return kExitUsage;
    }
  }
  if (parsed.has("help")) return printed(toolHelp(commands), kExitOk);
  const std::string version = std::string("lorvane ") + kLorvaneVersion + "\n";
  if (parsed.has("version")) return printed(version, kExitOk);
  if (at == arguments.size()) return printed(toolHelp(commands), kExitUsage);
  const std::string& name = arguments[at];
  if (name == "version") return printed(version, kExitOk);
  if (name == "help") {
    if (at + 1 == arguments.size()) return printed(toolHelp(commands), kExitOk);
    // lorvane help COMMAND is lorvane COMMAND --help.
    if (const commandC* command = findCommand(commands, arguments[at + 1]))
      return printed(commandHelp(command->name, *command->syntax), kExitOk);
    printError("unknown command " + arguments[at + 1]);
    return printed(toolHelp(commands), kExitUsage);
  }
  const commandC* command = findCommand(commands, name);
  if (!command) {
    printError("unknown command " + name);
    return printed(toolHelp(commands), kExitUsage);
  }
  return runCommand(*command, std::span<const std::string>(arguments).subspan(at + 1), parsed);
}

}  // namespace

std::string toolHelp(std::span<const commandC> commands) {
  std::string text = "usage: lorvane [--module PATH] COMMAND [ARGS]\n\ncommands:\n";
  for (const commandC& command : commands) {
    std::string synopsis = "  " + commandSynopsis(command.name, *command.syntax, 2);
    if (synopsis.size() < kSummaryColumn) synopsis.resize(kSummaryColumn, ' ');
    else synopsis += "\n" + std::string(kSummaryColumn, ' ');
    text += synopsis + wrapped(command.summary, kSummaryColumn, kSummaryColumn) + "\n";
  }
  text += "\noptions:\n";
  std::vector<optionC> options(kCommonOptions.begin(), kCommonOptions.end());
  options.insert(options.end(), std::begin(kToolOnlyOptions), std::end(kToolOnlyOptions));
  for (const optionC& option : options) {
    std::string label = "  " + optionLabel(option);
    label.resize(std::max(label.size() + 2, std::size_t{kSummaryColumn}), ' ');
    text += label + wrapped(option.help, label.size(), kSummaryColumn) + "\n";
  }
  return text;
}

int runTool(std::span<const commandC> commands, const std::vector<std::string>& arguments) {
  int status = kExitUsage;
  try {
    status = dispatch(commands, arguments);
  } catch (const std::exception& e) {
    printError(e.what());
  }
  return withStandardOutputWritten(status);
}

}  // namespace lorvane::cli
