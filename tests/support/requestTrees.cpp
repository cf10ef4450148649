#include "requestTrees.h"

#include <gtest/gtest.h>

#include "lorvane/metatree/metaTextReader.h"

namespace lorvane::testing {

metaObjectC treeFromText(std::string_view text) {
  metaTextReaderC reader;
  metaObjectC tree = reader.readTree(text, true);
  EXPECT_FALSE(reader.failed()) << reader.errorText();
  return tree;
}

metaObjectC conversionRequest(metaTreeC* drawing, const char* format, const std::string& output,
                              requestOptionsC options) {
  metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
  metaObjectC(request.getOrAddChild("NAME")).setString(format);
  metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(output);
  if (options.progressDetail) metaObjectC(request.getOrAddChild("PROGRESSDETAIL")).setInt(1);
  metaObjectC input(request.getOrAddChild("INPUTDATA"));
  if (drawing) metaTreeC::appendChildren(drawing, input.node());
  return request;
}

metaObjectC conversionRequest(std::string_view drawingText, const char* format, const std::string& output,
                              requestOptionsC options) {
  metaTreeC* drawing = nullptr;
  if (!drawingText.empty()) {
    metaTextReaderC reader;
    metaObjectC tree = reader.readTree(drawingText, false);
    EXPECT_FALSE(reader.failed()) << reader.errorText();
    drawing = tree.node();
  }
  return conversionRequest(drawing, format, output, options);
}

bool hasResultText(const metaObjectC& request) { return request.findChild("RESTEXT") != nullptr; }

std::string resultText(const metaObjectC& request) {
  return std::string(metaObjectC(request.findChild("RESTEXT")).getString().view());
}

}  // namespace lorvane::testing
