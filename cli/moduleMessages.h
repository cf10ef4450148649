#pragma once
// The plug-in reports failures in its own words (German, as its hosts
// expect); the tool shows them as they are, with a short English
// explanation beside them.
#include <string>

namespace lorvane::cli {

// "TEXT (explanation)" for the texts the plug-in is known to report, else TEXT.
std::string explainModuleText(const std::string& text);

}  // namespace lorvane::cli
