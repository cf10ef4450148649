#pragma once
// Where a benchmark writes its output, and how large the file came out.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace lorvane::bench {

// A mark of this process, so that two benchmark runs side by side (one
// build against another, interleaved by hand) never share a scratch file.
inline const std::string& processMark() {
  static const std::string mark = [] {
    std::random_device entropy;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%08x%08x", entropy(), entropy());
    return std::string(digits);
  }();
  return mark;
}

// A scratch file for a benchmark's output ($TMPDIR or /tmp), named for this
// process.
inline std::string scratchOutputPath(const char* fileName) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder ? folder : "/tmp") + "/" + processMark() + "." + fileName;
}

// 0 for a file that is not there.
inline long long fileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<long long>(size);
}

}  // namespace lorvane::bench
