// lorvane lint: what the writers would silently read as something else.
#include <cstdio>
#include <string>

#include "lorvane/cli/commands.h"
#include "inputFile.h"
#include "lorvane/lint/drawingLint.h"
#include "writtenFiles.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {
namespace {

constexpr optionC kLintOptions[] = {
    formatOption(optionKind::choice, "text|json",
                 "text (default): one finding a line; json: one JSON array of {file, line, column, severity, code, "
                 "message, figure}"),
};

}  // namespace

const commandSyntaxC kLintSyntax{
    kLintOptions, inputCount::many,
    "Reads each drawing (text form; - reads standard input) without converting it\n"
    "and reports, one a line as FILE:LINE: severity: message [CODE], what the\n"
    "writers would silently read as something else: unknown or repeated keys,\n"
    "values of the wrong kind, numbers the files cannot hold, degenerate shapes,\n"
    "table identifications that yield nothing. The reference lists the codes:\n"
    "share/doc/lorvane/drawing-format.md under the folder the tool is installed\n"
    "in (PREFIX/bin/lorvane: PREFIX/share/doc/lorvane/), docs/drawing-format.md\n"
    "in the sources.\n",
    "exit status: 0 no errors or warnings (notes allowed), 1 errors or warnings,\n"
    "2 usage error or an input that cannot be read\n"};

int runLint(const argumentsC& arguments) {
  lint::lintReportC report;
  bool unreadable = false;
  for (const std::string& input : arguments.inputs()) {
    const std::string fileName = input == "-" ? "<stdin>" : input;
    metaObjectC tree;
    if (!readTextTree(input, fileName, {.refuseWrittenFiles = true}, tree)) {
      unreadable = true;
      continue;
    }
    lint::lintChain(tree.node(), fileName, report);
  }
  report.sortByLine();
  if (arguments.value("format") == "json") lint::writeJson(report, stdout);
  else lint::writeText(report, stdout);
  if (unreadable) return kExitUsage;
  return report.hasProblems() ? kExitConversionFailed : kExitOk;
}

}  // namespace lorvane::cli
