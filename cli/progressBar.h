#pragma once
#include "interface/lorvanePlugin.h"

namespace lorvane::cli {

// The callback handed to the plug-in. It draws a bar on standard error while
// enabled (a terminal, not --quiet) and does nothing otherwise.
void enableProgressBar(bool enabled, const char* label);
extern "C" void drawProgress(double percent, const char* text);
void finishProgressBar();

}  // namespace lorvane::cli
