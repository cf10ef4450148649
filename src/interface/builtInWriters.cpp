#include "interface/formatDispatch.h"

namespace lorvane {

std::unique_ptr<conversionWriterC> createBuiltInWriter(outputWriterKind kind, lorvaneProgressCallback progress,
                                                       metaTreeC* request) {
  (void)kind;
  (void)progress;
  (void)request;
  return nullptr;
}

}  // namespace lorvane
