#pragma once
// What a command run on many inputs did, told in one line at its end, and
// the exit status of the whole batch: the worst of its inputs' statuses.
#include <chrono>
#include <cstddef>
#include <string>

namespace lorvane::cli {

class batchTallyC {
public:
  // The clock runs from here.
  batchTallyC() : start_(std::chrono::steady_clock::now()) {}

  // One input done with its exit status; items: the items its drawing held.
  void add(int status, std::size_t items);
  int status() const { return status_; }
  std::size_t items() const { return items_; }

  // "3 files converted, 1 failed, 1200 items, 0.4 s", with done the word
  // for what happened to the files that did not fail.
  std::string summary(const char* done) const;

private:
  std::chrono::steady_clock::time_point start_;
  std::size_t succeeded_ = 0;
  std::size_t failed_ = 0;
  std::size_t items_ = 0;
  int status_ = 0;
};

}  // namespace lorvane::cli
