#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "commands.h"
#include "platform.h"
#include "progressBar.h"

namespace lorvane::cli {

bool readInputFile(const std::string& path, std::string& bytes, std::string& error) {
  bytes.clear();
  if (path == "-") {
    if (readStandardInput(bytes)) return true;
    error = "cannot read standard input";
    return false;
  }
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    error = "cannot open " + path + ": " + std::strerror(errno);
    return false;
  }
  // The size is known for a plain file: one allocation, and a share to show.
  constexpr std::size_t kChunk = 1 << 20;
  std::error_code unknown;
  const std::uintmax_t size = std::filesystem::file_size(path, unknown);
  if (!unknown && size < bytes.max_size() / 2) bytes.reserve(static_cast<std::size_t>(size) + kChunk);
  std::size_t got;
  do {
    const std::size_t at = bytes.size();
    bytes.resize(at + kChunk);
    got = std::fread(bytes.data() + at, 1, kChunk, file);
    bytes.resize(at + got);
    if (!unknown && size > 0) showStageProgress(static_cast<double>(bytes.size()) / static_cast<double>(size));
  } while (got == kChunk);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  if (!ok) error = "cannot read " + path + ": " + std::strerror(errno);
  return ok;
}

}  // namespace lorvane::cli
