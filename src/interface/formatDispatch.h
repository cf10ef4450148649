#pragma once
#include <memory>
#include <string_view>

#include "lorvane/interface/conversionWriter.h"

namespace lorvane {

enum class outputWriterKind { none, meta2d, me10 };

// The writer for a requested output format name, compared without regard to
// case: "META" and "META2DV1" for META2D, "MI" and "ME10" for MI.
outputWriterKind writerForFormat(std::string_view name);

// Makes the writer of a kind; null when there is none for it.
using writerFactoryT = std::unique_ptr<conversionWriterC> (*)(outputWriterKind kind, lorvaneProgressCallback progress,
                                                              metaTreeC* request);

// One conversion request: reads NAME, VERSION and OUTPUTLOCATION, runs the
// chosen writer on the first child of INPUTDATA, and turns any exception into
// "unknown exception" under RESTEXT. 0 for a null request, else 1.
std::int32_t convertRequest(metaTreeC* request, lorvaneProgressCallback progress, writerFactoryT factory) noexcept;

}  // namespace lorvane
