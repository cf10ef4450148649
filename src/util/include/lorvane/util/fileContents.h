#pragma once
// Reading a whole file into memory: the one loop the tool, the tests and the
// comparisons share.
#include <cstdint>
#include <cstdio>
#include <string>

namespace lorvane {

// Told the share read so far, 0 to 1, as a file is read.
using readProgressF = void (*)(double share);

// Appends everything the stream still holds to bytes, untranslated. With an
// expectedSize (0: not known) the memory is taken at once, and progress is
// told the share of it read. False on a read error.
bool appendStreamContents(std::FILE* stream, std::string& bytes, std::uintmax_t expectedSize = 0,
                          readProgressF progress = nullptr);

// The whole file as bytes. False with "cannot open PATH: reason" or "cannot
// read PATH: reason" in error.
bool readFileContents(const std::string& path, std::string& bytes, std::string& error,
                      readProgressF progress = nullptr);

// The whole file, or nothing when it cannot be read: for callers that only
// compare it with what they expect.
std::string fileContents(const std::string& path);

}  // namespace lorvane
