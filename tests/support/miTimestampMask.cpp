#include "miTimestampMask.h"

#include <gtest/gtest.h>

namespace lorvane::testing {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// "%2d" of a number below 100: a blank or a digit, then a digit.
bool isTwoWide(const std::string& text, std::size_t at) {
  return at + 2 <= text.size() && (text[at] == ' ' || isDigit(text[at])) && isDigit(text[at + 1]);
}

// " 5-March-2025": day, month name, four-digit year.
bool isDateLine(const std::string& date) {
  static const char* const months[] = {"January", "February", "March",     "April",   "May",      "June",
                                       "July",    "August",   "September", "October", "November", "December"};
  if (!isTwoWide(date, 0) || date.size() < 3 || date[2] != '-') return false;
  for (const char* month : months) {
    const std::string middle = std::string(month) + "-";
    if (date.compare(3, middle.size(), middle) != 0) continue;
    const std::string year = date.substr(3 + middle.size());
    return year.size() == 4 && isDigit(year[0]) && isDigit(year[1]) && isDigit(year[2]) && isDigit(year[3]);
  }
  return false;
}

// " 7:04:09": hour blank-padded, minutes and seconds zero-padded.
bool isTimeLine(const std::string& time) {
  return time.size() == 8 && isTwoWide(time, 0) && time[2] == ':' && isDigit(time[3]) && isDigit(time[4]) &&
         time[5] == ':' && isDigit(time[6]) && isDigit(time[7]);
}

}  // namespace

std::string maskTimestamp(const std::string& file) {
  const std::string marker = "\r\n#~3\r\n";
  const std::size_t section = file.find(marker);
  if (section == std::string::npos) return file;
  std::size_t at = section + 2;
  // Skip the section's first eight lines.
  for (int i = 0; i < 8 && at != std::string::npos; ++i) {
    at = file.find("\r\n", at);
    if (at != std::string::npos) at += 2;
  }
  if (at == std::string::npos) return file;
  const std::size_t dateEnd = file.find("\r\n", at);
  if (dateEnd == std::string::npos) return file;
  const std::size_t timeEnd = file.find("\r\n", dateEnd + 2);
  if (timeEnd == std::string::npos) return file;
  const std::string date = file.substr(at, dateEnd - at);
  const std::string time = file.substr(dateEnd + 2, timeEnd - dateEnd - 2);
  EXPECT_TRUE(isDateLine(date)) << date;
  EXPECT_TRUE(isTimeLine(time)) << time;
  return file.substr(0, at) + "<date>\r\n<time>" + file.substr(timeEnd);
}

}  // namespace lorvane::testing
