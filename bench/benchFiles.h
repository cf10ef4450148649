#pragma once
// Where a benchmark writes its output, and how large the file came out.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace lorvane::bench {

// A scratch file for a benchmark's output ($TMPDIR or /tmp).
inline std::string scratchOutputPath(const char* fileName) {
  const char* folder = std::getenv("TMPDIR");
  return std::string(folder ? folder : "/tmp") + "/" + fileName;
}

// 0 for a file that is not there.
inline long long fileSize(const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  return error ? 0 : static_cast<long long>(size);
}

}  // namespace lorvane::bench
