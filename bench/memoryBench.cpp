// Pooled memory against the C heap, and the cost of building, copying and
// destroying a large tree.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "lorvane/metatree/memory/memManSystem.h"
#include "pooledBytes.h"
#include "lorvane/metatree/metaObject.h"

namespace {

using namespace lorvane;

// Mixed request sizes of 8 to 512 bytes: small ones dominate, as in trees
// (nodes, texts, comparators), with a tail up to the largest class.
std::vector<std::uint32_t> mixedSizes(std::size_t count, std::uint32_t seed) {
  std::vector<std::uint32_t> sizes;
  for (std::size_t i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const std::uint32_t r = seed >> 8;
    sizes.push_back(r % 4 == 0 ? 8 + r % 505 : 8 + r % 64);
  }
  return sizes;
}

// Batches as tree work makes them: a batch of blocks is allocated, then freed
// in allocation order (0), in reverse (1) or at random (2).
template <class Alloc, class Free>
void runBatches(benchmark::State& state, Alloc alloc, Free release) {
  const auto batch = static_cast<std::size_t>(state.range(0));
  const int order = static_cast<int>(state.range(1));
  const std::vector<std::uint32_t> sizes = mixedSizes(batch, 12345);
  std::vector<std::size_t> freeOrder(batch);
  for (std::size_t i = 0; i < batch; ++i) freeOrder[i] = order == 1 ? batch - 1 - i : i;
  if (order == 2) {
    std::uint32_t seed = 99;
    for (std::size_t i = batch; i > 1; --i) {
      seed = seed * 1664525u + 1013904223u;
      std::swap(freeOrder[i - 1], freeOrder[(seed >> 8) % i]);
    }
  }
  std::vector<void*> blocks(batch);
  for (auto _ : state) {
    for (std::size_t i = 0; i < batch; ++i) blocks[i] = alloc(sizes[i]);
    benchmark::DoNotOptimize(blocks.data());
    for (std::size_t i : freeOrder) release(blocks[i]);
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * batch));
}

// A steady state: a window of live blocks in which each step frees a random
// block and allocates another. Every freed block is a cache miss for both
// allocators, so this pattern measures the memory more than the allocator.
template <class Alloc, class Free>
void runChurn(benchmark::State& state, Alloc alloc, Free release) {
  constexpr std::size_t kLive = 4096;
  constexpr std::size_t kSteps = 1 << 16;
  const std::vector<std::uint32_t> sizes = mixedSizes(kSteps, 777);
  std::vector<std::uint32_t> slots = mixedSizes(kSteps, 4242);
  for (auto& slot : slots) slot %= kLive;
  std::vector<void*> live(kLive);
  for (std::size_t i = 0; i < kLive; ++i) live[i] = alloc(sizes[i]);
  for (auto _ : state) {
    for (std::size_t i = 0; i < kSteps; ++i) {
      void*& slot = live[slots[i]];
      release(slot);
      slot = alloc(sizes[i]);
    }
    benchmark::DoNotOptimize(live.data());
  }
  for (void* block : live) release(block);
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * kSteps));
}

// The pooled runs keep one block alive so that the memory system and its
// tables persist between batches, as they do while a host holds any tree.
template <class Runner>
void pooled(benchmark::State& state, Runner run) {
  memManSystemC* system = memManSystemC::get(true);
  void* pin = system->alloc(8);
  run(state, [&](std::size_t n) { return system->alloc(n); }, [&](void* b) { system->free(b); });
  system->free(pin);
}

void BM_PooledBatches(benchmark::State& state) {
  pooled(state, [](auto& s, auto a, auto f) { runBatches(s, a, f); });
}
void BM_MallocBatches(benchmark::State& state) {
  runBatches(state, [](std::size_t n) { return std::malloc(n); }, [](void* b) { std::free(b); });
}
void BM_PooledChurn(benchmark::State& state) {
  pooled(state, [](auto& s, auto a, auto f) { runChurn(s, a, f); });
}
void BM_MallocChurn(benchmark::State& state) {
  runChurn(state, [](std::size_t n) { return std::malloc(n); }, [](void* b) { std::free(b); });
}
BENCHMARK(BM_PooledBatches)->ArgsProduct({{1000, 10000}, {0, 1, 2}});
BENCHMARK(BM_MallocBatches)->ArgsProduct({{1000, 10000}, {0, 1, 2}});
BENCHMARK(BM_PooledChurn);
BENCHMARK(BM_MallocChurn);

// A drawing-like tree: figures of lines, each line two points of two numbers.
metaTreeC* buildTree(std::size_t targetNodes, std::size_t& nodes) {
  metaObjectC drawing(metaTreeC::createKeyNode("DRAWING"), false);
  metaObjectC items(drawing.getOrAddChild("DRAWINGITEMS"));
  nodes = 2;
  double v = 0.5;
  while (nodes < targetNodes) {
    metaObjectC figure(items.addChild("FIGURE"));
    metaObjectC(figure.getOrAddChild("NAME")).setString("Front view");
    metaObjectC figItems(figure.getOrAddChild("FIGURITEMS"));
    nodes += 4;
    for (int l = 0; l < 100 && nodes < targetNodes; ++l) {
      metaObjectC line(figItems.addChild("LINE"));
      for (int p = 0; p < 2; ++p) {
        metaObjectC point(line.addChild("POINT"));
        metaValueC value;
        value.setNumber(v += 1.25);
        metaTreeC::appendChildren(metaTreeC::createValueNode(value), point.node());
        value.setNumber(v * 0.5);
        metaTreeC::appendChildren(metaTreeC::createValueNode(value), point.node());
      }
      nodes += 7;
    }
  }
  return drawing.node();
}

void BM_TreeBuildCopyDestroy(benchmark::State& state) {
  const auto target = static_cast<std::size_t>(state.range(0));
  std::size_t nodes = 0;
  double buildSeconds = 0;
  double copySeconds = 0;
  double destroySeconds = 0;
  std::size_t bytes = 0;
  for (auto _ : state) {
    memManSystemC* system = memManSystemC::get(true);
    void* pin = system->alloc(8);
    const std::size_t before = bench::pooledBytes();
    auto t0 = std::chrono::steady_clock::now();
    metaTreeC* tree = buildTree(target, nodes);
    auto t1 = std::chrono::steady_clock::now();
    bytes = bench::pooledBytes() - before;
    metaTreeC* copy = metaTreeC::copyChain(tree);
    auto t2 = std::chrono::steady_clock::now();
    delete copy;
    delete tree;
    auto t3 = std::chrono::steady_clock::now();
    system->free(pin);
    buildSeconds += std::chrono::duration<double>(t1 - t0).count();
    copySeconds += std::chrono::duration<double>(t2 - t1).count();
    destroySeconds += std::chrono::duration<double>(t3 - t2).count() / 2;
  }
  const double runs = static_cast<double>(state.iterations());
  state.counters["nodes"] = static_cast<double>(nodes);
  state.counters["build_ns_per_node"] = buildSeconds / runs / static_cast<double>(nodes) * 1e9;
  state.counters["copy_ns_per_node"] = copySeconds / runs / static_cast<double>(nodes) * 1e9;
  state.counters["destroy_ns_per_node"] = destroySeconds / runs / static_cast<double>(nodes) * 1e9;
  state.counters["bytes_per_node"] = static_cast<double>(bytes) / static_cast<double>(nodes);
}
BENCHMARK(BM_TreeBuildCopyDestroy)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
