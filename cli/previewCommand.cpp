#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "inputFile.h"
#include "hostConversion.h"
#include "outputFile.h"
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
    outputOption("the picture (- for standard output); default: INPUT with the extension svg or png"),
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

bool takeOptions(const argumentsC& arguments, previewOptionsC& options) {
  options.input = arguments.inputs().front();
  options.output = arguments.value("output");
  options.via = arguments.value("via");
  std::string error;
  if (!readPictureOptions(arguments, options.picture, error)) {
    printError(error);
    return false;
  }
  if (options.output.empty()) {
    if (options.input == "-") {
      printError("standard input needs --output (- for standard output)");
      return false;
    }
    options.output = withExtension(options.input, options.picture.png ? "png" : "svg");
  }
  // Without --format an output ending in .png asks for PNG.
  if (!arguments.has("format") && endsWithPng(options.output)) options.picture.png = true;
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
  const std::string extension = lowerCase(extensionOf(options.output));
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

}  // namespace

const commandSyntaxC kPreviewSyntax{
    kPreviewOptions, inputCount::one,
    "Draws INPUT as one picture, SVG or PNG: a drawing in the text form, a written\n"
    "META2D file or a written MI file, told apart by their content (- reads\n"
    "standard input). A drawing is drawn as the plug-in writes it (figures\n"
    "placed, other shapes approximated by lines and arcs); the input file is not\n"
    "changed.\n",
    "exit status: 0 drawn, 1 the plug-in reported a failure, 2 usage error, a\n"
    "file that cannot be read (the message names its line) or an output that\n"
    "cannot be written\n"};

int runPreview(const argumentsC& arguments) {
  previewOptionsC options;
  if (!takeOptions(arguments, options)) return kExitUsage;
  std::string error;
  outputFileC output;
  if (!output.prepare(options.output, inputFilesC({options.input}), error)) {
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
  inputKind kind = recogniseInput(stream.head());
  std::string shown = options.input;
  std::string title = displayName(options.input);
  if (kind == inputKind::textForm) {
    // The drawing is drawn from what the writer makes of it: figures placed
    // and every other shape approximated exactly as in a conversion. The
    // input file itself is left as it is.
    pluginHostC host;
    if (!loadPlugin(host, arguments)) return kExitUsage;
    const formatTableC formats(host);
    const outputFormatC* via = viaFormat(formats, options.via);
    if (!via) return kExitUsage;
    metaTreeC* drawing = nullptr;
    if (!readDrawingInput(options.input, stream, drawing, error)) {
      printError(error);
      return kExitUsage;
    }
    if (!convertToBytes(host, options.input, drawing, via->name, bytes, error)) {
      printError(error);
      return kExitConversionFailed;
    }
    kind = writtenKindOf(*via);
    const std::string as = std::string(" (as ") + (kind == inputKind::mi ? "MI" : "META2D") + ")";
    shown = options.input + as;
    title += as;
  } else if (!stream.readRest(bytes, error)) {
    printError(error);
    return kExitUsage;
  }
  preview::sceneC scene;
  if (!readWrittenFile(kind, bytes, shown, scene, error)) {
    printError(error);
    return kExitUsage;
  }
  preview::svgOptionsC svg;
  svg.title = title;
  svg.labels = options.picture.labels;
  preview::svgStatsC stats;
  const auto start = std::chrono::steady_clock::now();
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

}  // namespace lorvane::cli
