#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "lorvane/cli/commands.h"
#include "inputFile.h"
#include "batchSummary.h"
#include "hostConversion.h"
#include "lorvane/cli/inputDrawing.h"
#include "moduleMessages.h"
#include "outputFile.h"
#include "outputFolder.h"
#include "outputFormats.h"
#include "lorvane/cli/platform.h"
#include "pluginHost.h"
#include "lorvane/cli/progressBar.h"

namespace lorvane::cli {
namespace {

constexpr optionC kConvertOptions[] = {
    formatOption(optionKind::value, "NAME",
                 "output format, any case (see lorvane formats); without it the format is the one whose file "
                 "extension the output has"),
    outputOption(
        "output file (one INPUT only; - for standard output); default: INPUT with the format's file extension"),
    outputFolderOption("the folder to write each output into, named for its INPUT with the format's file extension; "
                       "made when missing"),
    {"quiet", 'q', optionKind::flag, nullptr, "no progress bar and no summary lines"},
    {"keep-failed", '\0', optionKind::flag, nullptr,
     "put what the plug-in wrote in place even when it reports a failure (to inspect the file)"},
};

struct convertOptionsC {
  std::string format;
  std::string output;
  std::string outputFolder;
  bool quiet = false;
  bool keepFailed = false;
  std::vector<std::string> inputs;
};

bool takeOptions(const argumentsC& arguments, convertOptionsC& options) {
  options.format = arguments.value("format");
  options.output = arguments.value("output");
  options.outputFolder = arguments.value("output-dir");
  options.quiet = arguments.has("quiet");
  options.keepFailed = arguments.has("keep-failed");
  options.inputs = arguments.inputs();
  if (options.inputs.size() > 1 && !options.output.empty()) {
    printError("--output names one file; it cannot be used with several inputs (--output-dir DIR takes many)");
    return false;
  }
  return outputOptionsAgree(options.output, options.outputFolder);
}

// The format asked for, or the one the output's extension names.
const outputFormatC* chooseFormat(const formatTableC& formats, const convertOptionsC& options) {
  if (!options.format.empty()) {
    if (const outputFormatC* chosen = formats.find(options.format)) return chosen;
    printError("the plug-in offers no format " + options.format + "; offered: " + formats.names());
    return nullptr;
  }
  if (const outputFormatC* chosen = formats.withExtension(extensionOf(options.output))) return chosen;
  std::string extensions;
  for (const outputFormatC& format : formats.formats()) {
    const std::string dotted = "." + format.extension;
    if (extensions.find(dotted) == std::string::npos) extensions += (extensions.empty() ? "" : " or ") + dotted;
  }
  const std::string input = options.inputs.front();
  printError(std::string(options.output.empty() ? "no output format given" : "the output's extension names no format") +
             ": add -f NAME with one of " + formats.names() + ", or -o with a file ending in " + extensions +
             "; for example: lorvane convert -f MI " + input);
  return nullptr;
}

long long bytesWritten(const std::string& path) {
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  return unknown ? -1 : static_cast<long long>(size);
}

// Converts one input; returns its exit status and adds its items to items.
int convertOne(pluginHostC& host, const std::string& input, const std::string& target, const std::string& format,
               const convertOptionsC& options, const inputFilesC& inputFiles, std::size_t& items) {
  std::string error;
  outputFileC output;
  if (!output.prepare(target, inputFiles, error)) {
    printError(error);
    return kExitUsage;
  }
  enterProgressStage(progressStage::readingDrawing);
  metaTreeC* drawing = nullptr;
  bool usable = false;
  {
    // Closed once the drawing has been read from it.
    inputStreamC stream;
    usable = stream.open(input, error) && readDrawingInput(input, stream, drawing, error);
  }
  if (!usable) {
    printError(error);
    return kExitUsage;
  }
  const bool showProgress = !options.quiet && standardErrorIsTerminal();
  // Counting walks every item of a big drawing; only the progress bar and
  // the summary of several inputs show the count.
  if (showProgress || (!options.quiet && options.inputs.size() > 1)) items += drawingItemCount(drawing);
  std::string failure;
  int writeError = 0;
  const bool converted = convertDrawing(host, format, output.writePath(), drawing, showProgress, failure, &writeError);
  if (!converted) {
    // The plug-in names the file it was given: the user knows the target.
    const std::string& written = output.writePath();
    if (written != target) {
      for (std::size_t at = failure.find(written); at != std::string::npos; at = failure.find(written, at + target.size()))
        failure.replace(at, written.size(), target);
    }
    printError(input + ": " + explainModuleText(failure, writeError));
    if (!options.keepFailed) return kExitConversionFailed;
    if (!output.commit(error)) printError(error);
    else if (!output.toStandardOutput()) printError("kept what the plug-in wrote in " + target);
    return kExitConversionFailed;
  }
  if (!output.commit(error)) {
    printError(error);
    return kExitUsage;
  }
  if (!options.quiet && !output.toStandardOutput()) {
    clearProgressBar();
    const long long size = bytesWritten(target);
    if (size >= 0) std::printf("%s: %lld bytes\n", target.c_str(), size);
    else std::printf("%s: written\n", target.c_str());
  }
  return kExitOk;
}

// Where the output of input goes; false (reported) when it has none.
bool targetOf(const std::string& input, const convertOptionsC& options, const std::string& extension,
              outputFolderC& folder, std::string& target) {
  std::string error;
  if (folder.active()) {
    if (folder.outputOf(input, extension, target, error)) return true;
    printError(error);
    return false;
  }
  target = options.output;
  if (!target.empty()) return true;
  if (input == "-") {
    printError("standard input needs --output (- for standard output)");
    return false;
  }
  target = withExtension(input, extension);
  return true;
}

}  // namespace

const commandSyntaxC kConvertSyntax{
    kConvertOptions, inputCount::many,
    "Converts each INPUT (a meta tree text file whose first element is a DRAWING or\n"
    "a FIGURE; - reads standard input) through the plug-in. The output is written\n"
    "into a new file beside it and takes its place only when the conversion\n"
    "succeeded; an output that is one of the inputs is refused. Several inputs\n"
    "end with a summary line.\n",
    "exit status (of several inputs, the highest): 0 converted, 1 the plug-in\n"
    "reported a failure (a file it could not write completely among them), 2 usage\n"
    "error, an input that is no drawing, or an output the tool cannot make, write\n"
    "or put in place\n"};

int runConvert(const argumentsC& arguments) {
  convertOptionsC options;
  if (!takeOptions(arguments, options)) return kExitUsage;

  pluginHostC host;
  if (!loadPlugin(host, arguments)) return kExitUsage;
  const formatTableC formats(host);
  const outputFormatC* chosen = chooseFormat(formats, options);
  if (!chosen) return kExitUsage;

  outputFolderC folder;
  if (!folder.open(options.outputFolder)) return kExitUsage;
  const inputFilesC inputFiles(options.inputs);
  const bool showProgress = !options.quiet && standardErrorIsTerminal();
  startProgressBar(showProgress ? stderr : nullptr, options.inputs.size());
  batchTallyC tally;
  for (const std::string& input : options.inputs) {
    std::size_t items = 0;
    std::string target;
    const int status = targetOf(input, options, chosen->extension, folder, target)
                           ? convertOne(host, input, target, chosen->name, options, inputFiles, items)
                           : kExitUsage;
    tally.add(status, items);
    progressFileDone(items);
  }
  finishProgressBar();
  if (!options.quiet && options.inputs.size() > 1) std::printf("%s\n", tally.summary("converted").c_str());
  return tally.status();
}

}  // namespace lorvane::cli
