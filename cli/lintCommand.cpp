// lorvane lint: what the writers would silently read as something else.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "lint/drawingLint.h"
#include "writtenFiles.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {
namespace {

const char* const kLintUsage =
    "usage: lorvane lint [--format text|json] INPUT...\n"
    "\n"
    "Reads each drawing (text form; - reads standard input) without converting it\n"
    "and reports, one a line as FILE:LINE: severity: message [CODE], what the\n"
    "writers would silently read as something else: unknown or repeated keys,\n"
    "values of the wrong kind, numbers the files cannot hold, degenerate shapes,\n"
    "table identifications that yield nothing. docs/drawing-format.md lists the codes.\n"
    "  -f, --format json  one JSON array of {file, line, column, severity, code,\n"
    "                     message, figure} instead of lines\n"
    "exit status: 0 no errors or warnings (notes allowed), 1 errors or warnings,\n"
    "2 usage error or an input that cannot be read\n";

struct lintOptionsC {
  bool json = false;
  std::vector<std::string> inputs;
};

bool parseLintOptions(const std::vector<std::string>& arguments, lintOptionsC& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    std::string format;
    if (a == "--format" || a == "-f") {
      if (i + 1 >= arguments.size()) {
        printError("option " + a + " needs a value");
        return false;
      }
      format = arguments[++i];
    } else if (a.rfind("--format=", 0) == 0) {
      format = a.substr(9);
    } else if (a.size() > 1 && a[0] == '-') {
      printError("unknown option " + a + " (see lorvane lint --help)");
      return false;
    } else {
      options.inputs.push_back(a);
      continue;
    }
    if (format != "text" && format != "json") {
      printError("unknown output format " + format + " (text or json)");
      return false;
    }
    options.json = format == "json";
  }
  if (options.inputs.empty()) {
    printError("lint needs an input file (see lorvane lint --help)");
    return false;
  }
  return true;
}

}  // namespace

int runLint(const std::vector<std::string>& arguments) {
  for (const std::string& a : arguments) {
    if (a == "--help" || a == "-h") {
      std::fputs(kLintUsage, stdout);
      return kExitOk;
    }
  }
  if (arguments.empty()) {
    std::fputs(kLintUsage, stderr);
    return kExitUsage;
  }
  lintOptionsC options;
  if (!parseLintOptions(arguments, options)) return kExitUsage;
  lint::lintReportC report;
  bool unreadable = false;
  for (const std::string& input : options.inputs) {
    const std::string fileName = input == "-" ? "<stdin>" : input;
    std::string bytes;
    std::string error;
    if (!readInputFile(input, bytes, error)) {
      printError(error);
      unreadable = true;
      continue;
    }
    if (const inputKind kind = recogniseInput(bytes); kind != inputKind::textForm) {
      printError(writtenFileIsNoDrawing(fileName, kind));
      unreadable = true;
      continue;
    }
    metaTextReaderC reader;
    metaObjectC tree = reader.readTree(bytes, true);
    if (reader.failed()) {
      printError(fileName + ": " + reader.errorText());
      unreadable = true;
      continue;
    }
    // The text is no longer needed while the tree is looked at.
    std::string().swap(bytes);
    lint::lintChain(tree.node(), fileName, report);
  }
  report.sortByLine();
  if (options.json) lint::writeJson(report, stdout);
  else lint::writeText(report, stdout);
  if (unreadable) return kExitUsage;
  return report.hasProblems() ? kExitConversionFailed : kExitOk;
}

}  // namespace lorvane::cli
