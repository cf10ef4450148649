#pragma once
// The physical lines of a written file and short printable excerpts of them
// for error messages.
#include <cstddef>
#include <string>
#include <string_view>
#include <exception>
#include <new>
#include <utility>
#include <vector>

#include "lorvane/preview/fileReaders.h"

namespace lorvane::preview {

// The lines of `content` without their ends. A line ends with "\r\n" or a
// bare "\n"; only one carriage return is taken off, so a text that itself
// ended with one keeps it. A final line end closes the last line and starts
// no further (empty) line.
//
// A written file of a large drawing has a hundred million lines and more: a
// view of each would cost more than the file. The lines are found again
// from where every 1024th one starts, and the line after the one asked last
// (the readers mostly read on) straight from it.
class fileLinesC {
public:
  explicit fileLinesC(std::string_view content);

  // Whether the file has this line (from 0). The lines are found as the
  // reader goes on: a file of a large drawing is gone through once only.
  bool has(std::size_t line) const;
  // All the lines: finds the rest of them.
  std::size_t size() const;
  bool empty() const { return content_.empty(); }
  // Only for lines that exist.
  std::string_view operator[](std::size_t line) const;

private:
  static constexpr std::size_t kStride = 1024;

  // Finds the lines that start in the next block of the file.
  void scanBlock() const;
  // Where the line starting at `start` ends (its line end not included) and
  // where the next begins.
  std::size_t endOf(std::size_t start, std::size_t& next) const;

  std::string_view content_;
  // What has been found: the bytes gone through, the line feeds among
  // them, the lines that start in them (the whole file's once all are gone
  // through) and where lines 0, kStride, 2 kStride, ... start.
  mutable std::size_t scanned_ = 0;
  mutable std::size_t feeds_ = 0;
  mutable std::size_t starts_ = 0;
  mutable std::vector<std::size_t> checkpoints_;
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
  // The line asked last: where it starts and ends, and where the next starts.
  mutable std::size_t cachedLine_ = kNoLine;
  mutable std::size_t cachedStart_ = 0;
  mutable std::size_t cachedEnd_ = 0;
  mutable std::size_t cachedNext_ = 0;
};

// At most a few dozen bytes of `text` in double quotes, every byte outside
// printable ASCII shown as '?', so that a message stays readable on any
// input.
std::string excerpt(std::string_view text);

// The lines first..last (inclusive) joined by line feeds: a text that the
// file carries over several physical lines.
std::string joinLines(const fileLinesC& lines, std::size_t first, std::size_t last);

// Runs a reader (constructed from the content, the scene to fill, the
// error and the sink of its groups, with read() telling success) so that on
// failure the caller's scene is empty and the error says why, whatever was
// thrown.
template <class Reader>
bool runReader(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink) {
  scene = sceneC();
  error = readErrorC();
  try {
    sceneC read;
    if (!Reader(content, read, error, sink).read()) return false;
    scene = std::move(read);
    return true;
  } catch (const std::bad_alloc&) {
    error.message = "not enough memory to read the file";
  } catch (const std::exception& e) {
    error.message = std::string("cannot read the file: ") + e.what();
  }
  return false;
}

}  // namespace lorvane::preview
