#include "lorvane/util/fileContents.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace lorvane {

bool appendStreamContents(std::FILE* stream, std::string& bytes, std::uintmax_t expectedSize,
                          readProgressF progress) {
  // Read straight into the string, a large piece at a time: no copy through
  // a buffer, and few reallocations when the size is not known.
  constexpr std::size_t kChunk = 1 << 20;
  const std::size_t start = bytes.size();
  if (expectedSize > 0 && expectedSize < bytes.max_size() / 2)
    bytes.reserve(start + static_cast<std::size_t>(expectedSize) + kChunk);
  std::size_t got;
  do {
    const std::size_t at = bytes.size();
    bytes.resize(at + kChunk);
    got = std::fread(bytes.data() + at, 1, kChunk, stream);
    bytes.resize(at + got);
    if (progress && expectedSize > 0)
      progress(static_cast<double>(bytes.size() - start) / static_cast<double>(expectedSize));
  } while (got == kChunk);
  return !std::ferror(stream);
}

bool readFileContents(const std::string& path, std::string& bytes, std::string& error, readProgressF progress) {
  bytes.clear();
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  const bool ok = appendStreamContents(file, bytes, unknown ? 0 : size, progress);
  if (!ok) error = "cannot read " + path + ": " + std::strerror(errno);
  std::fclose(file);
  return ok;
}

std::string fileContents(const std::string& path) {
  std::string bytes;
  std::string ignored;
  if (!readFileContents(path, bytes, ignored)) bytes.clear();
  return bytes;
}

}  // namespace lorvane
