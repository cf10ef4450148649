// The plug-in as a host sees it: loaded at run time, three entry points.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <thread>

#include "lorvane/interface/lorvanePlugin.h"
#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaRegistry.h"
#include "lorvane/cli/platform.h"
#include "requestTrees.h"
#include "testFiles.h"

namespace lorvane {
namespace {

using cli::findSymbol;
using cli::loadModule;
using cli::moduleHandleC;
using cli::unloadModule;

moduleHandleC load() {
  std::string error;
  moduleHandleC module = loadModule(LORVANE_PLUGIN_PATH, error);
  EXPECT_NE(module.handle, nullptr) << error;
  return module;
}

// That nothing else is exported is read from the export table (module_exports).
TEST(Module, ExportsTheThreeEntryPointsUnmangled) {
  moduleHandleC module = load();
  ASSERT_NE(module.handle, nullptr);
  EXPECT_NE(findSymbol(module, "getCaps"), nullptr);
  EXPECT_NE(findSymbol(module, "testPrecond"), nullptr);
  EXPECT_NE(findSymbol(module, "convertMetaTree"), nullptr);
  unloadModule(module);
}

TEST(Module, EntryPointsAnswerAsSpecifiedThroughTheLoadedModule) {
  moduleHandleC module = load();
  ASSERT_NE(module.handle, nullptr);
  auto testPrecond = reinterpret_cast<lorvaneTestPrecondFunction>(findSymbol(module, "testPrecond"));
  auto getCaps = reinterpret_cast<lorvaneGetCapsFunction>(findSymbol(module, "getCaps"));
  auto convert = reinterpret_cast<lorvaneConvertMetaTreeFunction>(findSymbol(module, "convertMetaTree"));
  EXPECT_EQ(testPrecond(), 1);
  {
    // The host destroys the tree with the shared runtime's own destruction.
    metaObjectC caps(getCaps(), true);
    EXPECT_TRUE(caps.hasKey("DLLIFACE"));
  }
  EXPECT_EQ(convert(nullptr, nullptr), 0);
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  metaObjectC(request.getOrAddChild("NAME")).setString("META2DV2");
  EXPECT_EQ(convert(request.node(), nullptr), 1);
  EXPECT_EQ(request.findChild("RESTEXT"), nullptr);
  unloadModule(module);
}

std::size_t registeredClasses() {
  return shapeRegistry().size() + documentRegistry().size() + customCopyRegistry().size() +
         customStorageRegistry().size();
}

TEST(Module, UnloadingLeavesTheSharedRegistriesAsTheyWere) {
  const std::size_t before = registeredClasses();
  for (int round = 0; round < 3; ++round) {
    moduleHandleC module = load();
    ASSERT_NE(module.handle, nullptr);
    // The shapes and documents the module brings are in the shared registries
    // while it is loaded.
    EXPECT_EQ(registeredClasses(), before + 10);
    EXPECT_NE(shapeRegistry().findInterface("ELLIPSEARC"), nullptr);
    EXPECT_NE(documentRegistry().findInterface("FIGURE"), nullptr);
    unloadModule(module);
    EXPECT_EQ(registeredClasses(), before) << "round " << round;
  }
}

void* refusingAlloc(std::size_t) { return nullptr; }
void* refusingRealloc(void*, std::size_t) { return nullptr; }

// The memory system raises std::bad_alloc inside the runtime library; the
// module's entry points catch it: the exception crosses from one library into
// the other (on 32-bit Windows both must unwind with the same unwinder).
TEST(Module, AnExceptionFromTheRuntimeIsCaughtByTheEntryPoints) {
  moduleHandleC module = load();
  ASSERT_NE(module.handle, nullptr);
  auto getCaps = reinterpret_cast<lorvaneGetCapsFunction>(findSymbol(module, "getCaps"));
  auto convert = reinterpret_cast<lorvaneConvertMetaTreeFunction>(findSymbol(module, "convertMetaTree"));
  {
    metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
    metaObjectC(request.getOrAddChild("NAME")).setString("MI");
    metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(testing::scratchPath("exhausted.mi"));
    metaObjectC input(request.getOrAddChild("INPUTDATA"));
    metaObjectC(metaObjectC(input.addChild("FIGURE")).getOrAddChild("NAME")).setString("F");
    // The request keeps the memory system alive while it refuses every block.
    const memManHooksC saved = memManSystemC::hooks();
    memManSystemC::setHooks({&refusingAlloc, saved.free, &refusingRealloc});
    metaTreeC* caps = getCaps();
    const std::int32_t result = convert(request.node(), nullptr);
    memManSystemC::setHooks(saved);
    EXPECT_EQ(caps, nullptr);
    EXPECT_EQ(result, 1);
  }
  unloadModule(module);
}

// A host converting on two threads at once: the calls take turns, and each
// gives the file it gives alone.
TEST(Module, ConversionsOnTwoThreadsAtOnceEachGiveTheirFile) {
  moduleHandleC module = load();
  ASSERT_NE(module.handle, nullptr);
  auto convert = reinterpret_cast<lorvaneConvertMetaTreeFunction>(findSymbol(module, "convertMetaTree"));
  std::string drawing = R"(FIGURE{NAME{"F"} FIGURITEMS{)";
  for (int i = 0; i < 2000; ++i) drawing += "ELLIPSE{POINT{" + std::to_string(i) + ",0} RAD1{3} RAD2{1}} ";
  drawing += "}}";
  const std::string alone = testing::scratchPath("module_alone.krv");
  convert(testing::conversionRequest(drawing, "META", alone).node(), nullptr);
  const std::string expected = testing::readFileBytes(alone);
  ASSERT_FALSE(expected.empty());
  for (int round = 0; round < 8; ++round) {
    const std::string paths[2] = {testing::scratchPath("module_thread0.krv"), testing::scratchPath("module_thread1.krv")};
    metaObjectC requests[2] = {testing::conversionRequest(drawing, "META", paths[0]),
                               testing::conversionRequest(drawing, "META", paths[1])};
    std::thread first([&] { convert(requests[0].node(), nullptr); });
    std::thread second([&] { convert(requests[1].node(), nullptr); });
    first.join();
    second.join();
    for (int i = 0; i < 2; ++i) {
      EXPECT_FALSE(testing::hasResultText(requests[i])) << testing::resultText(requests[i]);
      EXPECT_EQ(testing::readFileBytes(paths[i]), expected) << "round " << round << " thread " << i;
      std::remove(paths[i].c_str());
    }
  }
  std::remove(alone.c_str());
  unloadModule(module);
}

TEST(Module, AMissingModuleReportsTheLoadersReason) {
  std::string error;
  moduleHandleC module = loadModule("/nonexistent/lorvane_plugin.so", error);
  EXPECT_EQ(module.handle, nullptr);
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace lorvane
