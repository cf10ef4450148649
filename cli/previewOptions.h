#pragma once
// The options of lorvane preview that shape the picture: its format, the
// PNG width, the figure labels and the size above which the tool warns.
#include <cstddef>
#include <string>

#include "lorvane/cli/commandLine.h"

namespace lorvane::cli {

struct pictureOptionsC {
  bool png = false;      // --format png, or an output ending in .png
  bool labels = true;    // --no-labels turns them off
  int width = 0;         // --width PX for PNG; 0: the SVG's own size
  std::size_t warnBytes = 20'000'000;  // --warn-size MB: about half a minute in a browser
};

// The picture options the command line gives; false with error set when
// --warn-size is no size or --width no width from 16 to 32767.
bool readPictureOptions(const argumentsC& arguments, pictureOptionsC& options, std::string& error);

// Whether the path ends in ".png", in any case.
bool endsWithPng(const std::string& path);

// The input's own file name without its folders, as the legend shows it;
// "standard input" for -.
std::string displayName(const std::string& input);

}  // namespace lorvane::cli
