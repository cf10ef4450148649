#include "testFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace lorvane::testing {

std::string readFileBytes(const std::string& path) {
  std::string bytes;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return bytes;
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

bool fileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::exists(path, error);
}

std::string scratchPath(const std::string& name) {
  std::string prefix;
  if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) {
    for (char c : std::string(test->test_suite_name()) + "." + test->name() + ".") {
      prefix += (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ? c : '_';
    }
  }
  return ::testing::TempDir() + "lorvane_" + prefix + name;
}

std::string crlfLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (std::string_view line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace lorvane::testing
