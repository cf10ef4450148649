// The readers of written META2D and MI files on any bytes, and the SVG
// drawing of whatever they accept. The first byte picks the reader.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzzSupport.h"
#include "lorvane/preview/fileReaders.h"
#include "lorvane/preview/svgWriter.h"

using namespace lorvane;

namespace {

void checkScene(const preview::sceneC& scene) {
  for (const preview::elementC& element : scene.elements) {
    if (element.group >= scene.groups.size()) fuzz::fault("element of a group the scene does not have");
    if (element.style >= scene.styles.size()) fuzz::fault("element of a style the scene does not have");
    // Beyond some 1e13 degrees a turn more no longer changes a double.
    if (element.kind == preview::elementKind::arc && !(element.endAngle > element.startAngle) &&
        std::fabs(element.startAngle) < 1e12 && std::fabs(element.endAngle) < 1e12)
      fuzz::fault("arc that does not run counter-clockwise");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view content(reinterpret_cast<const char*>(data + 1), size - 1);
  preview::sceneC scene;
  preview::readErrorC error;
  const bool read = data[0] & 1 ? preview::readMiFile(content, scene, error)
                                : preview::readMeta2dFile(content, scene, error);
  if (!read) {
    if (error.message.empty()) fuzz::fault("a rejected file without a message");
    if (error.line == 0) fuzz::fault("a rejected file without a line");
    return 0;
  }
  checkScene(scene);
  const std::string svg = preview::writeSvg(scene, {"fuzz"});
  if (svg.rfind("<?xml", 0) != 0 || svg.find("</svg>") == std::string::npos) fuzz::fault("an unfinished document");
  return 0;
}
