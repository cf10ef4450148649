#include "lorvane/util/fileContents.h"
#include "testFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace lorvane {
namespace {

TEST(FileContents, EveryByteComesBackUntranslatedAcrossReadPieces) {
  const std::string path = testing::scratchPath("contents.bin");
  // Longer than one piece of the read loop, with CR LF and NUL bytes inside.
  std::string written(3 << 20, 'x');
  written.replace(5, 4, std::string("\r\n\0\x1a", 4));
  written.back() = '\n';
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(written.data(), 1, written.size(), f);
  std::fclose(f);
  std::string bytes = "left over";
  std::string error;
  EXPECT_TRUE(readFileContents(path, bytes, error)) << error;
  EXPECT_EQ(bytes, written);
  std::remove(path.c_str());
}

TEST(FileContents, AMissingFileIsNamedInTheError) {
  const std::string path = testing::scratchPath("no_such_file");
  std::string bytes;
  std::string error;
  EXPECT_FALSE(readFileContents(path, bytes, error));
  EXPECT_EQ(error.rfind("cannot open " + path + ": ", 0), 0u) << error;
  EXPECT_EQ(fileContents(path), "");
}

}  // namespace
}  // namespace lorvane
