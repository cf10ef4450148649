#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "consistencyCheck.h"
#include "hostConversion.h"
#include "inputDrawing.h"
#include "pluginHost.h"
#include "writtenFiles.h"

namespace lorvane::cli {
namespace {

struct checkOptionsC {
  std::string input;
  std::string meta2dFile;  // given instead of converting
  std::string miFile;
};

bool parseCheckOptions(const std::vector<std::string>& arguments, checkOptionsC& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if ((a == "--meta2d" || a == "--mi") && i + 1 >= arguments.size()) {
      printError("option " + a + " needs a value");
      return false;
    }
    if (a == "--meta2d") {
      options.meta2dFile = arguments[++i];
    } else if (a == "--mi") {
      options.miFile = arguments[++i];
    } else if (a.size() > 1 && a[0] == '-') {
      printError("unknown option " + a + " (see lorvane check --help)");
      return false;
    } else if (options.input.empty()) {
      options.input = a;
    } else {
      printError("check takes one input");
      return false;
    }
  }
  if (options.input.empty()) {
    printError("check needs an input file (see lorvane check --help)");
    return false;
  }
  return true;
}

// A written file: the one given, or the drawing converted into a scratch
// file. Its exit status when it cannot be had.
int writtenScene(pluginHostC& host, const std::string& drawingText, const std::string& given, inputKind kind,
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
    bool unreadable = false;
    if (!convertToBytes(host, inputName, drawingText, formatName, bytes, error, unreadable)) {
      printError(std::string(format) + ": " + error);
      return unreadable ? kExitUsage : kExitConversionFailed;
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

}  // namespace

int runCheck(const commonOptionsC& common, const std::vector<std::string>& arguments) {
  checkOptionsC options;
  if (!parseCheckOptions(arguments, options)) return kExitUsage;
  std::string bytes;
  std::string error;
  if (!readInputFile(options.input, bytes, error)) {
    printError(error);
    return kExitUsage;
  }
  metaTreeC* drawing = nullptr;
  if (!readDrawingInput(options.input, bytes, drawing, error)) {
    printError(error);
    return kExitUsage;
  }
  const metaObjectC owned(drawing, true);
  const std::vector<inputFigureC> figures = placeInputFigures(drawing);

  pluginHostC host;
  if ((options.meta2dFile.empty() || options.miFile.empty()) && !host.load(common.modulePath, error)) {
    printError(error);
    return kExitUsage;
  }
  preview::sceneC meta2d, mi;
  std::string meta2dName, miName;
  if (int status = writtenScene(host, bytes, options.meta2dFile, inputKind::meta2d, options.input, meta2d, meta2dName))
    return status;
  if (int status = writtenScene(host, bytes, options.miFile, inputKind::mi, options.input, mi, miName)) return status;

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

}  // namespace lorvane::cli
