#include <cstdio>
#include <string>
#include <vector>

#include "batchSummary.h"
#include "lorvane/cli/commands.h"
#include "inputFile.h"
#include "lorvane/cli/consistencyCheck.h"
#include "hostConversion.h"
#include "lorvane/cli/inputDrawing.h"
#include "pluginHost.h"
#include "writtenFiles.h"

namespace lorvane::cli {
namespace {

constexpr optionC kCheckOptions[] = {
    {"meta2d", '\0', optionKind::value, "FILE", "compare this written META2D file instead of converting"},
    {"mi", '\0', optionKind::value, "FILE", "compare this written MI file instead of converting"},
};

// A written file: the one given, or the drawing converted into a scratch
// file. Its exit status when it cannot be had.
int writtenScene(pluginHostC& host, metaTreeC* drawing, const std::string& given, inputKind kind,
                 const std::string& inputName, preview::sceneC& scene, std::string& fileName) {
  const char* format = kind == inputKind::mi ? "MI" : "META2D";
  const char* formatName = kind == inputKind::mi ? "MI" : "META";
  std::string bytes;
  std::string error;
  if (!given.empty()) {
    fileName = given;
    if (!readInputFile(given, bytes, error)) {
      printError(error);
      return kExitUsage;
    }
    if (recogniseInput(bytes) != kind) {
      printError(given + ": not a " + format + " file");
      return kExitUsage;
    }
  } else {
    fileName = std::string("the ") + format + " file";
    // The conversion takes the drawing it is given; the one read stays to
    // be compared with.
    if (!convertToBytes(host, inputName, metaObjectC(drawing).copyTree(true, true), formatName, bytes, error)) {
      printError(std::string(format) + ": " + error);
      return kExitConversionFailed;
    }
  }
  if (!readWrittenFile(kind, bytes, fileName, scene, error)) {
    // A file the plug-in wrote that cannot be read back is a disagreement
    // of its own; a file the user gave is unreadable input.
    printError(error);
    return given.empty() ? kExitConversionFailed : kExitUsage;
  }
  return kExitOk;
}

void report(const char* format, const std::string& fileName, const fileVerdictC& verdict) {
  if (!verdict.first) {
    std::printf("%-6s agrees with the drawing: %zu elements\n", format, verdict.elementsCompared);
    return;
  }
  const disagreementC& d = *verdict.first;
  std::printf("%-6s differs in figure \"%s\"\n", format, d.figure.c_str());
  std::printf("  %s line %zu: %s\n", fileName.c_str(), d.fileLine, d.fileElement.c_str());
  std::printf("  the drawing, line %zu: %s\n", d.inputLine, d.inputElement.c_str());
}

// Checks one drawing; returns its exit status and adds its items to items.
// The plug-in is loaded the first time a conversion needs it.
int checkOne(const argumentsC& arguments, const std::string& input, pluginHostC& host, std::size_t& items) {
  const std::string meta2dFile = arguments.value("meta2d");  // given instead of converting
  const std::string miFile = arguments.value("mi");
  std::string error;
  metaTreeC* drawing = nullptr;
  {
    inputStreamC stream;
    if (!stream.open(input, error) || !readDrawingInput(input, stream, drawing, error)) {
      printError(error);
      return kExitUsage;
    }
  }
  const metaObjectC owned(drawing, true);
  items += drawingItemCount(drawing);
  const std::vector<inputFigureC> figures = placeInputFigures(drawing);

  const bool converting = meta2dFile.empty() || miFile.empty();
  if (converting && !host.convertMetaTree && !loadPlugin(host, arguments)) return kExitUsage;
  preview::sceneC meta2d, mi;
  std::string meta2dName, miName;
  if (int status = writtenScene(host, drawing, meta2dFile, inputKind::meta2d, input, meta2d, meta2dName)) return status;
  if (int status = writtenScene(host, drawing, miFile, inputKind::mi, input, mi, miName)) return status;

  const checkReportC result = checkWrittenFiles(figures, meta2d, mi);
  report("META2D", meta2dName, result.meta2d);
  report("MI", miName, result.mi);
  if (result.approximations) {
    const disagreementC& d = *result.approximations;
    std::printf("the approximations differ in figure \"%s\" (the drawing, line %zu)\n", d.figure.c_str(), d.inputLine);
    std::printf("  META2D line %zu: %s\n  %s\n", d.fileLine, d.fileElement.c_str(), d.inputElement.c_str());
  } else if (!result.meta2d.first && !result.mi.first && result.approximationsCompared > 0) {
    std::printf("both files approximate the other shapes alike: %zu elements\n", result.approximationsCompared);
  }
  const bool agree = !result.meta2d.first && !result.mi.first && !result.approximations;
  return agree ? kExitOk : kExitConversionFailed;
}

}  // namespace

const commandSyntaxC kCheckSyntax{
    kCheckOptions, inputCount::many,
    "Converts each drawing INPUT (text form) to META2D and to MI, reads both back\n"
    "and compares every line, arc, circle and text with the drawing, each within\n"
    "what its file's numbers can hold; the lines and arcs both files make of\n"
    "other shapes are compared with each other. Several inputs are each headed by\n"
    "their name and end with a summary line.\n",
    "exit status (of several inputs, the highest): 0 all agree, 1 a file differs or\n"
    "cannot be read back (the first difference of each file is shown with its line\n"
    "numbers), 2 usage error or unreadable input\n"};

int runCheck(const argumentsC& arguments) {
  const std::vector<std::string>& inputs = arguments.inputs();
  if (inputs.size() > 1 && (arguments.has("meta2d") || arguments.has("mi"))) {
    printError("--meta2d and --mi name the files of one drawing; they cannot be used with several inputs");
    return kExitUsage;
  }
  pluginHostC host;
  batchTallyC tally;
  for (const std::string& input : inputs) {
    if (inputs.size() > 1) std::printf("%s:\n", input.c_str());
    std::size_t items = 0;
    const int status = checkOne(arguments, input, host, items);
    tally.add(status, items);
  }
  if (inputs.size() > 1) std::printf("%s\n", tally.summary("in agreement").c_str());
  return tally.status();
}

}  // namespace lorvane::cli
