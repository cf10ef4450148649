#include "moduleMessages.h"

#include <cstring>
#include <string_view>

#include "lorvane/interface/resultTexts.h"

namespace lorvane::cli {
namespace {

// A module text as its printf format stands, and what it means.
struct knownTextC {
  std::string_view format;
  const char* explanation;
};

constexpr knownTextC kKnownTexts[] = {
    {kResultNoDrawing, "the input holds no DRAWING or FIGURE to convert"},
    {kResultNotCreated, "the output file cannot be created"},
    {kResultNotWritten, "the output file could not be written completely"},
    {kResultNumberNotRepresentable, "a number in that record of the figure is not finite or too large for the format"},
    {kResultTextNotRepresentable, "a text in that record of the figure has a line break the format cannot hold"},
    {kResultUnknownException, "the plug-in stopped on an unexpected failure; no file can be trusted"},
};

// The entry of the text whose cause the system can name.
constexpr std::size_t kWriteFailure = 2;

// Whether the text is the format with each "%s" filled in: its fixed pieces
// stand in it in their order, the first at the start and the last at the end.
bool matches(std::string_view text, std::string_view format) {
  std::size_t at = 0;
  for (bool first = true;; first = false) {
    const std::size_t hole = format.find("%s");
    const std::string_view piece = format.substr(0, hole);
    if (hole == std::string_view::npos) {
      return text.size() >= at + piece.size() && text.substr(text.size() - piece.size()) == piece &&
             (!first || text.size() == piece.size());
    }
    const std::size_t found = first ? (text.substr(0, piece.size()) == piece ? 0 : std::string_view::npos)
                                    : text.find(piece, at);
    if (found == std::string_view::npos) return false;
    at = found + piece.size();
    format.remove_prefix(hole + 2);
  }
}

}  // namespace

std::string explainModuleText(const std::string& text, int writeError) {
  for (const knownTextC& known : kKnownTexts) {
    if (!matches(text, known.format)) continue;
    std::string explanation = known.explanation;
    if (&known == &kKnownTexts[kWriteFailure] && writeError != 0) explanation += std::string(": ") + std::strerror(writeError);
    return text + " (" + explanation + ")";
  }
  return text;
}

}  // namespace lorvane::cli
