#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "inputFile.h"
#include "consistencyCheck.h"
#include "hostConversion.h"
#include "inputDrawing.h"
#include "pluginHost.h"
#include "writtenFiles.h"

namespace lorvane::cli {
namespace {

constexpr optionC kCheckOptions[] = {
    {"meta2d", '\0', optionKind::value, "FILE", "compare this written META2D file instead of converting"},
    {"mi", '\0', optionKind::value, "FILE", "compare this written MI file instead of converting"},
};

// A written file: the one given, or the drawing, which the conversion
// takes, converted into a scratch file. Its exit status when it cannot be
// had.
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
    if (!convertToBytes(host, inputName, drawing, formatName, bytes, error)) {
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

// One written file compared with the drawing. Its elements are held only
// while it is compared, so that the two files' are never in memory at once.
int checkFile(pluginHostC& host, metaTreeC* drawing, const std::string& given, inputKind kind,
              const std::string& inputName, const std::vector<inputFigureC>& figures, fileVerdictC& verdict,
              std::string& fileName) {
  preview::sceneC scene;
  if (int status = writtenScene(host, drawing, given, kind, inputName, scene, fileName)) return status;
  verdict = checkWrittenFile(figures, scene, kind == inputKind::mi ? writtenFormat::mi : writtenFormat::meta2d);
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

void approximationReport(const char* format, const std::string& fileName, const fileVerdictC& verdict) {
  if (!verdict.approximation) return;
  const disagreementC& d = *verdict.approximation;
  std::printf("the %s approximations differ from the shape in figure \"%s\" (the drawing, line %zu)\n", format,
              d.figure.c_str(), d.inputLine);
  std::printf("  %s line %zu: %s\n  the shape: %s\n", fileName.c_str(), d.fileLine, d.fileElement.c_str(),
              d.inputElement.c_str());
}

}  // namespace

const commandSyntaxC kCheckSyntax{
    kCheckOptions, inputCount::one,
    "Converts the drawing INPUT (text form) to META2D and to MI, reads both back\n"
    "and compares every line, arc, circle and text with the drawing, each within\n"
    "what its file's numbers can hold; the lines and arcs each file makes of\n"
    "other shapes are held to those shapes, within the fitting tolerance.\n",
    "exit status: 0 all agree, 1 a file differs or cannot be read back (the first\n"
    "difference of each file is shown with its line numbers), 2 usage error or\n"
    "unreadable input\n"};

int runCheck(const argumentsC& arguments) {
  const std::string input = arguments.inputs().front();
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
  metaObjectC owned(drawing, true);
  const std::vector<inputFigureC> figures = placeInputFigures(drawing);

  pluginHostC host;
  if ((meta2dFile.empty() || miFile.empty()) && !loadPlugin(host, arguments)) return kExitUsage;
  checkReportC result;
  std::string meta2dName, miName;
  // A conversion takes the drawing it is given: META2D a copy, MI, which
  // needs it last, the drawing read itself.
  metaTreeC* toMeta2d = meta2dFile.empty() ? metaObjectC(drawing).copyTree(true, true) : nullptr;
  if (int status = checkFile(host, toMeta2d, meta2dFile, inputKind::meta2d, input, figures, result.meta2d, meta2dName)) {
    return status;
  }
  metaTreeC* toMi = miFile.empty() ? owned.rebind(nullptr) : nullptr;
  if (int status = checkFile(host, toMi, miFile, inputKind::mi, input, figures, result.mi, miName)) return status;

  report("META2D", meta2dName, result.meta2d);
  report("MI", miName, result.mi);
  approximationReport("META2D", meta2dName, result.meta2d);
  approximationReport("MI", miName, result.mi);
  if (!result.meta2d.first && !result.mi.first && !result.meta2d.approximation && !result.mi.approximation &&
      result.meta2d.piecesCompared + result.mi.piecesCompared > 0) {
    std::printf("both files approximate the other shapes within the fitting tolerance: %zu + %zu elements\n",
                result.meta2d.piecesCompared, result.mi.piecesCompared);
  }
  const bool agree = !result.meta2d.first && !result.mi.first && !result.meta2d.approximation &&
                     !result.mi.approximation;
  return agree ? kExitOk : kExitConversionFailed;
}

}  // namespace lorvane::cli
