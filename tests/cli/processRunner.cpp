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
  // Tests run in parallel processes: the capture files carry the test's name.
  static int counter = 0;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = test ? std::string(test->test_suite_name()) + "_" + test->name() : "process";
  const std::string base = ::testing::TempDir() + "lorvane_" + name + "_" + std::to_string(++counter);
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
