#include "moduleMessages.h"

#include <cstring>
#include <string_view>

namespace lorvane::cli {
namespace {

struct knownTextC {
  std::string_view start;  // the text up to its first variable part
  std::string_view end;    // the text after its last variable part
  const char* explanation;
};

constexpr knownTextC kKnownTexts[] = {
    {"Fehler in der Metadatei!", "", "the input holds no DRAWING or FIGURE to convert"},
    {"Datei ", " konnte nicht erzeugt werden!", "the output file cannot be created"},
    {"Datei ", " konnte nicht geschrieben werden!", "the output file could not be written completely"},
    {"Figur ", " nicht darstellbar!", ""},  // the kind of value decides, below
    {"unknown exception", "", "the plug-in stopped on an unexpected failure; no file can be trusted"},
};

// The entry of the text whose cause the system can name.
constexpr std::size_t kWriteFailure = 2;

bool matches(const std::string& text, const knownTextC& known) {
  return text.size() >= known.start.size() + known.end.size() && text.compare(0, known.start.size(), known.start) == 0 &&
         text.compare(text.size() - known.end.size(), known.end.size(), known.end) == 0;
}

}  // namespace

std::string explainModuleText(const std::string& text, int writeError) {
  for (const knownTextC& known : kKnownTexts) {
    if (!matches(text, known)) continue;
    std::string explanation = known.explanation;
    if (&known == &kKnownTexts[kWriteFailure] && writeError != 0) explanation += std::string(": ") + std::strerror(writeError);
    if (explanation.empty()) {
      if (text.find(": Zahl im Satz ") != std::string::npos)
        explanation = "a number in that record of the figure is not finite or too large for the format";
      else if (text.find(": Text im Satz ") != std::string::npos)
        explanation = "a text in that record of the figure has a line break the format cannot hold";
      else
        return text;
    }
    return text + " (" + explanation + ")";
  }
  return text;
}

}  // namespace lorvane::cli
