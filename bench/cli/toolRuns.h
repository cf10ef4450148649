#pragma once
// The parts of bench_tool_run: each registers its benchmark with the number
// of repeats asked for and removes the files it made.

namespace lorvane::bench {

void registerLargeDrawingRuns(int repeats);
void removeLargeDrawing();

void registerCatalogueRuns(int repeats);
void removeCatalogue();

}  // namespace lorvane::bench
