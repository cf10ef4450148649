#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
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

struct previewOptionsC {
  std::string input;
  std::string output;
  std::string via;  // empty: META2D
  pictureOptionsC picture;
};

bool parsePreviewOptions(const std::vector<std::string>& arguments, previewOptionsC& options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if ((a == "-o" || a == "--output" || a == "--via") && i + 1 >= arguments.size()) {
      printError("option " + a + " needs a value");
      return false;
    }
    if (a == "-o" || a == "--output") {
      options.output = arguments[++i];
    } else if (a.rfind("--output=", 0) == 0) {
      options.output = a.substr(9);
    } else if (a == "--via") {
      options.via = arguments[++i];
    } else if (a.rfind("--via=", 0) == 0) {
      options.via = a.substr(6);
    } else if (takePictureOption(arguments, i, options.picture)) {
      if (!options.picture.error.empty()) {
        printError(options.picture.error);
        return false;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      printError("unknown option " + a + " (see lorvane preview --help)");
      return false;
    } else if (options.input.empty()) {
      options.input = a;
    } else {
      printError("preview takes one input");
      return false;
    }
  }
  if (options.input.empty()) {
    printError("preview needs an input file (see lorvane preview --help)");
    return false;
  }
  if (options.output.empty()) {
    if (options.input == "-") {
      printError("standard input needs --output (- for standard output)");
      return false;
    }
    options.output = withExtension(options.input, options.picture.png ? "png" : "svg");
  }
  if (endsWithPng(options.output)) options.picture.png = true;
  return true;
}

// The format a drawing is drawn through; null (reported) when the plug-in
// offers none of that name.
const outputFormatC* viaFormat(const formatTableC& formats, const std::string& via) {
  const outputFormatC* format = formats.find(via.empty() ? "META2D" : via);
  if (!format) printError("--via takes a format the plug-in offers: " + formats.names() + "; not " + via);
  return format;
}

}  // namespace

int runPreview(const commonOptionsC& common, const std::vector<std::string>& arguments) {
  previewOptionsC options;
  if (!parsePreviewOptions(arguments, options)) return kExitUsage;
  std::string error;
  outputFileC output;
  if (!output.prepare(options.output, {options.input}, error)) {
    printError(error);
    return kExitUsage;
  }
  std::string bytes;
  if (!readInputFile(options.input, bytes, error)) {
    printError(error);
    return kExitUsage;
  }
  inputKind kind = recogniseInput(bytes);
  std::string shown = options.input;
  std::string title = displayName(options.input);
  if (kind == inputKind::textForm) {
    // The drawing is drawn from what the writer makes of it: figures placed
    // and every other shape approximated exactly as in a conversion. The
    // input file itself is left as it is.
    pluginHostC host;
    if (!host.load(common.modulePath, error)) {
      printError(error);
      return kExitUsage;
    }
    const formatTableC formats(host);
    const outputFormatC* via = viaFormat(formats, options.via);
    if (!via) return kExitUsage;
    std::string written;
    bool unreadable = false;
    if (!convertToBytes(host, options.input, bytes, via->name, written, error, unreadable)) {
      printError(error);
      return unreadable ? kExitUsage : kExitConversionFailed;
    }
    bytes = std::move(written);
    kind = writtenKindOf(*via);
    const std::string as = std::string(" (as ") + (kind == inputKind::mi ? "MI" : "META2D") + ")";
    shown = options.input + as;
    title += as;
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
  std::string picture = preview::writeSvg(scene, svg, &stats);
  if (options.picture.png) {
    std::string png;
    if (!rasteriseSvg(picture, png, error)) {
      printError(error);
      return kExitUsage;
    }
    picture = std::move(png);
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
