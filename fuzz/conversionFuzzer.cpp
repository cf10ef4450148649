// Bytes become a drawing tree made of the drawing's own keys and of awkward
// values (NaN, infinities, huge and tiny numbers, texts with line feeds),
// which is converted to both formats. Each conversion must return 1, report
// nothing but the documented texts, keep the tree's links and leave no
// pooled block behind.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/document/modelRegistration.h"
#include "fuzzSupport.h"
#include "lorvane/module/builtInFormats.h"
#include "lorvane/metatree/memory/memManSystem.h"
#include "lorvane/metatree/metaObject.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "treeBuilder.h"

using namespace lorvane;

namespace {

const char* const kKeys[] = {
    "DRAWING", "FIGURE", "DRAWINGITEMS", "FIGURITEMS", "NAME", "SHORTNAME", "MIDENT", "ANSICHTNO",
    "GROUP", "CUTOUT", "HIDDEN", "DASH", "INSERTPOINT", "POINT", "ROTATION", "SHAPEATTR",
    "SHAPEWIDTH", "SHAPETYP", "METALINETYPE", "COSMETIC", "LINE", "ARC", "CIRCLE", "TEXT",
    "RAD", "HEIGHT", "ANGLE", "TEXTRELPOS", "TEXTALIGN", "TEXTBW", "TEXTBH", "ELLIPSE",
    "ELLIPSEARC", "RAD1", "RAD2", "ANGLE1", "ANGLE2", "ICRV2D", "SPOINT", "SETTINGS",
    "ME10SETTINGS", "ME10LAYERLIST", "ME10LAYER", "ME10LWIDTHLIST", "ME10LWIDTH", "ME10LCOLORLIST",
    "ME10LCOLOR", "UNITBASE", "M2DHATCH", "REFTRGPTR", "YES", "",
};
constexpr std::size_t kKeyCount = sizeof kKeys / sizeof kKeys[0];
// Small drawings: a run costs about the nodes it builds (ellipses sample
// hundreds of points each), and many small runs find more than a few big
// ones. 600 characters still take a text past the 512 bytes of a pooled block.
constexpr std::size_t kMaxNodes = 400;
constexpr std::size_t kMaxDepth = 48;
constexpr std::size_t kLongText = 600;

class inputC {
public:
  inputC(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
  double number() {
    switch (byte() % 16) {
      case 0: return std::numeric_limits<double>::quiet_NaN();
      case 1: return std::numeric_limits<double>::infinity();
      case 2: return -std::numeric_limits<double>::infinity();
      case 3: return 1e300;
      case 4: return -1e300;
      case 5: return 1e-300;
      case 6: return std::numeric_limits<double>::denorm_min();
      case 7: return DBL_MAX;
      case 8: return -0.0;
      case 9: return 2147483648.0;
      case 10: case 11: return static_cast<std::int8_t>(byte());
      case 12: return static_cast<std::int8_t>(byte()) / 8.0;
      default: {
        double value = 0;
        unsigned char raw[sizeof value] = {};
        for (unsigned char& b : raw) b = byte();
        std::memcpy(&value, raw, sizeof value);
        return value;
      }
    }
  }
  std::string text() {
    std::size_t length = byte() % 48;
    if (length == 47) length = kLongText;  // now and then a long one
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
      const std::uint8_t b = byte();
      out += b % 7 == 0 ? '\n' : b % 11 == 0 ? ' ' : static_cast<char>(b);
    }
    return out;
  }

private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

// A tree under construction: children are appended to the open node.
class builderC {
public:
  explicit builderC(metaTreeC* root) { open_.emplace_back(root); }
  std::size_t nodes() const { return nodes_; }
  void add(metaTreeC* node, bool enter) {
    open_.back().add(node);
    ++nodes_;
    if (enter && open_.size() < kMaxDepth) open_.emplace_back(node);
  }
  void close() {
    if (open_.size() > 1) open_.pop_back();
  }

private:
  std::vector<drawings::treeAppenderC> open_;
  std::size_t nodes_ = 0;
};

metaTreeC* buildDrawing(inputC& in) {
  const std::uint8_t first = in.byte();
  metaTreeC* root = metaTreeC::createKeyNode(first % 8 == 7 ? kKeys[in.byte() % kKeyCount] : first % 2 ? "FIGURE" : "DRAWING");
  builderC tree(root);
  while (in.more() && tree.nodes() < kMaxNodes) {
    switch (in.byte() % 9) {
      case 0: case 1: case 2:
        tree.add(metaTreeC::createKeyNode(kKeys[in.byte() % kKeyCount]), true);
        break;
      case 3:
        tree.close();
        break;
      case 4:
        tree.add(drawings::numberNode(in.number()), false);
        break;
      case 5:
        tree.add(drawings::stringNode(in.text()), false);
        break;
      case 6:
        tree.add(metaTreeC::createKeyNode(kKeys[in.byte() % kKeyCount]), false);
        break;
      case 7: {  // a well-formed point: what most shapes need
        metaTreeC* point = metaTreeC::createKeyNode("POINT");
        drawings::treeAppenderC numbers(point);
        numbers.number(in.number());
        numbers.number(in.number());
        tree.add(point, false);
        break;
      }
      default:
        tree.add(drawings::integerNode(static_cast<std::int8_t>(in.byte())), false);
        break;
    }
  }
  return root;
}

void noProgress(double, const char*) {}

// Asked afresh each time: the memory system goes when its last block does.
std::uint32_t pooledBlocks() { return memManSystemC::get(true)->blockCount(); }

// The request takes the drawing over and destroys it with itself.
void convert(metaTreeC* drawing, const char* format) {
  {
    metaObjectC request = metaObjectVirtualDataBaseC::createTree("REQUEST", true);
    metaObjectC(request.getOrAddChild("NAME")).setString(format);
    metaObjectC(request.getOrAddChild("OUTPUTLOCATION")).setString(fuzz::scratchFolder() + "/out." + format);
    metaObjectC input(request.getOrAddChild("INPUTDATA"));
    metaTreeC::appendChildren(drawing, input.node());
    if (convertRequest(request.node(), &noProgress) != 1) fuzz::fault("result is not 1");
    if (!fuzz::linksConsistent(request.node())) fuzz::fault("broken links after the conversion");
    if (metaTreeC* result = request.findChild("RESTEXT")) {
      // Besides rejected input, the writers report values their file cannot
      // hold (generated coordinates may be huge, names may hold line feeds).
      const std::string_view text = metaObjectC(result).getString().view();
      const bool unrepresentable = text.starts_with("Figur ") && text.ends_with(" nicht darstellbar!");
      if (text != "Fehler in der Metadatei!" && !unrepresentable) fuzz::fault("unexpected RESTEXT");
    }
  }
}

// The model's classes, registered as the loaded module registers them. It
// stays for the whole process: the registries it fills are statics of the
// runtime made after this file's statics, so they are gone at exit first.
modelRegistrationC* gRegistration = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  gRegistration = new modelRegistrationC;
  // The first conversion of a process makes what lives until its end (the
  // writers' shared tables); later ones must give back every block.
  for (const char* format : {"META", "MI"}) convert(metaTreeC::createKeyNode("DRAWING"), format);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::uint32_t before = pooledBlocks();
  inputC in(data, size);
  metaTreeC* drawing = buildDrawing(in);
  // The copy's pooled blocks (its nodes and texts) are those it holds until
  // the MI conversion takes it.
  const std::uint32_t beforeCopy = pooledBlocks();
  metaTreeC* copy = metaTreeC::copySubtree(drawing);
  const std::uint32_t copyBlocks = pooledBlocks() - beforeCopy;
  // Reproducing a finding: LORVANE_FUZZ_PRINT=1 shows the drawing's text form.
  if (std::getenv("LORVANE_FUZZ_PRINT")) std::fprintf(stderr, "%s\n", writeTree(drawing, true, false).c_str());
  convert(drawing, "META");
  if (pooledBlocks() != before + copyBlocks) fuzz::fault("pooled blocks left behind by the META2D conversion");
  convert(copy, "MI");
  if (pooledBlocks() != before) fuzz::fault("pooled blocks left behind by the MI conversion");
  return 0;
}
