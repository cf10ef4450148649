#include "batchSummary.h"

#include <algorithm>
#include <cstdio>

namespace lorvane::cli {

void batchTallyC::add(int status, std::size_t items) {
  (status == 0 ? succeeded_ : failed_) += 1;
  items_ += items;
  status_ = std::max(status_, status);
}

std::string batchTallyC::summary(const char* done) const {
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  char time[32];
  std::snprintf(time, sizeof time, "%.1f s", seconds);
  return std::to_string(succeeded_) + (succeeded_ == 1 ? " file " : " files ") + done + ", " + std::to_string(failed_) +
         " failed, " + std::to_string(items_) + " items, " + time;
}

}  // namespace lorvane::cli
