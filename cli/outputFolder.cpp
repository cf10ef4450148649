#include "outputFolder.h"

#include <filesystem>
#include <system_error>

#include "lorvane/cli/commands.h"
#include "hostConversion.h"

namespace lorvane::cli {

namespace fs = std::filesystem;

bool outputOptionsAgree(const std::string& output, const std::string& folder) {
  if (output.empty() || folder.empty()) return true;
  printError("--output and --output-dir cannot be given together: one names the file, the other its folder");
  return false;
}

bool outputFolderC::open(const std::string& folder) {
  folder_ = folder;
  taken_.clear();
  std::error_code failed;
  if (folder.empty() || fs::is_directory(folder, failed)) return true;
  if (fs::exists(fs::symlink_status(folder, failed))) {
    printError("--output-dir " + folder + ": it is not a folder");
    return false;
  }
  fs::create_directories(folder, failed);
  if (!failed) return true;
  printError("cannot make the folder " + folder + ": " + failed.message());
  return false;
}

bool outputFolderC::outputOf(const std::string& input, const std::string& extension, std::string& output,
                             std::string& error) {
  if (input == "-") {
    error = "standard input has no name to give its output in --output-dir; use --output";
    return false;
  }
  const std::string name = fs::path(withExtension(input, extension)).filename().string();
  output = (fs::path(folder_) / name).string();
  if (taken_.insert(name).second) return true;
  error = "refusing to write " + output + " for " + input + ": an earlier input's output has that name";
  return false;
}

}  // namespace lorvane::cli
