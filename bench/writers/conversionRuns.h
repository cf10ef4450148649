#pragma once
// What the writer benchmarks time: conversions of a drawing, one request a run.
#include <benchmark/benchmark.h>

#include <string>

#include "benchFiles.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane::bench {

// A request to convert a copy of the drawing: the conversion changes its
// input (items are moved into place), so each run converts a fresh copy.
inline metaObjectC conversionRequest(const char* format, metaTreeC* drawing, const std::string& output,
                                     bool progressDetail = false) {
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  if (progressDetail) metaObjectC(request.getOrAddChild("PROGRESSDETAIL")).setInt(1);
  metaObjectC(request.getOrAddChild("NAME")).setString(format);
  metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(output);
  metaTreeC::appendChildren(metaTreeC::copySubtree(drawing), request.getOrAddChild("INPUTDATA"));
  return request;
}

// Converts the drawing once each run, timing only the conversion; a progress
// callback asks for the progress in between. The size of the file written
// last.
inline long long timeConversions(benchmark::State& state, const char* format, metaTreeC* drawing,
                                 const std::string& output, lorvaneProgressCallback progress = nullptr) {
  long long bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    metaObjectC request = conversionRequest(format, drawing, output, progress != nullptr);
    state.ResumeTiming();
    convertRequest(request.node(), progress);
    state.PauseTiming();
    bytes = fileSize(output);
    request.release();
    state.ResumeTiming();
  }
  return bytes;
}

}  // namespace lorvane::bench
