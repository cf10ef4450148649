#include "lorvane/util/textFileWriter.h"

#include "lorvane/util/fileContents.h"
#include "testFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>
#include <string>

namespace lorvane {
namespace {

TEST(TextFileWriter, EveryLineFeedReachesTheDiskAsCarriageReturnLineFeed) {
  const std::string path = testing::scratchPath("lines.txt");
  {
    textFileWriterC out;
    ASSERT_TRUE(out.open(path));
    out.line("100 a");
    out.write("text with\nline feed and \r alone");
    out.put('\n');
    out.put('x');
    EXPECT_TRUE(out.close());
  }
  EXPECT_EQ(fileContents(path), "100 a\r\ntext with\r\nline feed and \r alone\r\nx");
  std::remove(path.c_str());
}

TEST(TextFileWriter, LargeOutputCrossesTheBufferIntact) {
  const std::string path = testing::scratchPath("large.txt");
  std::string expected;
  {
    textFileWriterC out;
    ASSERT_TRUE(out.open(path));
    for (int i = 0; i < 50000; ++i) {
      const std::string text = "line " + std::to_string(i);
      out.line(text);
      expected += text + "\r\n";
    }
  }  // the destructor flushes and closes
  EXPECT_EQ(fileContents(path), expected);
  std::remove(path.c_str());
}

TEST(TextFileWriter, WhatWasWrittenBeforeAnExceptionIsKept) {
  const std::string path = testing::scratchPath("unwound.txt");
  try {
    textFileWriterC out;
    ASSERT_TRUE(out.open(path));
    out.line("kept");
    throw std::runtime_error("writer failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(fileContents(path), "kept\r\n");
  std::remove(path.c_str());
}

TEST(TextFileWriter, AnExistingFileIsEmptied) {
  const std::string path = testing::scratchPath("emptied.txt");
  {
    textFileWriterC out;
    ASSERT_TRUE(out.open(path));
    out.line("old content that is long");
  }
  {
    textFileWriterC out;
    ASSERT_TRUE(out.open(path));
  }
  EXPECT_EQ(fileContents(path), "");
  std::remove(path.c_str());
}

TEST(TextFileWriter, AMissingFolderCannotBeOpened) {
  textFileWriterC out;
  EXPECT_FALSE(out.open(testing::scratchPath("no/such/folder/file.txt")));
  EXPECT_FALSE(out.isOpen());
}

#if !defined(_WIN32)
TEST(TextFileWriter, AFullDiskIsReportedByClose) {
  textFileWriterC out;
  if (!out.open("/dev/full")) GTEST_SKIP() << "no /dev/full here";
  out.line("does not fit");
  EXPECT_FALSE(out.close());
  EXPECT_TRUE(out.failed());
}
#endif

}  // namespace
}  // namespace lorvane
