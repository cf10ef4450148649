#pragma once
// The parts of bench_tool_run: each benchmark, and the removal of the files
// it made.
#include <benchmark/benchmark.h>

namespace lorvane::bench {

void BM_ToolLargeDrawing(benchmark::State& state);
void removeLargeDrawing();

void BM_ToolCatalogue(benchmark::State& state);
void removeCatalogue();

}  // namespace lorvane::bench
