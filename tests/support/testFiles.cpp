#include "testFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

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

namespace {

// A mark of this process: two test runs on one machine (the release and
// the sanitizer build under `ctest -j`, two CI jobs) run the same tests at
// the same time and must not share a file.
const std::string& processMark() {
  static const std::string mark = [] {
    std::random_device entropy;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%08x%08x", entropy(), entropy());
    return std::string(digits);
  }();
  return mark;
}

// The start of the scratch names of a test: this process's mark, the test's
// suite and name, each character that a file name may not hold made "_".
std::string scratchPrefix(const ::testing::TestInfo& test) {
  std::string prefix = "lorvane_" + processMark() + "_";
  for (char c : std::string(test.test_suite_name()) + "." + test.name() + ".") {
    prefix += (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ? c : '_';
  }
  return prefix;
}

bool gScratchUsed = false;

// When a test that asked for scratch names ends, everything under them goes,
// also what the tool made beside them (a preview's INPUT.svg, a browser
// profile): the temporary folder keeps nothing of a finished test.
void sweep(const ::testing::TestInfo& test) {
  const std::string prefix = scratchPrefix(test);
  std::error_code failed;
  std::vector<std::filesystem::path> made;
  for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir(), failed)) {
    if (entry.path().filename().string().rfind(prefix, 0) == 0) made.push_back(entry.path());
  }
  for (const auto& path : made) std::filesystem::remove_all(path, failed);
}

class scratchSweeperC : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo& test) override {
    if (!gScratchUsed) return;
    gScratchUsed = false;
    sweep(test);
  }
};

const bool gSweeperInstalled = [] {
  ::testing::UnitTest::GetInstance()->listeners().Append(new scratchSweeperC);
  return true;
}();

}  // namespace

std::string scratchPath(const std::string& name) {
  (void)gSweeperInstalled;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!test) return ::testing::TempDir() + "lorvane_" + processMark() + "_" + name;
  gScratchUsed = true;
  return ::testing::TempDir() + scratchPrefix(*test) + name;
}

void sweepScratch() {
  if (const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info()) sweep(*test);
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
