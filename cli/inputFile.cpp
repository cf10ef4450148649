#include "inputFile.h"

#include <cstdio>

#include "commands.h"
#include "platform.h"
#include "progressBar.h"
#include "writtenFiles.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::cli {

bool readInputFile(const std::string& path, std::string& bytes, std::string& error) {
  if (path != "-") return readFileContents(path, bytes, error, showStageProgress);
  bytes.clear();
  setStandardInputBinary();
  if (appendStreamContents(stdin, bytes)) return true;
  error = "cannot read standard input";
  return false;
}

bool readTextTree(const std::string& input, const std::string& name, bool drawingsOnly, metaObjectC& tree) {
  std::string bytes;
  std::string error;
  if (!readInputFile(input, bytes, error)) {
    printError(error);
    return false;
  }
  if (const inputKind kind = recogniseInput(bytes); drawingsOnly && kind != inputKind::textForm) {
    printError(writtenFileIsNoDrawing(name, kind));
    return false;
  }
  metaTextReaderC reader;
  tree = reader.readTree(bytes, true);
  if (reader.failed()) {
    printError(name + ": " + reader.errorText());
    return false;
  }
  return true;
}

}  // namespace lorvane::cli
