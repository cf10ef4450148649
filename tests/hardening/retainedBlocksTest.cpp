// A conversion gives back every pooled block it took, also what the shared
// prototypes of the shape classes cache about the nodes they are bound to
// while a call is forwarded to them.
#include <gtest/gtest.h>

#include <string>

#include "hardeningSupport.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaKeyContainer.h"

namespace lorvane::hardening {
namespace {

void noProgress(double, const char*) {}

// Far more points than any other test uses, so that a cache kept from an
// earlier conversion could not absorb them.
std::string manyPointShapes() {
  std::string items;
  for (const char* key : {"LINE", "ICRV2D", "ARC"}) {
    items += std::string(key) + "{";
    for (int i = 0; i < 3000; ++i) items += "POINT{" + std::to_string(i) + "," + std::to_string(i % 7) + "} ";
    items += "}";
  }
  return "FIGURE{NAME{\"P\"} INSERTPOINT{POINT{1,2} ROTATION{10}} FIGURITEMS{" + items + "}}";
}

std::int64_t blocksAfterConversion(const std::string& drawing, const char* format) {
  metaTreeC* keeper = metaTreeC::createKeyNode("KEEP");  // the memory system stays
  const std::int64_t before = memManSystemC::get(false)->blockCount();
  {
    metaObjectC request = conversionRequest(drawing, format, scratchPath(std::string("retained.") + format));
    EXPECT_EQ(convertRequest(request.node(), &noProgress), 1);
    EXPECT_FALSE(hasResultText(request)) << resultText(request);
  }
  const std::int64_t left = memManSystemC::get(false)->blockCount() - before;
  delete keeper;
  std::remove(scratchPath(std::string("retained.") + format).c_str());
  return left;
}

TEST(RetainedBlocks, AMeta2dConversionOfShapesWithThousandsOfPointsGivesBackEveryBlock) {
  EXPECT_EQ(blocksAfterConversion(manyPointShapes(), "META"), 0);
}

TEST(RetainedBlocks, AnMiConversionOfShapesWithThousandsOfPointsGivesBackEveryBlock) {
  EXPECT_EQ(blocksAfterConversion(manyPointShapes(), "MI"), 0);
}

TEST(RetainedBlocks, ARepresentativeDrawingGivesBackEveryBlockInBothFormats) {
  EXPECT_EQ(blocksAfterConversion(kBracketDrawing, "META"), 0);
  EXPECT_EQ(blocksAfterConversion(kBracketDrawing, "MI"), 0);
}

TEST(RetainedBlocks, DroppingAKeyContainersCachesFreesItsPagesAndKeepsItWorking) {
  metaObjectC line = metaObjectVirtualDataBaseC::createTree("LINE", true);
  for (int i = 0; i < 100; ++i) line.addChild("POINT");
  const std::int64_t before = memManSystemC::get(false)->blockCount();
  metaObjListPoint2dContainerC points(line.node());
  EXPECT_EQ(points.pointCount(), 100u);
  EXPECT_GT(static_cast<std::int64_t>(memManSystemC::get(false)->blockCount()), before);
  points.dropCaches();
  EXPECT_EQ(static_cast<std::int64_t>(memManSystemC::get(false)->blockCount()), before);
  EXPECT_EQ(points.pointCount(), 100u);
}

}  // namespace
}  // namespace lorvane::hardening
