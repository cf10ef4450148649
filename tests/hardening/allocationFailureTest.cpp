// Allocation failure at every step of a conversion: the k-th pooled block
// or the k-th heap allocation fails, once for every k the conversion
// reaches. The call still returns 1 and either completes with the file it
// gives without failures or reports "unknown exception"; nothing is leaked
// and the host's request tree keeps consistent links.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "failingHeap.h"
#include "hardeningSupport.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaTree.h"
#include "lorvane/util/fileContents.h"
#include "miTimestampMask.h"

namespace lorvane::hardening {
namespace {

memManHooksC gPool;

void* failingAlloc(std::size_t size) {
  if (gPlan.armed && !gPlan.heap && gPlan.step()) return nullptr;
  return gPool.alloc(size);
}
void* failingRealloc(void* block, std::size_t size) {
  if (gPlan.armed && !gPlan.heap && gPlan.step()) return nullptr;
  return gPool.realloc(block, size);
}
void passFree(void* block) { gPool.free(block); }

// Keeps the memory system alive, so that the failing hooks installed after
// its creation stay installed for the whole sweep.
class failingHooksC {
public:
  failingHooksC() : keeper_(metaTreeC::createKeyNode("KEEP")) {
    gPool = memManSystemC::hooks();
    memManSystemC::setHooks({&failingAlloc, &passFree, &failingRealloc});
  }
  ~failingHooksC() {
    memManSystemC::setHooks(gPool);
    delete keeper_;
  }
  failingHooksC(const failingHooksC&) = delete;
  failingHooksC& operator=(const failingHooksC&) = delete;

private:
  metaTreeC* keeper_;
};

std::uint32_t blocks() { return memManSystemC::get(false)->blockCount(); }

struct outcomeC {
  long long allocations = 0;
  bool failed = false;
  bool reported = false;  // RESTEXT says "unknown exception"
  std::string fault;  // empty when the run met every expectation
};

void noProgress(double, const char*) {}

// One conversion under a plan; checks everything that must hold afterwards
// with the plan disarmed.
outcomeC runOnce(const char* drawing, const char* format, bool heap, long long failAt, const std::string& reference) {
  const std::string path = scratchPath(std::string("alloc_sweep.") + format);
  std::remove(path.c_str());
  const std::uint32_t before = blocks();
  outcomeC outcome;
  {
    metaObjectC request = conversionRequest(drawing, format, path);
    gPlan = failurePlanC{true, heap, failAt, 0, false};
    const int result = convertRequest(request.node(), &noProgress);
    gPlan.armed = false;
    outcome.allocations = gPlan.counted;
    outcome.failed = gPlan.failed;
    if (result != 1) outcome.fault = "result " + std::to_string(result);
    const std::string links = treeLinkFault(request.node());
    if (!links.empty()) outcome.fault = links;
    if (hasResultText(request)) {
      outcome.reported = true;
      if (resultText(request) != "unknown exception") outcome.fault = "RESTEXT " + resultText(request);
      if (!outcome.failed) outcome.fault = "RESTEXT without a failed allocation";
    } else if (reference != "-" && testing::maskTimestamp(readFileBytes(path)) != reference) {
      outcome.fault = "completed with a different file";
    }
  }
  if (blocks() != before)
    outcome.fault += " blocks " + std::to_string(blocks()) + " instead of " + std::to_string(before);
  std::remove(path.c_str());
  return outcome;
}

// Runs the conversion for every k from 1 to the count of allocations the
// conversion makes when nothing fails (or every stride-th k).
void sweep(const char* drawing, const char* format, bool heap, long long stride) {
  failingHooksC hooks;
  const outcomeC clean = runOnce(drawing, format, heap, 0, "-");
  ASSERT_TRUE(clean.fault.empty()) << clean.fault;
  const std::string path = scratchPath(std::string("alloc_sweep.") + format);
  std::string reference;
  {
    metaObjectC request = conversionRequest(drawing, format, path);
    convertRequest(request.node(), &noProgress);
    ASSERT_FALSE(hasResultText(request)) << resultText(request);
    // An MI file tells the second it was written: a sweep may cross one.
    reference = testing::maskTimestamp(readFileBytes(path));
  }
  ASSERT_FALSE(reference.empty());
  // The writers convert shapes without pooled nodes, so a small META2D
  // conversion makes only a few pooled allocations (its output records); the
  // sweep still fails each of them.
  ASSERT_GT(clean.allocations, 5);
  long long failures = 0;
  long long reported = 0;
  int faults = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long long k = 1; k <= clean.allocations && faults < 10; k += stride) {
    const outcomeC outcome = runOnce(drawing, format, heap, k, reference);
    if (outcome.failed) ++failures;
    if (outcome.reported) ++reported;
    if (!outcome.fault.empty()) {
      ++faults;
      ADD_FAILURE() << format << (heap ? " heap" : " pooled") << " allocation " << k << " of "
                    << clean.allocations << ": " << outcome.fault;
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_GT(reported, 0);
  std::printf("[ sweep    ] %s %s: %lld allocations, %lld runs with a failure, %lld reported, %.2f s\n", format,
              heap ? "heap" : "pooled", clean.allocations, failures, reported, seconds);
}

TEST(AllocationFailureSweep, EveryPooledAllocationOfASmallMeta2dConversion) {
  sweep(kSmallDrawing, "META", false, 1);
}
TEST(AllocationFailureSweep, EveryHeapAllocationOfASmallMeta2dConversion) {
  sweep(kSmallDrawing, "META", true, 1);
}
TEST(AllocationFailureSweep, EveryPooledAllocationOfASmallMiConversion) {
  sweep(kSmallDrawing, "MI", false, 1);
}
TEST(AllocationFailureSweep, EveryHeapAllocationOfASmallMiConversion) {
  sweep(kSmallDrawing, "MI", true, 1);
}
// The larger drawing's pooled blocks are sampled: every k costs a whole
// conversion, and the small drawing already fails each kind of block.
TEST(AllocationFailureSweep, PooledAllocationsOfALargerMeta2dConversion) {
  sweep(kBracketDrawing, "META", false, 7);
}
TEST(AllocationFailureSweep, HeapAllocationsOfALargerMeta2dConversion) {
  sweep(kBracketDrawing, "META", true, 1);
}
TEST(AllocationFailureSweep, PooledAllocationsOfALargerMiConversion) {
  sweep(kBracketDrawing, "MI", false, 7);
}
TEST(AllocationFailureSweep, HeapAllocationsOfALargerMiConversion) {
  sweep(kBracketDrawing, "MI", true, 1);
}

}  // namespace
}  // namespace lorvane::hardening
