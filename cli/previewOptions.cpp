#include "previewOptions.h"

#include <charconv>
#include <filesystem>

#include "outputFormats.h"

namespace lorvane::cli {
namespace {

// The value of "--name VALUE" or "--name=VALUE"; false when the argument is
// another option. A missing value sets error.
bool valueOf(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
             const std::string& shortName, std::string& value, std::string& error) {
  const std::string& a = arguments[i];
  if (a == name || (!shortName.empty() && a == shortName)) {
    if (i + 1 >= arguments.size()) {
      error = "option " + a + " needs a value";
      return true;
    }
    value = arguments[++i];
    return true;
  }
  if (a.rfind(name + "=", 0) == 0) {
    value = a.substr(name.size() + 1);
    return true;
  }
  return false;
}

}  // namespace

bool takePictureOption(const std::vector<std::string>& arguments, std::size_t& i, pictureOptionsC& options) {
  if (arguments[i] == "--no-labels") {
    options.labels = false;
    return true;
  }
  std::string value;
  if (valueOf(arguments, i, "--format", "-f", value, options.error)) {
    if (!options.error.empty()) return true;
    const std::string format = lowerCase(value);
    if (format == "png") options.png = true;
    else if (format == "svg") options.png = false;
    else options.error = "--format takes svg or png, not " + value;
    return true;
  }
  if (valueOf(arguments, i, "--warn-size", "", value, options.error)) {
    if (!options.error.empty()) return true;
    double megabytes = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), megabytes);
    if (result.ec != std::errc{} || result.ptr != value.data() + value.size() || !(megabytes >= 0) ||
        megabytes > 1e12) {
      options.error = "--warn-size takes a size in MB, not " + value;
    } else {
      options.warnBytes = static_cast<std::size_t>(megabytes * 1e6);
    }
    return true;
  }
  return false;
}

bool endsWithPng(const std::string& path) {
  return path.size() >= 4 && lowerCase(path.substr(path.size() - 4)) == ".png";
}

std::string displayName(const std::string& input) {
  if (input == "-") return "standard input";
  const std::string name = std::filesystem::path(input).filename().string();
  return name.empty() ? input : name;
}

}  // namespace lorvane::cli
