#pragma once
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace lorvane {

// A buffered output file whose lines end with carriage return and line feed
// on disk on every platform, the way Windows text mode writes them: every
// line feed byte written, also one inside a text, becomes CR LF; a carriage
// return is written as it is. Whatever was written reaches the file when the
// writer is closed or destroyed, also while an exception unwinds.
class textFileWriterC {
#if defined(_WIN32)
  // The C runtime's text mode writes CR LF itself.
  static constexpr bool kTranslateLineFeeds = false;
#else
  static constexpr bool kTranslateLineFeeds = true;
#endif

public:
  textFileWriterC() = default;
  textFileWriterC(const textFileWriterC&) = delete;
  textFileWriterC& operator=(const textFileWriterC&) = delete;
  ~textFileWriterC() { close(); }

  // Creates the file or empties it; false when it cannot be created.
  bool open(const std::string& path);
  bool isOpen() const { return file_ != nullptr; }

  void write(std::string_view text);
  void write(const char* text, std::size_t length) { write(std::string_view(text, length)); }
  // For text known to hold no line feed (formatted numbers, record codes).
  void writePlain(const char* text, std::size_t length) {
    if (kBufferSize - used_ < length) flush();
    if (length > kBufferSize) {
      write(std::string_view(text, length));
      return;
    }
    std::memcpy(buffer_ + used_, text, length);
    used_ += length;
  }
  void put(char c) {
    if (c == '\n' && kTranslateLineFeeds) {
      write(std::string_view("\n", 1));
      return;
    }
    if (used_ == kBufferSize) flush();
    buffer_[used_++] = c;
  }
  void line(std::string_view text) {
    write(text);
    put('\n');
  }

  // A line feed as it reaches the file through this writer.
  static constexpr std::string_view kLineEnd = kTranslateLineFeeds ? "\r\n" : "\n";
  // Text whose line feeds a writer has already made kLineEnd, written as it
  // is: a writer of many short lines spares the search for each line's end.
  void writeWithLineEnds(std::string_view text);

  // Hands the buffer to the file; false once any write has failed.
  bool flush();
  // Flushes and closes; false when a write or the close failed.
  bool close();
  bool failed() const { return failed_; }

private:
  static constexpr std::size_t kBufferSize = 1 << 16;

  std::FILE* file_ = nullptr;
  bool failed_ = false;
  std::size_t used_ = 0;
  char buffer_[kBufferSize];
};

}  // namespace lorvane
