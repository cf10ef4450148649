#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "batchSummary.h"
#include "lorvane/cli/commands.h"
#include "lorvane/cli/inputDrawing.h"
#include "lorvane/util/asciiCase.h"
#include "inputFile.h"
#include "hostConversion.h"
#include "outputFile.h"
#include "outputFolder.h"
#include "outputFormats.h"
#include "pluginHost.h"
#include "previewOptions.h"
#include "rasterise.h"
#include "writtenFiles.h"
#include "lorvane/preview/svgReport.h"
#include "lorvane/preview/svgWriter.h"

namespace lorvane::cli {
namespace {

constexpr optionC kPreviewOptions[] = {
    outputOption("the picture (one INPUT only; - for standard output); default: INPUT with the extension svg or png"),
    outputFolderOption("the folder to draw each picture into, named for its INPUT with the extension svg or png; "
                       "made when missing"),
    {"via", '\0', optionKind::value, "NAME",
     "the format a drawing is drawn through, any case: META2D (default, line kinds and cut-outs) or MI (layers, "
     "colours, line types); see lorvane formats"},
    formatOption(optionKind::choice, "svg|png",
                 "svg (default) or png (where the tool is built with cairo); without it an output ending in "
                 ".png is PNG; an output whose extension is not the format's is refused"),
    {"width", '\0', optionKind::value, "PX",
     "the PNG picture's width in pixels, 16 to 32767 (default: the SVG's size, 1000 for the drawing's longer "
     "side)"},
    {"no-labels", '\0', optionKind::flag, nullptr, "no figure names beside the figures"},
    {"warn-size", '\0', optionKind::value, "MB",
     "tell what was drawn and how long a browser may take when the SVG file is larger (default 20)"},
};

struct previewOptionsC {
  std::string input;
  std::string output;
  std::string via;  // empty: META2D
  pictureOptionsC picture;
};

// The options of the whole batch; input and output are each input's.
bool takeOptions(const argumentsC& arguments, previewOptionsC& options) {
  options.output = arguments.value("output");
  options.via = arguments.value("via");
  std::string error;
  if (!readPictureOptions(arguments, options.picture, error)) {
    printError(error);
    return false;
  }
  if (arguments.inputs().size() > 1 && !options.output.empty()) {
    printError("--output names one picture; it cannot be used with several inputs (--output-dir DIR takes many)");
    return false;
  }
  return outputOptionsAgree(options.output, arguments.value("output-dir"));
}

// Where the picture of input goes; false (reported) when it has none.
bool targetOf(const std::string& input, const argumentsC& arguments, outputFolderC& folder, previewOptionsC& options) {
  options.input = input;
  options.output = arguments.value("output");
  options.picture.png = arguments.value("format") == "png";
  const char* extension = options.picture.png ? "png" : "svg";
  std::string error;
  if (folder.active() && !folder.outputOf(input, extension, options.output, error)) {
    printError(error);
    return false;
  }
  if (options.output.empty()) {
    if (input == "-") {
      printError("standard input needs --output (- for standard output)");
      return false;
    }
    options.output = withExtension(input, extension);
  }
  // Without --format an output ending in .png asks for PNG.
  if (!arguments.has("format")) options.picture.png = endsWithPng(options.output);
  if (options.picture.width > 0 && !options.picture.png) {
    printError("--width sizes a PNG picture; an SVG picture scales by itself");
    return false;
  }
  return true;
}

// A picture goes only into a file whose extension, if it has one, names its
// format: an SVG picture in x.jpg, or PNG bytes in x.svg, would mislead
// whoever opens it. Standard output and names without an extension (devices)
// take either.
bool extensionFitsFormat(const previewOptionsC& options) {
  if (options.output == "-") return true;
  const std::string extension = asciiLowerCase(extensionOf(options.output));
  const char* format = options.picture.png ? "png" : "svg";
  if (extension.empty() || extension == format) return true;
  printError("refusing to write a" + std::string(options.picture.png ? " PNG" : "n SVG") + " picture into " +
             options.output + ": its extension is not ." + format +
             (options.picture.png ? " (an SVG picture is drawn without -f png)" : " (-f png draws PNG into a .png file)"));
  return false;
}

// The format a drawing is drawn through; null (reported) when the plug-in
// offers none of that name.
const outputFormatC* viaFormat(const formatTableC& formats, const std::string& via) {
  const outputFormatC* format = formats.find(via.empty() ? "META2D" : via);
  if (!format) printError("--via takes a format the plug-in offers: " + formats.names() + "; not " + via);
  return format;
}

// Draws one input; returns its exit status and adds its items to items.
// The plug-in is loaded the first time a drawing needs it.
int previewOne(const argumentsC& arguments, const previewOptionsC& options, const inputFilesC& inputFiles,
               pluginHostC& host, std::size_t& items) {
  // The time a large picture's notice tells: all the picture took.
  const auto start = std::chrono::steady_clock::now();
  std::string error;
  outputFileC output;
  if (!output.prepare(options.output, inputFiles, error)) {
    printError(error);
    return kExitUsage;
  }
  if (!extensionFitsFormat(options)) return kExitUsage;
  // Said before a long conversion, not after it.
  if (options.picture.png && !canRasterise(error)) {
    printError(error);
    return kExitUsage;
  }
  inputStreamC stream;
  if (!stream.open(options.input, error)) {
    printError(error);
    return kExitUsage;
  }
  std::string bytes;
  const writtenFormatC* written = recogniseWritten(stream.head());
  std::string shown = options.input;
  std::string title = displayName(options.input);
  if (!written) {
    // The drawing is drawn from what the writer makes of it: figures placed
    // and every other shape approximated exactly as in a conversion. The
    // input file itself is left as it is.
    if (!host.convertMetaTree && !loadPlugin(host, arguments)) return kExitUsage;
    const formatTableC formats(host);
    const outputFormatC* via = viaFormat(formats, options.via);
    if (!via) return kExitUsage;
    written = writtenFormatWithExtension(via->extension);
    if (!written) {
      printError("--via " + via->name + ": the plug-in writes ." + via->extension +
                 " files, which the tool cannot read back to draw");
      return kExitUsage;
    }
    metaTreeC* drawing = nullptr;
    if (!readDrawingInput(options.input, stream, drawing, error)) {
      printError(error);
      return kExitUsage;
    }
    items += drawingItemCount(drawing);
    if (!convertToBytes(host, options.input, drawing, via->name, bytes, error)) {
      printError(error);
      return kExitConversionFailed;
    }
    const std::string as = std::string(" (as ") + written->label + ")";
    shown = options.input + as;
    title += as;
  } else if (!stream.readRest(bytes, error)) {
    printError(error);
    return kExitUsage;
  }
  preview::sceneC scene;
  if (!readWrittenFile(*written, bytes, shown, scene, error)) {
    printError(error);
    return kExitUsage;
  }
  // The scene holds all it needs of the file: the file's bytes, as large as
  // the scene, need not stand beside the picture drawn from it.
  std::string().swap(bytes);
  preview::svgOptionsC svg;
  svg.title = title;
  svg.labels = options.picture.labels;
  preview::svgStatsC stats;
  std::string picture;
  if (!options.picture.png) {
    picture = preview::writeSvg(scene, svg, &stats);
  } else if (!rasteriseScene(scene, svg, options.picture.width, picture, error)) {
    printError(error);
    return kExitUsage;
  }
  if (!output.write(picture, error) || !output.commit(error)) {
    printError(error);
    return kExitUsage;
  }
  if (!output.toStandardOutput()) std::printf("%s: %zu elements\n", options.output.c_str(), scene.elements.size());
  if (!options.picture.png && picture.size() > options.picture.warnBytes) {
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::fprintf(stderr, "%s\n", preview::largeDocumentNotice(options.output, picture.size(), stats, seconds).c_str());
  }
  return kExitOk;
}

}  // namespace

const commandSyntaxC kPreviewSyntax{
    kPreviewOptions, inputCount::many,
    "Draws each INPUT as one picture: a drawing in the text form, a written META2D\n"
    "file or a written MI file, told apart by their content (- reads standard\n"
    "input). A drawing is drawn as the plug-in writes it (figures placed, other\n"
    "shapes approximated by lines and arcs); the input file is not changed.\n"
    "Several inputs end with a summary line.\n",
    "exit status (of several inputs, the highest): 0 drawn, 1 the plug-in reported a\n"
    "failure, 2 usage error, a file that cannot be read (the message names its\n"
    "line) or an output that cannot be written\n"};

int runPreview(const argumentsC& arguments) {
  previewOptionsC options;
  if (!takeOptions(arguments, options)) return kExitUsage;
  outputFolderC folder;
  if (!folder.open(arguments.value("output-dir"))) return kExitUsage;
  const inputFilesC inputFiles(arguments.inputs());
  pluginHostC host;
  batchTallyC tally;
  for (const std::string& input : arguments.inputs()) {
    std::size_t items = 0;
    const bool placed = targetOf(input, arguments, folder, options);
    const int status = placed ? previewOne(arguments, options, inputFiles, host, items) : kExitUsage;
    tally.add(status, items);
  }
  if (arguments.inputs().size() > 1) std::printf("%s\n", tally.summary("drawn").c_str());
  return tally.status();
}

}  // namespace lorvane::cli
