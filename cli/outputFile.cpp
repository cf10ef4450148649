#include "outputFile.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "lorvane/cli/commands.h"
#include "inputFile.h"
#include "lorvane/cli/platform.h"

namespace lorvane::cli {
namespace fs = std::filesystem;

namespace {

std::uint64_t randomNumber() {
  // Two tools running at once must not pick the same name.
  static std::mt19937_64 generator = [] {
    std::random_device device;
    return std::mt19937_64((static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                           static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
  }();
  return generator();
}

std::string folderOf(const std::string& path) {
  const fs::path folder = fs::path(path).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

}  // namespace

inputFilesC::inputFilesC(const std::vector<std::string>& inputs) {
  bool standardInputSeen = false;
  for (const std::string& input : inputs) {
    fileIdentityC identity;
    if (input == "-") {
      if (standardInputSeen) continue;
      standardInputSeen = true;
      if (standardInputIdentity(identity)) byIdentity_.emplace(identity, input);
    } else if (fileIdentity(input, identity)) {
      byIdentity_.emplace(identity, input);
    } else {
      std::error_code failed;
      if (fs::exists(input, failed)) untold_.push_back(input);
    }
  }
}

const std::string* inputFilesC::find(const std::string& path) const {
  fileIdentityC identity;
  if (fileIdentity(path, identity)) {
    const auto found = byIdentity_.find(identity);
    if (found != byIdentity_.end()) return &found->second;
  }
  for (const std::string& input : untold_) {
    std::error_code failed;
    if (fs::equivalent(path, input, failed) && !failed) return &input;
  }
  return nullptr;
}

void temporaryFileC::remove() {
  if (path_.empty()) return;
  std::error_code ignored;
  fs::remove(path_, ignored);
  dropFromInterruptionCleanup(path_);
  path_.clear();
}

void temporaryFileC::release() {
  dropFromInterruptionCleanup(path_);
  path_.clear();
}

bool temporaryFileC::create(const std::string& folder, const std::string& stem, std::string& error) {
  remove();
  std::error_code failed;
  const fs::path base = folder.empty() ? fs::temp_directory_path(failed) : fs::path(folder);
  if (failed) {
    error = failed.message();
    return false;
  }
  for (int attempt = 0; attempt < 16; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(randomNumber()));
    const std::string candidate = (base / (stem + suffix)).string();
    if (fs::exists(candidate, failed)) continue;
    std::FILE* file = std::fopen(candidate.c_str(), "wb");
    if (!file) {
      error = std::strerror(errno);
      return false;
    }
    std::fclose(file);
    path_ = candidate;
    removeOnInterruption(path_);
    return true;
  }
  error = "no unused file name";
  return false;
}

bool outputFileC::prepare(const std::string& target, const inputFilesC& inputs, std::string& error) {
  target_ = target;
  placeAt_ = target;
  direct_ = false;
  if (toStandardOutput()) {
    if (temporary_.create("", "lorvane", error)) return true;
    error = "cannot make a scratch file for standard output: " + error;
    return false;
  }
  if (const std::string* input = inputs.find(target)) {
    error = "refusing to write " + target + ": it is the input file " +
            (*input == "-" ? std::string("that standard input reads") : *input + " itself");
    return false;
  }
  std::error_code failed;
  const fs::file_status status = fs::status(target, failed);
  if (fs::exists(status)) {
    if (fs::is_directory(status)) {
      error = "cannot write " + target + ": it is a folder (--output-dir DIR writes into one)";
      return false;
    }
    if (!fs::is_regular_file(status)) {
      // A device or a pipe is the destination itself: there is nothing to
      // keep and nothing could be put in its place.
      direct_ = true;
      return true;
    }
    // The file must stay writable for whoever made it read-only; and a link
    // keeps leading to the file it leads to.
    if (std::FILE* file = std::fopen(target.c_str(), "ab")) {
      std::fclose(file);
    } else {
      error = "cannot write " + target + ": " + std::strerror(errno);
      return false;
    }
    if (fs::is_symlink(fs::symlink_status(target, failed))) {
      const fs::path real = fs::canonical(target, failed);
      if (!failed) placeAt_ = real.string();
    }
  }
  if (!temporary_.create(folderOf(placeAt_), fs::path(placeAt_).filename().string(), error)) {
    error = "cannot write " + target + ": " + error;
    return false;
  }
  return true;
}

bool outputFileC::write(const std::string& bytes, std::string& error) {
  std::FILE* file = std::fopen(writePath().c_str(), "wb");
  if (!file) {
    error = "cannot write " + target_ + ": " + std::strerror(errno);
    return false;
  }
  errno = 0;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && closed) return true;
  const int reason = writeError ? writeError : errno;
  error = "cannot write " + target_ + ": " + (reason ? std::strerror(reason) : "write failed");
  return false;
}

namespace {
bool gStandardOutputFailureReported = false;
}  // namespace

bool standardOutputFailureReported() { return gStandardOutputFailureReported; }

std::string standardOutputFailure(int reason) {
  return std::string("cannot write standard output") + (reason ? std::string(": ") + std::strerror(reason) : "");
}

bool outputFileC::commit(std::string& error) {
  if (direct_) return true;
  if (toStandardOutput()) {
    std::string bytes;
    if (!readInputFile(temporary_.path(), bytes, error)) return false;
    setStandardOutputBinary();
    errno = 0;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() && std::fflush(stdout) == 0;
    const int reason = errno;
    if (!ok) {
      error = standardOutputFailure(reason);
      gStandardOutputFailureReported = true;
    }
    temporary_.remove();
    return ok;
  }
  std::error_code failed;
  const fs::file_status before = fs::status(placeAt_, failed);
  if (fs::exists(before)) fs::permissions(temporary_.path(), before.permissions(), failed);
  if (!replaceFile(temporary_.path(), placeAt_, error)) {
    error = "cannot write " + target_ + ": " + error;
    return false;
  }
  temporary_.release();
  return true;
}

}  // namespace lorvane::cli
