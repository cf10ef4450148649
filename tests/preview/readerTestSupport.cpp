#include "readerTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <random>

#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaObject.h"
#include "requestTrees.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/util/fileContents.h"

namespace lorvane::previewtest {
namespace {

void noProgress(double, const char*) {}

std::filesystem::path scratchPath() {
  static std::atomic<unsigned> counter{0};
  static const unsigned run = std::random_device{}();
  return std::filesystem::temp_directory_path() /
         ("lorvane_reader_" + std::to_string(run) + "_" + std::to_string(counter++) + ".out");
}

}  // namespace

std::string writtenFile(const std::string& drawing, const char* format, const char* report) {
  const std::filesystem::path path = scratchPath();
  metaObjectC request = testing::conversionRequest(drawing, format, path.string());
  EXPECT_EQ(convertRequest(request.node(), &noProgress), 1);
  if (report) EXPECT_EQ(testing::resultText(request), report);
  else EXPECT_FALSE(testing::hasResultText(request));
  std::string bytes = testing::readFileBytes(path.string());
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  return bytes;
}

void expectCircleAndText(const preview::elementC& circle, const preview::elementC& text) {
  EXPECT_EQ(circle.kind, preview::elementKind::circle);
  EXPECT_EQ(circle.centre.x, 2.0);
  EXPECT_EQ(circle.centre.y, 3.0);
  EXPECT_EQ(circle.radius, 4.0);
  EXPECT_EQ(text.kind, preview::elementKind::text);
  EXPECT_EQ(text.text, "ab\ncd");
  EXPECT_EQ(text.a.x, 1.0);
  EXPECT_EQ(text.a.y, 1.0);
  EXPECT_EQ(text.height, 2.5);
}

void expectTheTurnedLine(const preview::sceneC& scene) {
  ASSERT_EQ(scene.elements.size(), 1u);
  EXPECT_NEAR(scene.elements[0].a.x, 10, 1e-12);
  EXPECT_NEAR(scene.elements[0].a.y, 1, 1e-12);
  EXPECT_NEAR(scene.elements[0].b.y, 2, 1e-12);
}

std::string exampleDrawing(const char* name) {
  return testing::readFileBytes((std::filesystem::path(LORVANE_EXAMPLES_DIR) / (std::string(name) + ".mt")).string());
}

void expectPrefixesFailAndChangesEnd(fileReaderT read, const std::string& file, std::string_view replacements) {
  preview::sceneC scene;
  preview::readErrorC error;
  ASSERT_TRUE(read(file, scene, error)) << error.message;
  for (std::size_t length = 0; length + 2 < file.size(); ++length) {
    EXPECT_FALSE(read(std::string_view(file).substr(0, length), scene, error)) << length;
  }
  for (std::size_t at = 0; at < file.size(); ++at) {
    for (char c : replacements) {
      std::string changed = file;
      changed[at] = c;
      read(changed, scene, error);
    }
  }
}

void expectTheMovedClockwiseArc(const preview::elementC& arc) {
  EXPECT_EQ(arc.kind, preview::elementKind::arc);
  EXPECT_NEAR(arc.centre.x, 10, 1e-12);
  EXPECT_NEAR(arc.centre.y, 5, 1e-12);
  EXPECT_NEAR(arc.radius, 1, 1e-12);
  EXPECT_NEAR(arc.startAngle, 180, 1e-9);
  EXPECT_NEAR(arc.endAngle, 360, 1e-9);
  EXPECT_NEAR(arc.a.x, 9, 1e-12);
  EXPECT_NEAR(arc.a.y, 5, 1e-12);
  EXPECT_NEAR(arc.b.x, 11, 1e-12);
  EXPECT_NEAR(arc.b.y, 5, 1e-12);
}

std::string field24(std::string_view value) {
  std::string out(value);
  if (out.find('.') == std::string::npos) out.push_back('.');
  out.resize(24, '0');
  return out;
}

std::size_t lineOf(std::string_view file, std::string_view text, int nth) {
  std::size_t line = 1;
  std::size_t start = 0;
  while (start <= file.size()) {
    std::size_t end = file.find("\r\n", start);
    if (end == std::string_view::npos) end = file.size();
    if (file.substr(start, end - start) == text && --nth == 0) return line;
    start = end + 2;
    ++line;
  }
  return 0;
}

}  // namespace lorvane::previewtest
