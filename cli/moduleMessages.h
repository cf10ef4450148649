#pragma once
// The plug-in reports failures in its own words (German, as its hosts
// expect); the tool shows them as they are, with a short English
// explanation beside them.
#include <string>

namespace lorvane::cli {

// "TEXT (explanation)" for the texts the plug-in is known to report, else
// TEXT. A write error other than 0 (the system's error number) names the
// reason the output file could not be written.
std::string explainModuleText(const std::string& text, int writeError = 0);

}  // namespace lorvane::cli
