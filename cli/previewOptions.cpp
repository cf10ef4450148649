#include "previewOptions.h"

#include <charconv>
#include <filesystem>

#include "lorvane/util/asciiCase.h"
#include "outputFormats.h"

namespace lorvane::cli {
bool readPictureOptions(const argumentsC& arguments, pictureOptionsC& options, std::string& error) {
  options.labels = !arguments.has("no-labels");
  options.png = arguments.value("format") == "png";
  if (arguments.has("width")) {
    const std::string value = arguments.value("width");
    const auto result = std::from_chars(value.data(), value.data() + value.size(), options.width);
    if (result.ec != std::errc{} || result.ptr != value.data() + value.size() || options.width < 16 ||
        options.width > 32767) {
      error = "--width takes the picture's width in pixels, 16 to 32767, not " + value;
      return false;
    }
  }
  if (!arguments.has("warn-size")) return true;
  const std::string value = arguments.value("warn-size");
  double megabytes = 0;
  const auto result = std::from_chars(value.data(), value.data() + value.size(), megabytes);
  if (result.ec != std::errc{} || result.ptr != value.data() + value.size() || !(megabytes >= 0) || megabytes > 1e12) {
    error = "--warn-size takes a size in MB, not " + value;
    return false;
  }
  options.warnBytes = static_cast<std::size_t>(megabytes * 1e6);
  return true;
}

bool endsWithPng(const std::string& path) {
  return path.size() >= 4 && asciiLowerCase(path.substr(path.size() - 4)) == ".png";
}

std::string displayName(const std::string& input) {
  if (input == "-") return "standard input";
  const std::string name = std::filesystem::path(input).filename().string();
  return name.empty() ? input : name;
}

}  // namespace lorvane::cli
