#include "hostConversion.h"

#include <cerrno>

#include "lorvane/cli/commands.h"
#include "inputFile.h"
#include "moduleMessages.h"
#include "outputFile.h"
#include "lorvane/cli/progressBar.h"
#include "writtenFiles.h"
#include "lorvane/metatree/memory/nodePages.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::cli {

bool loadPlugin(pluginHostC& host, const argumentsC& arguments) {
  std::string error;
  if (host.load(arguments.value("module"), error)) return true;
  printError(error);
  return false;
}

std::string extensionOf(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
  return path.substr(dot + 1);
}

std::string withExtension(const std::string& path, const std::string& extension) {
  const std::string current = extensionOf(path);
  const std::string stem = current.empty() && (path.empty() || path.back() != '.') ? path
                                                                                  : path.substr(0, path.size() - current.size() - 1);
  return stem + "." + extension;
}

metaObjectC buildRequest(const std::string& format, const std::string& output, metaTreeC* drawing) {
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  metaObjectC(request.getOrAddChild("NAME")).setString(format);
  metaObjectC(request.getOrAddChild("VERSION")).setString("1");
  metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(output);
  metaObjectC inputData(request.getOrAddChild("INPUTDATA"));
  if (drawing) metaTreeC::appendChildren(drawing, inputData.node());
  return request;
}

namespace {

// The first element of the text, or null when it holds none. False with
// error as readTextForm gives it.
bool readFirstElement(const std::string& name, inputStreamC& input, metaTreeC*& drawing, std::string& error) {
  drawing = nullptr;
  metaTextReaderC reader;
  reader.setProgress([](double share, void*) { showStageProgress(share); }, nullptr);
  metaObjectC chain;
  if (!readTextForm(input, name, reader, chain, error)) return false;
  drawing = chain.node();
  if (drawing) {
    if (metaTreeC* rest = drawing->next()) {
      metaTreeC::unlink(rest);
      delete rest;
    }
    chain.detach(false);
  }
  return true;
}

}  // namespace

bool readDrawingInput(const std::string& name, inputStreamC& input, metaTreeC*& drawing, std::string& error) {
  drawing = nullptr;
  if (const writtenFormatC* written = recogniseWritten(input.head())) {
    error = writtenFileIsNoDrawing(name, *written);
    return false;
  }
  if (!readFirstElement(name, input, drawing, error)) return false;
  if (!drawing) {
    error = name + ": " + input.noElement() + "; a drawing starts with DRAWING or FIGURE";
    return false;
  }
  if (!drawing->hasKey("DRAWING") && !drawing->hasKey("FIGURE")) {
    const metaValueC& value = drawing->value();
    const std::string what = value.isKey() ? "the key " + std::string(value.text().view()) : std::string("a value");
    error = name + ": the first element is " + what + ", not a DRAWING or FIGURE";
    delete drawing;
    drawing = nullptr;
    return false;
  }
  return true;
}

bool convertDrawing(pluginHostC& host, const std::string& format, const std::string& output, metaTreeC* drawing,
                    bool detailedProgress, std::string& failure, int* systemReason) {
  metaObjectC request = buildRequest(format, output, drawing);
  if (detailedProgress) metaObjectC(request.getOrAddChild("PROGRESSDETAIL")).setInt(1);
  // The plug-in runs on this thread and writes its file with the C library:
  // when it reports that the file could not be written, the reason the
  // system gave for the failing write is still in errno.
  errno = 0;
  host.convertMetaTree(request.node(), &drawProgress);
  if (systemReason) *systemReason = errno;
  if (metaTreeC* result = request.findChild("RESTEXT")) {
    failure = std::string(metaObjectC(result).getString().view());
    return false;
  }
  return true;
}

bool convertToScratch(pluginHostC& host, const std::string& name, metaTreeC* drawing, const std::string& format,
                      temporaryFileC& scratch, std::string& error) {
  if (!scratch.create("", "lorvane", error)) {
    delete drawing;
    error = "cannot make a scratch file in the temporary folder: " + error;
    return false;
  }
  std::string failure;
  int writeError = 0;
  const bool converted = convertDrawing(host, format, scratch.path(), drawing, false, failure, &writeError);
  // The runtime keeps the node regions a tree emptied for the next tree.
  // After a scratch conversion the file is read back into a model of another
  // kind, and the regions would only add to the command's peak.
  nodePages::releaseKeptRegions();
  if (!converted) {
    error = name + ": the plug-in reports: " + explainModuleText(failure, writeError);
    return false;
  }
  return true;
}

bool convertToBytes(pluginHostC& host, const std::string& name, metaTreeC* drawing, const std::string& format,
                    std::string& fileBytes, std::string& error) {
  temporaryFileC scratch;
  return convertToScratch(host, name, drawing, format, scratch, error) &&
         readInputFile(scratch.path(), fileBytes, error);
}

}  // namespace lorvane::cli
