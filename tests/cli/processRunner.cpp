#include "processRunner.h"

#include <cstdio>
#include <cstdlib>

#if !defined(_WIN32)
#  include <sys/wait.h>
#endif

#include <gtest/gtest.h>

namespace lorvane::testing {

std::string readFileBytes(const std::string& path) {
  std::string bytes;
  if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, got);
    std::fclose(f);
  }
  return bytes;
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
  if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
}

std::string quoted(const std::string& path) { return "\"" + path + "\""; }

processResultC runProcess(const std::string& commandLine) {
  static int counter = 0;
  const std::string base = ::testing::TempDir() + "lorvane_process_" + std::to_string(++counter);
  const std::string outPath = base + ".out";
  const std::string errPath = base + ".err";
  const std::string full = commandLine + " > " + quoted(outPath) + " 2> " + quoted(errPath);
  const int status = std::system(full.c_str());
  processResultC result;
#if defined(_WIN32)
  result.exitCode = status;
#else
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
  result.out = readFileBytes(outPath);
  result.err = readFileBytes(errPath);
  std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  return result;
}

}  // namespace lorvane::testing
