#pragma once
#include <string>

#include "testFiles.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::testing {

struct processResultC {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the command line through the system's shell, capturing both streams.
processResultC runProcess(const std::string& commandLine);

// The tool's messages, listings and help as text with line feeds alone: its
// standard streams are text streams, which end lines with CR LF on Windows.
// (Files it writes to standard output with -o - are binary and keep theirs.)
std::string messageText(std::string text);

// The path as the system's shell and the tool take it: on Windows a Unix
// absolute path (a build run under wine) is turned into its Z: drive form.
std::string hostPath(const std::string& path);
// The path in double quotes, in its hostPath form.
std::string quoted(const std::string& path);

}  // namespace lorvane::testing
