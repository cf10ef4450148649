#pragma once
// The tool as a whole: its own options, its help and the dispatch to the
// command a command line names.
#include <span>
#include <string>
#include <vector>

#include "lorvane/cli/commandLine.h"

namespace lorvane::cli {

struct commandC {
  const char* name;
  const char* summary;  // one line for lorvane --help
  const commandSyntaxC* syntax;
  int (*run)(const argumentsC& arguments);
};

// lorvane --help: every command's synopsis and summary, and the options.
std::string toolHelp(std::span<const commandC> commands);

// Runs the tool on its arguments (without the program's name); its exit
// status. Nothing is thrown.
int runTool(std::span<const commandC> commands, const std::vector<std::string>& arguments);

}  // namespace lorvane::cli
