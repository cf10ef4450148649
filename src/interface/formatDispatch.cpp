#include "lorvane/interface/formatDispatch.h"

#include <string>

namespace lorvane {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

}  // namespace

outputWriterKind writerForFormat(std::string_view name) {
  if (equalsIgnoringCase(name, "META") || equalsIgnoringCase(name, "META2DV1")) return outputWriterKind::meta2d;
  if (equalsIgnoringCase(name, "MI") || equalsIgnoringCase(name, "ME10")) return outputWriterKind::me10;
  return outputWriterKind::none;
}

std::int32_t convertRequest(metaTreeC* request, lorvaneProgressCallback progress, writerFactoryT factory) noexcept {
  if (!request) return 0;
  try {
    metaObjectC root(request);
    const std::string name(metaObjectC(root.getOrAddChild("NAME")).getString().view());
    const std::string version(metaObjectC(root.getOrAddChild("VERSION")).getString().view());
    const std::string output(metaObjectC(root.getOrAddChild("OUTPUTLOCATION")).getString().view());
    (void)version;  // read with the others; no writer depends on it
    const outputWriterKind kind = writerForFormat(name);
    if (kind == outputWriterKind::none) return 1;
    metaTreeC* inputData = root.findChild("INPUTDATA");
    metaTreeC* input = inputData ? inputData->firstChild() : nullptr;
    if (std::unique_ptr<conversionWriterC> writer = factory(kind, progress, request)) writer->run(input, output);
  } catch (...) {
    try {
      setResultText(request, "unknown exception");
    } catch (...) {
      // Not even the message could be stored (memory exhausted): the call
      // still returns normally, as the host expects.
    }
  }
  return 1;
}

}  // namespace lorvane
