#include <cstdio>

#include "commands.h"
#include "platform.h"
#include "progressBar.h"
#include "util/fileContents.h"

namespace lorvane::cli {

bool readInputFile(const std::string& path, std::string& bytes, std::string& error) {
  if (path != "-") return readFileContents(path, bytes, error, showStageProgress);
  bytes.clear();
  setStandardInputBinary();
  if (appendStreamContents(stdin, bytes)) return true;
  error = "cannot read standard input";
  return false;
}

}  // namespace lorvane::cli
