#pragma once
// PNG pictures of SVG documents, for catalogue thumbnails: drawn by
// rsvg-convert (librsvg, Debian package librsvg2-bin), run as a child
// process where it is installed.
#include <string>

namespace lorvane::cli {

// The rasteriser's program name, as the messages give it.
inline constexpr const char* kRasteriser = "rsvg-convert";

// The PNG bytes of the SVG document, drawn at its own pixel size. False
// with a message in error when the rasteriser is not installed or fails.
bool rasteriseSvg(const std::string& svg, std::string& png, std::string& error);

}  // namespace lorvane::cli
