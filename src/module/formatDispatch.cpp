#include "lorvane/module/formatDispatch.h"

#include <string>

#include "lorvane/interface/resultTexts.h"
#include "lorvane/util/asciiCase.h"

namespace lorvane {

const outputFormatC* formatNamed(std::string_view name, std::span<const outputFormatC> formats) {
  for (const outputFormatC& format : formats) {
    if (equalsIgnoringAsciiCase(name, format.name)) return &format;
    if (format.otherName && equalsIgnoringAsciiCase(name, format.otherName)) return &format;
  }
  return nullptr;
}

std::int32_t convertRequest(metaTreeC* request, lorvaneProgressCallback progress,
                            std::span<const outputFormatC> formats) noexcept {
  if (!request) return 0;
  try {
    metaObjectC root(request);
    const std::string name(metaObjectC(root.getOrAddChild("NAME")).getString().view());
    const std::string version(metaObjectC(root.getOrAddChild("VERSION")).getString().view());
    const std::string output(metaObjectC(root.getOrAddChild("OUTPUTLOCATION")).getString().view());
    (void)version;  // read with the others; no writer depends on it
    const outputFormatC* format = formatNamed(name, formats);
    if (!format) return 1;
    metaTreeC* inputData = root.findChild("INPUTDATA");
    metaTreeC* input = inputData ? inputData->firstChild() : nullptr;
    if (std::unique_ptr<conversionWriterC> writer = format->makeWriter(progress, request)) writer->run(input, output);
  } catch (...) {
    try {
      setResultText(request, kResultUnknownException);
    } catch (...) {
      // Not even the message could be stored (memory exhausted): the call
      // still returns normally, as the host expects.
    }
  }
  return 1;
}

}  // namespace lorvane
