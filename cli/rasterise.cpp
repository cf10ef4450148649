#include "rasterise.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <utility>
#include <fstream>
#include <system_error>
#include <vector>

#include "lorvane/cli/platform.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::cli {
namespace {

namespace fs = std::filesystem;

// Removes the scratch files however the rendering ends, an interruption
// included.
struct scratchFilesC {
  fs::path svg;
  fs::path png;
  scratchFilesC(fs::path svgPath, fs::path pngPath) : svg(std::move(svgPath)), png(std::move(pngPath)) {
    removeOnInterruption(svg.string());
    removeOnInterruption(png.string());
  }
  scratchFilesC(const scratchFilesC&) = delete;
  scratchFilesC& operator=(const scratchFilesC&) = delete;
  ~scratchFilesC() {
    std::error_code ignored;
    fs::remove(svg, ignored);
    fs::remove(png, ignored);
    dropFromInterruptionCleanup(svg.string());
    dropFromInterruptionCleanup(png.string());
  }
};

// A name no other run uses at the same time: the clock's ticks and the
// address of a local, which differs between processes on most systems.
std::string scratchStem() {
  const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
  int local = 0;
  return "lorvane-preview-" + std::to_string(ticks) + "-" +
         std::to_string(reinterpret_cast<std::uintptr_t>(&local) % 1000003);
}

bool writeBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  return static_cast<bool>(file);
}

}  // namespace

bool rasteriseSvg(const std::string& svg, std::string& png, std::string& error) {
  std::string ignored;
  if (runProgram(kRasteriser, {"--version"}, true, ignored) != 0) {
    error = std::string("PNG output needs ") + kRasteriser +
            ", which is not installed (Debian: apt-get install librsvg2-bin); write SVG instead";
    return false;
  }
  std::error_code failure;
  const fs::path folder = fs::temp_directory_path(failure);
  if (failure) {
    error = "no folder for scratch files: " + failure.message();
    return false;
  }
  const std::string stem = scratchStem();
  scratchFilesC files{folder / (stem + ".svg"), folder / (stem + ".png")};
  if (!writeBytes(files.svg, svg)) {
    error = "cannot write the scratch file " + files.svg.string();
    return false;
  }
  const int status = runProgram(kRasteriser, {"--unlimited", "--format", "png", "--output", files.png.string(), files.svg.string()},
                                false, error);
  if (status != 0) {
    if (status > 0) error = std::string(kRasteriser) + " failed (exit status " + std::to_string(status) + ")";
    return false;
  }
  png = fileContents(files.png.string());
  if (png.empty()) {
    error = std::string(kRasteriser) + " wrote no picture";
    return false;
  }
  return true;
}

}  // namespace lorvane::cli
