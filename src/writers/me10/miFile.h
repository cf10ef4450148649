#pragma once
#include <string>

#include "writers/me10/me10Model.h"

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

enum class miFileResult { written, notCreated, notWritten };

// Prunes and numbers the model, then writes it as an MI file at the path,
// which is created or emptied.
miFileResult writeMiFile(ME10Model& model, const std::string& path, const miTimestamp& when);

}  // namespace lorvane
