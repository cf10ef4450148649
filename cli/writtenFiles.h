#pragma once
// The files the plug-in writes, as the tool reads them back: one row a
// format. preview, check and the format-by-extension rule read this table;
// a format the plug-in offers that no row knows is refused where its file
// would have to be read, never taken for another.
#include <array>
#include <span>
#include <string>
#include <string_view>

#include "lorvane/cli/commandLine.h"
#include "lorvane/cli/consistencyCheck.h"
#include "lorvane/preview/fileReaders.h"

namespace lorvane::cli {

using writtenReaderT = bool (*)(std::string_view content, preview::sceneC& scene, preview::readErrorC& error,
                                preview::groupSinkC* sink);

struct writtenFormatC {
  const char* label;           // "META2D": in messages and check's report
  std::string_view magic;      // what a file of the format starts with
  bool magicIsALine;           // the magic is the whole first line (CR LF or LF after it)
  const char* extension;       // its files' extension, without the dot
  const char* pluginFormat;    // the plug-in's format that writes it, for check's conversion
  const char* checkOption;     // check's option that names a file written earlier
  const char* checkHelp;       // that option's help
  writtenReaderT read;         // preview's reader of the file
  writtenFormat comparedAs;    // how check holds the file to the drawing
};

inline constexpr writtenFormatC kWrittenFormats[] = {
    {"META2D", "915 ", false, "krv", "META", "meta2d", "compare this written META2D file instead of converting",
     &preview::readMeta2dFile, writtenFormat::meta2d},
    {"MI", "#~2", true, "mi", "MI", "mi", "compare this written MI file instead of converting", &preview::readMiFile,
     writtenFormat::mi},
};

// The written format a file is, by its first few bytes; null for anything
// else, which is taken for the text form of a drawing.
const writtenFormatC* recogniseWritten(std::string_view start);

// The written format whose files have this extension (any case); null when
// the tool cannot read such files back.
const writtenFormatC* writtenFormatWithExtension(std::string_view extension);

// The message for a written file given where a drawing belongs.
std::string writtenFileIsNoDrawing(const std::string& name, const writtenFormatC& format);

// False with "NAME:LINE: message" in error when the file cannot be read.
// With a sink, the elements go to it a group at a time (preview's
// groupSinkC).
bool readWrittenFile(const writtenFormatC& format, std::string_view bytes, const std::string& name,
                     preview::sceneC& scene, std::string& error, preview::groupSinkC* sink = nullptr);

// check's options: one per row, naming a file of that format written earlier.
inline constexpr auto kWrittenFileOptions = [] {
  std::array<optionC, std::size(kWrittenFormats)> options{};
  for (std::size_t i = 0; i < options.size(); ++i) {
    options[i] = {kWrittenFormats[i].checkOption, '\0', optionKind::value, "FILE", kWrittenFormats[i].checkHelp};
  }
  return options;
}();

}  // namespace lorvane::cli
