// Nodes live in pages of their own; keys read from text share their text.
#include "lorvane/metatree/memory/nodePages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#  define LORVANE_TEST_ASAN 1
#elif defined(__has_feature)
#  if __has_feature(address_sanitizer)
#    define LORVANE_TEST_ASAN 1
#  endif
#endif
#if defined(LORVANE_TEST_ASAN)
#  include <sanitizer/asan_interface.h>
#endif

#include "lorvane/metatree/memory/memManCheckLeak.h"
#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextReader.h"

namespace lorvane {
namespace {

std::size_t nodesPerPage() { return nodePages::kPageBytes / sizeof(metaTreeC); }

TEST(NodePages, APageGoesWithItsLastNodeAndOneEmptyPageIsKept) {
  metaTreeC* keep = metaTreeC::createKeyNode("KEEP");  // the pages stay in use
  const std::size_t pages = nodePages::pageCount();
  std::vector<metaTreeC*> nodes;
  for (std::size_t i = 0; i < 3 * nodesPerPage(); ++i) nodes.push_back(metaTreeC::createKeyNode("N"));
  EXPECT_GE(nodePages::pageCount(), pages + 2);
  for (metaTreeC* node : nodes) delete node;
  EXPECT_LE(nodePages::pageCount(), pages + 1);
  delete keep;
  if (!memManSystemC::get(false)) {
    EXPECT_EQ(nodePages::pageCount(), 0u);
  }
}

TEST(NodePages, ABigTreeGivesBackEveryRegionItTook) {
  metaTreeC* keep = metaTreeC::createKeyNode("KEEP");
  const std::size_t pages = nodePages::pageCount();
  std::vector<metaTreeC*> nodes;
  for (std::size_t i = 0; i < 40 * nodesPerPage(); ++i) nodes.push_back(metaTreeC::createKeyNode("N"));
  EXPECT_GE(nodePages::regionCount(), 3u);
  // Out of the order they came: regions empty only at the end.
  for (std::size_t i = 0; i < nodes.size(); i += 2) delete nodes[i];
  for (std::size_t i = 1; i < nodes.size(); i += 2) delete nodes[i];
  EXPECT_LE(nodePages::pageCount(), pages + 1);
  EXPECT_LE(nodePages::regionCount(), 1u);  // the one empty page kept may sit in one
  delete keep;
  if (!memManSystemC::get(false)) {
    EXPECT_EQ(nodePages::regionCount(), 0u);
  }
}

// Emptied regions wait for the next tree, but no more than the limit.
TEST(NodePages, EmptiedRegionsAreKeptForTheNextTreeUpToTheLimit) {
  const std::size_t limit = nodePages::keptRegionLimit();
  nodePages::setKeptRegionLimit(2);
  metaTreeC* keep = metaTreeC::createKeyNode("KEEP");
  std::vector<metaTreeC*> nodes;
  for (std::size_t i = 0; i < 40 * nodesPerPage(); ++i) nodes.push_back(metaTreeC::createKeyNode("N"));
  ASSERT_GE(nodePages::regionCount(), 3u);
  for (metaTreeC* node : nodes) delete node;
  EXPECT_EQ(nodePages::keptRegionCount(), 2u);
  nodes.clear();
  for (std::size_t i = 0; i < 40 * nodesPerPage(); ++i) nodes.push_back(metaTreeC::createKeyNode("N"));
  EXPECT_EQ(nodePages::keptRegionCount(), 0u);  // taken again before new ones
  for (metaTreeC* node : nodes) delete node;
  nodePages::releaseKeptRegions();
  EXPECT_EQ(nodePages::keptRegionCount(), 0u);
  EXPECT_EQ(nodePages::keptRegionLimit(), 2u);
  nodePages::setKeptRegionLimit(0);
  EXPECT_EQ(nodePages::keptRegionCount(), 0u);
  nodePages::setKeptRegionLimit(limit);
  delete keep;
}

// Hooks that count what they free, forwarding to the default allocator.
int gFreed = 0;
void countingFree(void* block) {
  ++gFreed;
  memManSystemC::sizeClassHooks().free(block);
}

TEST(NodePages, ANodeGoesBackWhereItCameFromWhateverHooksAreInstalled) {
  memManCheckLeakC check;
  metaTreeC* paged = metaTreeC::createValueNode(metaValueC());
  const memManHooksC saved = memManSystemC::hooks();
  memManSystemC::setHooks({saved.alloc, &countingFree, saved.realloc});
  gFreed = 0;
  delete paged;  // from a page: the hook never saw it
  EXPECT_EQ(gFreed, 0);
  memManSystemC::setHooks(saved);
  EXPECT_EQ(check.leaked(), 0);
}

int gAllocated = 0;
void* countingAlloc(std::size_t size) {
  ++gAllocated;
  return memManSystemC::sizeClassHooks().alloc(size);
}

// A read takes its nodes from the pool's page in use without a call; a host
// that routes pooled memory elsewhere must still see every one of them.
TEST(NodePages, ATextReadUnderReplacedHooksTakesEveryNodeFromThem) {
  memManCheckLeakC check;
  metaTreeC* paged = metaTreeC::createKeyNode("KEEP");  // a page with fresh cells is in use
  const memManHooksC saved = memManSystemC::hooks();
  memManSystemC::setHooks({&countingAlloc, saved.free, saved.realloc});
  gAllocated = 0;
  metaTextReaderC reader;
  metaObjectC tree = reader.readTree("A{1,2}B{3}", true);
  EXPECT_GE(gAllocated, 5);  // A, 1, 2, B, 3; key texts may come on top
  tree.release();
  memManSystemC::setHooks(saved);
  delete paged;
  EXPECT_EQ(check.leaked(), 0);
}

// The same for hooks a host installs while a read reports its progress:
// every node read after the report comes from them.
TEST(NodePages, HooksReplacedDuringAReadTakeTheNodesReadAfterwards) {
  memManCheckLeakC check;
  const memManHooksC saved = memManSystemC::hooks();
  std::string text = "A";
  for (int i = 1; i < 200000; ++i) text += ",A";
  struct reportC {
    memManHooksC hooks;
    int reports = 0;
  } report{saved};
  metaTextReaderC reader;
  reader.setProgress(
      [](double, void* context) {
        auto* r = static_cast<reportC*>(context);
        if (r->reports++ == 0) {
          memManSystemC::setHooks({&countingAlloc, r->hooks.free, r->hooks.realloc});
          gAllocated = 0;
        }
      },
      &report);
  metaObjectC tree = reader.readTree(text, true);
  ASSERT_GT(report.reports, 0);
  // The first report comes after 65,536 tokens; the rest are nodes.
  EXPECT_GE(gAllocated, 200000 - 65536);
  tree.release();
  memManSystemC::setHooks(saved);
  EXPECT_EQ(check.leaked(), 0);
}

TEST(NodePages, AMarkDoesNotOutliveItsNode) {
  metaTreeC* keep = metaTreeC::createKeyNode("KEEP");
  metaTreeC* marked = metaTreeC::createKeyNode("A");
  marked->setCopyTarget(keep);
  delete marked;
  // The cell just freed is the next one handed out.
  metaTreeC* fresh = metaTreeC::createKeyNode("B");
  EXPECT_EQ(fresh->copyTarget(), nullptr);
  delete fresh;
  delete keep;
}

// AddressSanitizer sees a use of a freed node although its cell stays in
// the pool: the cell is poisoned until it is handed out again.
TEST(NodePages, AFreedNodeIsPoisonedUnderTheSanitizer) {
#if defined(LORVANE_TEST_ASAN)
  metaTreeC* keep = metaTreeC::createKeyNode("KEEP");  // the page stays
  metaTreeC* freed = metaTreeC::createKeyNode("A");
  delete freed;
  EXPECT_TRUE(__asan_address_is_poisoned(freed));
  metaTreeC* fresh = metaTreeC::createKeyNode("B");  // the same cell, usable again
  ASSERT_EQ(fresh, freed);
  EXPECT_FALSE(__asan_region_is_poisoned(fresh, sizeof(metaTreeC)));
  delete fresh;
  delete keep;
#else
  GTEST_SKIP() << "a build without AddressSanitizer";
#endif
}

TEST(SharedKeys, KeysReadFromTextShareOneTextAndChangeAlone) {
  memManCheckLeakC check;
  {
    metaTextReaderC reader;
    metaObjectC tree = reader.readTree("A{1} A{2} B", true);
    metaTreeC* first = tree.node();
    metaTreeC* second = first->next();
    EXPECT_EQ(&first->value().text(), &second->value().text());
    metaTreeC* copy = metaTreeC::copySubtree(first);
    second->value().setKey("C");
    EXPECT_EQ(first->value().text(), "A");
    EXPECT_EQ(copy->value().text(), "A");
    EXPECT_EQ(second->value().text(), "C");
    first->value().setString("S");
    EXPECT_TRUE(first->value().isString());
    EXPECT_EQ(copy->value().text(), "A");
    delete copy;
  }
  EXPECT_EQ(check.leaked(), 0);
}

}  // namespace
}  // namespace lorvane
