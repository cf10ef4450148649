#pragma once
// The commands of the tool: each one's syntax (options, inputs, help) and
// the function that runs it on the parsed command line.
#include <string>

#include "lorvane/cli/commandLine.h"

namespace lorvane::cli {

// Exit statuses of the tool.
inline constexpr int kExitOk = 0;
inline constexpr int kExitConversionFailed = 1;
inline constexpr int kExitUsage = 2;

extern const commandSyntaxC kConvertSyntax;
extern const commandSyntaxC kPreviewSyntax;
extern const commandSyntaxC kCheckSyntax;
extern const commandSyntaxC kLintSyntax;
extern const commandSyntaxC kFormatsSyntax;
extern const commandSyntaxC kCapsSyntax;
extern const commandSyntaxC kPrintSyntax;

int runConvert(const argumentsC& arguments);
int runPreview(const argumentsC& arguments);
int runCheck(const argumentsC& arguments);
int runLint(const argumentsC& arguments);
int runFormats(const argumentsC& arguments);
int runCaps(const argumentsC& arguments);
int runPrint(const argumentsC& arguments);

// "lorvane: message" on standard error.
void printError(const std::string& message);

}  // namespace lorvane::cli
