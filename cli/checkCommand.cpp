#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "batchSummary.h"
#include "lorvane/cli/commands.h"
#include "inputFile.h"
#include "lorvane/cli/consistencyCheck.h"
#include "hostConversion.h"
#include "lorvane/cli/inputDrawing.h"
#include "lorvane/cli/platform.h"
#include "pluginHost.h"
#include "writtenFiles.h"

namespace lorvane::cli {
namespace {

// The drawing converted into a scratch file of one format, or why it could
// not be.
struct conversionC {
  temporaryFileC scratch;
  bool made = false;
  std::string error;
};

// The bytes of a scratch file: mapped where the system allows it, else
// read into `read`. False with error when it cannot be read. Only the
// files check writes itself are mapped: nothing else changes them while
// they are read.
bool scratchBytes(const std::string& path, mappedFileC& mapped, std::string& read, std::string_view& bytes,
                  std::string& error) {
  if (mapped.map(path)) {
    bytes = mapped.bytes();
    return true;
  }
  if (!readInputFile(path, read, error)) return false;
  bytes = read;
  return true;
}

// A written file: the one given, or the conversion's. Its exit status when
// it cannot be had.
int writtenScene(const std::string& given, const conversionC& conversion, const writtenFormatC& format,
                 preview::groupSinkC& sink, std::string& fileName) {
  preview::sceneC scene;
  mappedFileC mapped;
  std::string read;
  std::string_view bytes;
  std::string error;
  if (!given.empty()) {
    fileName = given;
    if (!readInputFile(given, read, error)) {
      printError(error);
      return kExitUsage;
    }
    bytes = read;
    if (recogniseWritten(bytes) != &format) {
      printError(given + ": not a " + format.label + " file");
      return kExitUsage;
    }
  } else {
    fileName = std::string("the ") + format.label + " file";
    if (!conversion.made || !scratchBytes(conversion.scratch.path(), mapped, read, bytes, error)) {
      printError(std::string(format.label) + ": " + (conversion.made ? error : conversion.error));
      return kExitConversionFailed;
    }
  }
  if (!readWrittenFile(format, bytes, fileName, scene, error, &sink)) {
    // A file the plug-in wrote that cannot be read back is a disagreement
    // of its own; a file the user gave is unreadable input.
    printError(error);
    return given.empty() ? kExitConversionFailed : kExitUsage;
  }
  return kExitOk;
}

// One written file compared with the drawing, a figure at a time as it is
// read: its elements are held only while their figure is compared.
int checkFile(const std::string& given, const conversionC& conversion, const writtenFormatC& format,
              const std::vector<inputFigureC>& figures, fileVerdictC& verdict, std::string& fileName) {
  fileCheckC check(figures, format.comparedAs);
  if (int status = writtenScene(given, conversion, format, check, fileName)) return status;
  verdict = check.verdict();
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

// Checks one drawing against a file of each written format; returns its
// exit status and adds its items to items. The plug-in is loaded the first
// time a conversion needs it.
int checkOne(const argumentsC& arguments, const std::string& input, pluginHostC& host, std::size_t& items) {
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
  items += drawingItemCount(drawing);
  const std::vector<inputFigureC> figures = placeInputFigures(drawing);

  constexpr std::size_t kFormats = std::size(kWrittenFormats);
  std::size_t lastConverted = kFormats;  // the conversion that may take the drawing itself
  for (std::size_t i = 0; i < kFormats; ++i) {
    if (!arguments.has(kWrittenFormats[i].checkOption)) lastConverted = i;
  }
  if (lastConverted < kFormats && !host.convertMetaTree && !loadPlugin(host, arguments)) return kExitUsage;
  // Every conversion is made before any file is read back, so that the
  // drawing, which the last one takes, is gone before a file's elements are
  // held. A conversion that fails ends the conversions; its message comes
  // in its format's turn, after those of the files before it.
  conversionC conversions[kFormats];
  for (std::size_t i = 0; i < kFormats; ++i) {
    if (!arguments.value(kWrittenFormats[i].checkOption).empty()) continue;
    // A conversion takes the drawing it is given: a copy, but for the last
    // one, which takes the drawing read itself.
    metaTreeC* converted = i == lastConverted ? owned.rebind(nullptr) : owned.copyTree(true, true);
    conversionC& conversion = conversions[i];
    conversion.made = convertToScratch(host, input, converted, kWrittenFormats[i].pluginFormat, conversion.scratch,
                                       conversion.error);
    if (!conversion.made) break;
  }
  fileVerdictC verdicts[kFormats];
  std::string names[kFormats];
  for (std::size_t i = 0; i < kFormats; ++i) {
    const writtenFormatC& format = kWrittenFormats[i];
    const std::string given = arguments.value(format.checkOption);
    if (int status = checkFile(given, conversions[i], format, figures, verdicts[i], names[i])) return status;
  }

  bool agree = true;
  std::string piecesCompared;
  for (std::size_t i = 0; i < kFormats; ++i) {
    report(kWrittenFormats[i].label, names[i], verdicts[i]);
    agree = agree && !verdicts[i].first;
    piecesCompared += (i ? " + " : "") + std::to_string(verdicts[i].piecesCompared);
  }
  bool anyPieces = false;
  for (std::size_t i = 0; i < kFormats; ++i) {
    approximationReport(kWrittenFormats[i].label, names[i], verdicts[i]);
    agree = agree && !verdicts[i].approximation;
    anyPieces = anyPieces || verdicts[i].piecesCompared > 0;
  }
  if (agree && anyPieces) {
    std::printf("both files approximate the other shapes within the fitting tolerance: %s elements\n",
                piecesCompared.c_str());
  }
  return agree ? kExitOk : kExitConversionFailed;
}

}  // namespace

const commandSyntaxC kCheckSyntax{
    kWrittenFileOptions, inputCount::many,
    "Converts each drawing INPUT (text form) to META2D and to MI, reads both back\n"
    "and compares every line, arc, circle and text with the drawing, each within\n"
    "what its file's numbers can hold; the lines and arcs each file makes of\n"
    "other shapes are held to those shapes, within the fitting tolerance. Several\n"
    "inputs are each headed by their name and end with a summary line.\n",
    "exit status (of several inputs, the highest): 0 all agree, 1 a file differs or\n"
    "cannot be read back (the first difference of each file is shown with its line\n"
    "numbers), 2 usage error or unreadable input\n"};

int runCheck(const argumentsC& arguments) {
  const std::vector<std::string>& inputs = arguments.inputs();
  bool filesGiven = false;
  for (const writtenFormatC& format : kWrittenFormats) filesGiven = filesGiven || arguments.has(format.checkOption);
  if (inputs.size() > 1 && filesGiven) {
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
