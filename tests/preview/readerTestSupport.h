#pragma once
// Written files for the reader tests: drawings converted through the
// dispatch into scratch files, and hand-written files line by line.
#include <initializer_list>
#include <string>
#include <string_view>

#include "lorvane/preview/fileReaders.h"
#include "testFiles.h"

namespace lorvane::previewtest {

// The drawing (meta tree text form) converted to `format` ("META" or "MI");
// the bytes of the written file. The scratch file is removed again. The
// conversion must leave the RESTEXT `report` (null: none).
std::string writtenFile(const std::string& drawing, const char* format, const char* report = nullptr);

// The text form of examples/<name>.mt.
std::string exampleDrawing(const char* name);

// The reader on a file it reads: every prefix of it short of its last line
// end fails, and a byte changed to any of `replacements` anywhere is read
// without harm, whatever the result.
using fileReaderT = bool (*)(std::string_view content, preview::sceneC& scene, preview::readErrorC& error);
void expectPrefixesFailAndChangesEnd(fileReaderT read, const std::string& file, std::string_view replacements);

// The arc of ARC{POINT{1,0} POINT{0,-1} POINT{-1,0}} in a figure moved by
// (10, 5), read back: clockwise as written, so counter-clockwise from its
// end, 180 to 360 degrees about (10, 5).
void expectTheMovedClockwiseArc(const preview::elementC& arc);

// The circle and the two-line text that both formats read back from
// CIRCLE{POINT{2,3} RAD{4}} TEXT{POINT{1,1} TEXT{"ab\ncd"} HEIGHT{2.5} ANGLE{30}}:
// the values each format keeps exactly.
void expectCircleAndText(const preview::elementC& circle, const preview::elementC& text);

// The one line of FIGURE{INSERTPOINT{POINT{10,0} ROTATION{90}}
// FIGURITEMS{LINE{POINT{1,0} POINT{2,0}}}} read back: turned about the
// figure's origin, then moved to (10, 0), from (10, 1) up to y = 2.
void expectTheTurnedLine(const preview::sceneC& scene);

// A META2D number field: `value` (sign, digits, decimals) with its point,
// filled with zeros to 24 characters.
std::string field24(std::string_view value);

// The 1-based line on which `text` stands for the `nth` time (from 1); 0 if never.
std::size_t lineOf(std::string_view file, std::string_view text, int nth = 1);

}  // namespace lorvane::previewtest
