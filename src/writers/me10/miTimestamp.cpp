#include <array>
#include <cstdio>
#include <ctime>

#include "lorvane/writers/me10/miFile.h"

namespace lorvane {
namespace {

// Fixed English names: the header must read the same whatever locale the
// host has set.
constexpr std::array<const char*, 12> kMonthNames = {"January", "February", "March",     "April",   "May",      "June",
                                                     "July",    "August",   "September", "October", "November", "December"};

}  // namespace

miTimestamp localTimestamp() {
  miTimestamp when;
  const std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return when;
  const std::tm* local = std::localtime(&now);
  if (!local) return when;
  when.day = local->tm_mday;
  when.month = local->tm_mon + 1;
  when.year = local->tm_year + 1900;
  when.hour = local->tm_hour;
  when.minute = local->tm_min;
  when.second = local->tm_sec;
  return when;
}

std::string miDateLine(const miTimestamp& when) {
  const int month = when.month >= 1 && when.month <= 12 ? when.month : 1;
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%2d-%s-%4d", when.day, kMonthNames[static_cast<std::size_t>(month - 1)], when.year);
  return length > 0 ? std::string(line, static_cast<std::size_t>(length)) : std::string();
}

std::string miTimeLine(const miTimestamp& when) {
  char line[64];
  const int length = std::snprintf(line, sizeof line, "%2d:%02d:%02d", when.hour, when.minute, when.second);
  return length > 0 ? std::string(line, static_cast<std::size_t>(length)) : std::string();
}

}  // namespace lorvane
