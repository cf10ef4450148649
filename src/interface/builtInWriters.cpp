#include "lorvane/interface/builtInWriters.h"
#include "lorvane/writers/me10/me10Writer.h"
#include "lorvane/writers/meta2d/meta2dWriter.h"

namespace lorvane {

std::unique_ptr<conversionWriterC> createBuiltInWriter(outputWriterKind kind, lorvaneProgressCallback progress,
                                                       metaTreeC* request) {
  switch (kind) {
    case outputWriterKind::meta2d: return std::make_unique<meta2dWriterC>(progress, request);
    case outputWriterKind::me10: return std::make_unique<ME10Writer>(progress, request);
    case outputWriterKind::none: return nullptr;
  }
  return nullptr;
}

}  // namespace lorvane
