#include "processRunner.h"

#include "testFiles.h"

#include <cstdio>
#include <cstdlib>

#if !defined(_WIN32)
#  include <sys/wait.h>
#endif

#include <gtest/gtest.h>

namespace lorvane::testing {

std::string messageText(std::string text) {
  std::string::size_type to = 0;
  for (std::string::size_type from = 0; from < text.size(); ++from) {
    if (text[from] == '\r' && from + 1 < text.size() && text[from + 1] == '\n') continue;
    text[to++] = text[from];
  }
  text.resize(to);
  return text;
}

std::string hostPath(const std::string& path) {
#if defined(_WIN32)
  // Under wine the build's Unix paths are on drive Z:, and the command
  // interpreter takes a "/" for the start of an option.
  if (path.empty() || path[0] != '/') return path;
  std::string windows = "Z:" + path;
  for (char& c : windows) {
    if (c == '/') c = '\\';
  }
  return windows;
#else
  return path;
#endif
}

std::string quoted(const std::string& path) { return "\"" + hostPath(path) + "\""; }

processResultC runProcess(const std::string& commandLine) {
  // The capture files are the running test's scratch files: unique to the
  // test and the process, and swept when the test ends.
  static int counter = 0;
  const std::string base = scratchPath("process_" + std::to_string(++counter));
  const std::string outPath = base + ".out";
  const std::string errPath = base + ".err";
  std::string full = commandLine + " > " + quoted(outPath) + " 2> " + quoted(errPath);
#if defined(_WIN32)
  // cmd /c drops the first and the last quote of a line that starts with one:
  // one more pair around the whole line keeps the quoted program path intact.
  full = "\"" + full + "\"";
#endif
  const int status = std::system(full.c_str());
  processResultC result;
#if defined(_WIN32)
  result.exitCode = status;
#else
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  result.out = fileContents(outPath);
  result.err = fileContents(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return result;
}

}  // namespace lorvane::testing
