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
std::vector<std::string_view> splitLines(std::string_view content);

// At most a few dozen bytes of `text` in double quotes, every byte outside
// printable ASCII shown as '?', so that a message stays readable on any
// input.
std::string excerpt(std::string_view text);

// The lines first..last (inclusive) joined by line feeds: a text that the
// file carries over several physical lines.
std::string joinLines(const std::vector<std::string_view>& lines, std::size_t first, std::size_t last);

// Runs a reader (constructed from the content, the scene to fill and the
// error, with read() telling success) so that on failure the caller's scene
// is empty and the error says why, whatever was thrown.
template <class Reader>
bool runReader(std::string_view content, sceneC& scene, readErrorC& error) {
  scene = sceneC();
  error = readErrorC();
  try {
    sceneC read;
    if (!Reader(content, read, error).read()) return false;
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
