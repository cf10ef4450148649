#pragma once
// Files as the tests handle them: read back whole, written, made up of
// CR LF lines, and placed in the test temporary folder.
#include <initializer_list>
#include <string>
#include <string_view>

namespace lorvane::testing {

// The bytes of a regular file; empty for a missing file and for a device,
// which (/dev/full) would read as an endless run of zeros.
std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

// A scratch file under the test temporary folder. Test programs run in
// parallel: the name carries the running test's. When the test ends,
// sweepScratch runs.
std::string scratchPath(const std::string& name);
// Removes everything in the temporary folder whose name starts as the
// running test's scratch names do: its files and what was made beside them.
void sweepScratch();

// Lines joined with CR LF, as the writers put them on disk.
std::string crlfLines(std::initializer_list<std::string_view> lines);

}  // namespace lorvane::testing
