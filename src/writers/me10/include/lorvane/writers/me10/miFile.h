#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "lorvane/writers/conversionWriter.h"
#include "lorvane/writers/progressMeter.h"
#include "lorvane/writers/me10/me10Model.h"

namespace lorvane {

// The local date and time the MI header carries.
struct miTimestamp {
  int day = 1;    // 1 to 31
  int month = 1;  // 1 to 12
  int year = 1970;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Now, in the C runtime's local time.
miTimestamp localTimestamp();

// The header's date line ("%2d-%s-%4d" with the English month name) and time
// line ("%2d:%02d:%02d").
std::string miDateLine(const miTimestamp& when);
std::string miTimeLine(const miTimestamp& when);

// Who hears of values the file cannot hold (in the order they are written):
// the part's name as written and its number (the drawing's name and 0 for the
// top assembly and the header), and the record or section.
using miUnrepresentableT =
    std::function<void(unrepresentableKind kind, std::string_view figure, std::size_t position, const char* record)>;

// What a caller watches while the file is written: the progress, as one step
// for each point, element and text in a phase from `from` to `to` percent,
// and the values the file cannot hold.
struct miFileWatchC {
  progressMeterC* meter = nullptr;
  double from = 0.0;
  double to = 100.0;
  miUnrepresentableT unrepresentable;
};

// Prunes and numbers the model, then writes it as an MI file at the path,
// which is created or emptied.
outputOutcome writeMiFile(ME10Model& model, const std::string& path, const miTimestamp& when,
                         const miFileWatchC& watch = {});

}  // namespace lorvane
