// Reads an MI file as the ME10 writer writes it, section by section and line
// by line, and checks its table of contents against what follows.
//
// Names are written unchanged and may hold line feeds; a name then spans
// several lines. The table of contents tells where a name ends by what follows
// it (a part's line count and its first "TC6x:"/"TC72:"/"PLAST:" line; for the
// top assembly "1", "PLAST:", "LAST:" and "#~3"), and every later occurrence of
// the name must repeat exactly those lines. A layer name ends at the "|~" that
// is followed by the next "ASSP" or by "#~5".
//
// Coordinates in a part are local: the part's position (its ASSE record) is
// added to place them in the drawing, as the META2D file has them.
//
// Errors: a "%g" value carries six significant digits, so its error is half a
// unit of its own sixth one. A placed coordinate adds the error of the part
// position's coordinate to its own; a radius comes from the local centre and
// point, which the position does not move, and a text's direction from its
// printed cosine and sine (preview/valueErrors.h).
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <iterator>
#include <map>
#include <new>
#include <string>
#include <tuple>
#include <vector>

#include "fileLines.h"
#include "lorvane/preview/fileReaders.h"
#include "numberFields.h"
#include "lorvane/preview/valueErrors.h"
#include "lorvane/util/angleUnits.h"

namespace lorvane::preview {
namespace {

// The header lines after "#~3"; null where any text is accepted (the date and
// the time of writing).
constexpr const char* kHeader[] = {
    "metafile.mit", "", "", "", "", "", "", nullptr, nullptr, "", "HP ME10 Rev. 06.11", "2.21", "2D", "0", "0",
    "0", "0", "0", "0", "1", "XX", "1", "mm", "RAD", "1E-12", "0.0001", "32", "0", "0", "1", "0", "0", "0", "0",
    "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "1", "4", "1", "0", "0", "3.5"};

static_assert(std::size(kHeader) == 50, "the header has 51 lines with its \"#~3\"");

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// A run of lines holding one name.
struct nameLinesC {
  std::size_t first = 0;
  std::size_t count = 0;
};

struct tocPartC {
  nameLinesC name;
  std::size_t line = 0;  // 1-based line of the entry's name
  bool hasPoints = false;
  bool hasElements = false;
  bool hasTexts = false;
  long long firstPoint = 0;
  long long firstElement = 0;
  long long firstText = 0;
  long long last = 0;
};

struct tableOfContentsC {
  long long status = 0;
  std::size_t statusLine = 0;
  long long firstAssembly = 0;
  std::size_t firstAssemblyLine = 0;
  std::vector<tocPartC> parts;
  bool hasTop = false;
  nameLinesC topName;
  long long topLast = 0;
  long long last = 0;
  std::size_t lastLine = 0;
};

struct localPointC {
  double x = 0;
  double y = 0;
  pointC error;
};

struct placedPartC {
  double x = 0;
  double y = 0;
  pointC error;
};

struct attributesC {
  std::size_t style = 0;
};

class miReaderC {
public:
  miReaderC(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink)
      : lines_(content), scene_(scene), error_(error), sink_(sink) {}

  bool read() {
    if (lines_.empty()) return fail(1, "empty file: expected \"#~2\" on the first line");
    // Every element takes five lines at least. Room for that many is only
    // claimed, not touched, where it goes unused; a list that grew instead
    // would hold its old and its new copy at once.
    // A sink takes the elements a part at a time.
    if (!sink_) scene_.elements.reserve(lines_.size() / 5);
    if (!tableOfContents() || !header() || !statusAndLayers() || !assemblies()) return false;
    for (std::size_t i = 0; i < toc_.parts.size(); ++i) {
      if (!partBlock(i)) return false;
    }
    if (toc_.parts.size() > 1 && !topBlock()) return false;
    section_ = "##~~";
    if (!expect("##~~")) return false;
    if (lines_.has(pos_)) return fail(pos_ + 1, "lines follow the end line \"##~~\"");
    if (nextNumber_ - 1 != toc_.last) {
      return fail(toc_.lastLine, "the table of contents gives the last number " + std::to_string(toc_.last) +
                                     ", but the file's last number is " + std::to_string(nextNumber_ - 1));
    }
    return true;
  }

private:
  bool fail(std::size_t line, std::string message) {
    error_.line = line;
    error_.message = std::move(message);
    return false;
  }
  // An error in the line taken last.
  bool failTaken(std::string message) { return fail(pos_, std::move(message)); }

  bool take(std::string_view& line) {
    if (!lines_.has(pos_)) return fail(lines_.size() + 1, "unexpected end of file in section " + section_);
    line = lines_[pos_++];
    return true;
  }
  bool peekIs(std::string_view text) const { return lines_.has(pos_) && lines_[pos_] == text; }

  bool expect(std::string_view text) {
    std::string_view line;
    if (!take(line)) return false;
    if (line != text) return failTaken("expected " + excerpt(text) + " in section " + section_ + ", found " + excerpt(line));
    return true;
  }

  bool integer(long long& value, std::string_view what) {
    std::string_view line;
    if (!take(line)) return false;
    if (!parseDecimalInteger(line, value)) {
      return failTaken("expected an integer (" + std::string(what) + ") in section " + section_ + ", found " + excerpt(line));
    }
    return true;
  }
  bool expectInteger(long long expected, std::string_view what) {
    long long value = 0;
    if (!integer(value, what)) return false;
    if (value != expected) {
      return failTaken(std::string(what) + " is " + std::to_string(value) + ", expected " + std::to_string(expected));
    }
    return true;
  }
  bool smallInteger(int& value, std::string_view what) {
    long long wide = 0;
    if (!integer(wide, what)) return false;
    if (wide < INT32_MIN || wide > INT32_MAX) return failTaken(std::string(what) + " out of range: " + std::to_string(wide));
    value = static_cast<int>(wide);
    return true;
  }

  bool real(double& value, double& precision, std::string_view what) {
    std::string_view line;
    if (!take(line)) return false;
    if (!parseMiFloat(line, value, precision)) {
      return failTaken("expected a number (" + std::string(what) + ") in section " + section_ + ", found " + excerpt(line));
    }
    return true;
  }

  bool labelled(std::string_view label, long long& value) {
    std::string_view line;
    if (!take(line)) return false;
    if (!startsWith(line, label) || !parseDecimalInteger(line.substr(label.size()), value)) {
      return failTaken("expected " + excerpt(label) + " and a number in section " + section_ + ", found " + excerpt(line));
    }
    return true;
  }

  // Records are numbered 1, 2, 3, ... in the order they are written.
  bool recordNumber(std::string_view record) {
    long long value = 0;
    if (!integer(value, "record number")) return false;
    if (value != nextNumber_) {
      return failTaken(std::string(record) + " record number " + std::to_string(value) + " out of order: expected " +
                       std::to_string(nextNumber_));
    }
    ++nextNumber_;
    return true;
  }

  bool expectName(const nameLinesC& name, std::string_view what) {
    for (std::size_t k = 0; k < name.count; ++k) {
      std::string_view line;
      if (!take(line)) return false;
      if (line != lines_[name.first + k]) {
        return failTaken("expected the " + std::string(what) + " " + excerpt(joinLines(lines_, name.first, name.first + name.count - 1)) +
                         " as in the table of contents, found " + excerpt(line));
      }
    }
    return true;
  }

  // ---- "#~2" -------------------------------------------------------------

  bool isCountLine(std::size_t k) const {
    return lines_.has(k) && lines_[k].size() == 1 && lines_[k][0] >= '1' && lines_[k][0] <= '4';
  }
  bool isPartTail(std::size_t k) const {
    if (!isCountLine(k) || !lines_.has(k + 1)) return false;
    const std::string_view next = lines_[k + 1];
    return startsWith(next, "TC61:") || startsWith(next, "TC62:") || startsWith(next, "TC72:") || startsWith(next, "PLAST:");
  }
  bool isTopTail(std::size_t k) const {
    return lines_.has(k + 3) && lines_[k] == "1" && startsWith(lines_[k + 1], "PLAST:") &&
           startsWith(lines_[k + 2], "LAST:") && lines_[k + 3] == "#~3";
  }

  bool tableOfContents() {
    section_ = "#~2";
    if (lines_[0] != "#~2") return fail(1, "the file must start with \"#~2\", found " + excerpt(lines_[0]));
    ++pos_;
    if (!expect("2")) return false;
    if (!labelled("TC41:", toc_.status)) return false;
    toc_.statusLine = pos_;
    if (!labelled("TC5:", toc_.firstAssembly)) return false;
    toc_.firstAssemblyLine = pos_;
    for (;;) {
      if (lines_.has(pos_) && startsWith(lines_[pos_], "LAST:") && lines_.has(pos_ + 1) && lines_[pos_ + 1] == "#~3") {
        if (!labelled("LAST:", toc_.last)) return false;
        toc_.lastLine = pos_;
        break;
      }
      if (toc_.hasTop) return fail(pos_ + 1, "expected \"LAST:\" and then \"#~3\" after the top assembly's entry");
      if (!tocEntry()) return false;
    }
    if (toc_.parts.size() > 1 && !toc_.hasTop) {
      return fail(toc_.lastLine, "the table of contents lists " + std::to_string(toc_.parts.size()) +
                                     " parts but no top assembly");
    }
    if (toc_.hasTop && toc_.parts.size() < 2) {
      return fail(toc_.lastLine, "the table of contents lists a top assembly for a single part");
    }
    if (toc_.hasTop && toc_.topLast != toc_.last) {
      return fail(toc_.lastLine, "the top assembly's last number differs from the file's last number");
    }
    return true;
  }

  // One part entry, or the top assembly's entry once a part has been read.
  bool tocEntry() {
    const std::size_t start = pos_;
    std::size_t end = start;
    bool top = false;
    for (;; ++end) {
      if (!lines_.has(end)) return fail(lines_.size() + 1, "unexpected end of file in section #~2");
      if (!toc_.parts.empty() && isTopTail(end + 1)) {
        top = true;
        break;
      }
      if (isPartTail(end + 1)) break;
    }
    const nameLinesC name{start, end + 1 - start};
    pos_ = end + 1;
    if (top) {
      toc_.hasTop = true;
      toc_.topName = name;
      return expect("1") && labelled("PLAST:", toc_.topLast);
    }
    tocPartC part;
    part.name = name;
    part.line = start + 1;
    long long count = 0;
    if (!integer(count, "line count")) return false;
    static constexpr std::string_view kRanges[] = {"TC61:", "TC62:", "TC72:"};
    std::size_t nextRange = 0;
    for (long long i = 1; i < count; ++i) {
      while (nextRange < 3 && (!lines_.has(pos_) || !startsWith(lines_[pos_], kRanges[nextRange]))) ++nextRange;
      if (nextRange == 3) return fail(pos_ + 1, "expected the part's \"TC61:\", \"TC62:\" or \"TC72:\" lines in their order");
      long long& value = nextRange == 0 ? part.firstPoint : nextRange == 1 ? part.firstElement : part.firstText;
      bool& present = nextRange == 0 ? part.hasPoints : nextRange == 1 ? part.hasElements : part.hasTexts;
      if (!labelled(kRanges[nextRange], value)) return false;
      present = true;
      ++nextRange;
    }
    if (!labelled("PLAST:", part.last)) return false;
    toc_.parts.push_back(part);
    return true;
  }

  // ---- "#~3" -------------------------------------------------------------

  bool header() {
    section_ = "#~3";
    if (!expect("#~3")) return false;
    for (const char* line : kHeader) {
      std::string_view text;
      if (!line) {
        if (!take(text)) return false;
      } else if (!expect(line)) {
        return false;
      }
    }
    return true;
  }

  // ---- "#~41" ------------------------------------------------------------

  bool statusAndLayers() {
    section_ = "#~41";
    if (!expect("#~41") || !expect("PSTAT")) return false;
    if (!recordNumber("PSTAT")) return false;
    if (toc_.status != 1) return fail(toc_.statusLine, "the table of contents gives the PSTAT record number " +
                                                           std::to_string(toc_.status) + ", but it is 1");
    if (!expect("0") || !expect("0") || !expect("|~")) return false;
    while (peekIs("ASSP")) {
      ++pos_;
      if (!recordNumber("ASSP") || !expect("1") || !layerName()) return false;
    }
    return true;
  }

  bool layerName() {
    std::string_view line;
    if (!take(line)) return false;
    if (!startsWith(line, "LAYER: ")) return failTaken("expected \"LAYER: \" and the layer name, found " + excerpt(line));
    std::string name(line.substr(7));
    for (;;) {
      if (!lines_.has(pos_)) return fail(lines_.size() + 1, "unexpected end of file in section #~41");
      if (lines_[pos_] == "|~" && lines_.has(pos_ + 1) && (lines_[pos_ + 1] == "ASSP" || lines_[pos_ + 1] == "#~5")) {
        ++pos_;
        break;
      }
      name.push_back('\n');
      name.append(lines_[pos_++]);
    }
    layers_.push_back(std::move(name));
    return true;
  }

  // ---- "#~5" -------------------------------------------------------------

  bool assemblies() {
    section_ = "#~5";
    if (!expect("#~5")) return false;
    const long long first = nextNumber_;
    if (toc_.firstAssembly != first) {
      return fail(toc_.firstAssemblyLine, "the table of contents gives the first assembly number " +
                                              std::to_string(toc_.firstAssembly) + ", but it is " + std::to_string(first));
    }
    for (const tocPartC& part : toc_.parts) {
      placedPartC position;
      if (!expect("ASSE") || !recordNumber("ASSE") || !expect("1") || !expect("1") || !expectName(part.name, "part name") ||
          !expect("1") || !real(position.x, position.error.x, "part position x") ||
          !real(position.y, position.error.y, "part position y") || !expect("0") || !expect("0") || !expect("0") ||
          !expect("|~")) {
        return false;
      }
      placed_.push_back(position);
    }
    if (toc_.parts.size() < 2) return true;
    if (!expect("ASSE") || !recordNumber("ASSE") || !expect("1") || !expect("1") ||
        !expectName(toc_.topName, "top assembly name") || !expect("1")) {
      return false;
    }
    for (int i = 0; i < 4; ++i) {
      if (!expect("0")) return false;
    }
    const auto count = static_cast<long long>(toc_.parts.size());
    if (!expectInteger(count, "the top assembly's part count")) return false;
    static constexpr const char* kPlacement[] = {"1", "0", "0", "0", "1", "0", "0", "0", "1"};
    for (long long i = 0; i < count; ++i) {
      for (int k = 0; k < 4; ++k) {
        if (!expect("0")) return false;
      }
      if (!expectInteger(first + i, "the top assembly's part reference")) return false;
      for (const char* line : kPlacement) {
        if (!expect(line)) return false;
      }
      if (!expectInteger(count - i + 1, "the top assembly's countdown")) return false;
    }
    return expect("|~");
  }

  // ---- part blocks ---------------------------------------------------------

  bool partBlock(std::size_t index) {
    const tocPartC& part = toc_.parts[index];
    section_ = "#~6";
    if (!expect("#~6")) return false;
    groupC group;
    group.sourceLine = pos_;
    group.name = joinLines(lines_, part.name.first, part.name.first + part.name.count - 1);
    scene_.groups.push_back(std::move(group));
    if (!expectName(part.name, "part name")) return false;
    section_ = "#~61";
    if (!expect("#~61")) return false;
    points_.clear();
    const long long base = nextNumber_;
    while (peekIs("P")) {
      ++pos_;
      localPointC point;
      if (!recordNumber("P") || !real(point.x, point.error.x, "point x") || !real(point.y, point.error.y, "point y") ||
          !expect("|~")) {
        return false;
      }
      points_.push_back(point);
    }
    section_ = "#~62";
    if (!expect("#~62")) return false;
    const long long firstElement = nextNumber_;
    for (;;) {
      if (peekIs("LIN")) {
        if (!lineRecord(index, base)) return false;
      } else if (peekIs("CIR")) {
        if (!circleRecord(index, base)) return false;
      } else if (peekIs("ARC")) {
        if (!arcRecord(index, base)) return false;
      } else {
        break;
      }
    }
    const long long elements = nextNumber_ - firstElement;
    section_ = "#~71";
    if (!expect("#~71")) return false;
    section_ = "#~72";
    if (!expect("#~72")) return false;
    const long long firstText = nextNumber_;
    while (peekIs("TEX")) {
      if (!textRecord(index)) return false;
    }
    const long long texts = nextNumber_ - firstText;
    if (!checkEntry(part, static_cast<long long>(points_.size()), base, elements, firstElement, texts, firstText)) {
      return false;
    }
    if (sink_) {
      sink_->groupRead(scene_, scene_.groups.size() - 1);
      scene_.elements.clear();
    }
    return true;
  }

  bool checkRange(const tocPartC& part, std::string_view label, bool listed, long long listedNumber, long long count,
                  long long first) {
    if (listed != (count > 0)) {
      return fail(part.line, "the table of contents entry of part " + excerpt(joinLines(lines_, part.name.first, part.name.first + part.name.count - 1)) +
                                 (listed ? " lists " : " lacks ") + std::string(label) + " although the part has " +
                                 (count > 0 ? "such records" : "none"));
    }
    if (listed && listedNumber != first) {
      return fail(part.line, "the table of contents gives " + std::string(label) + std::to_string(listedNumber) +
                                 ", but the part's first such record is number " + std::to_string(first));
    }
    return true;
  }

  bool checkEntry(const tocPartC& part, long long points, long long firstPoint, long long elements, long long firstElement,
                  long long texts, long long firstText) {
    if (!checkRange(part, "TC61:", part.hasPoints, part.firstPoint, points, firstPoint) ||
        !checkRange(part, "TC62:", part.hasElements, part.firstElement, elements, firstElement) ||
        !checkRange(part, "TC72:", part.hasTexts, part.firstText, texts, firstText)) {
      return false;
    }
    if (part.last != nextNumber_ - 1) {
      return fail(part.line, "the table of contents gives PLAST:" + std::to_string(part.last) +
                                 ", but the part's last number is " + std::to_string(nextNumber_ - 1));
    }
    return true;
  }

  // The six attribute lines after an element's number.
  bool attributes(attributesC& out) {
    styleC style;
    double width = 0;
    std::string_view widthLine;
    long long layer = 0;
    if (!smallInteger(style.colour, "colour") || !smallInteger(style.lineType, "line type")) return false;
    if (!take(widthLine)) return false;
    if (!parsePlainFloat(widthLine, width)) return failTaken("expected a line width, found " + excerpt(widthLine));
    if (!expect("0") || !expect("1") || !integer(layer, "layer record number")) return false;
    if (layer < 2 || layer - 2 >= static_cast<long long>(layers_.size())) {
      return failTaken("element refers to layer record " + std::to_string(layer) + ", which is not a layer");
    }
    style.layer = layers_[static_cast<std::size_t>(layer - 2)];
    style.width = width == 0 ? 0.0 : width;
    style.dashed = style.lineType != 0;
    out.style = styleIndex(style);
    return true;
  }

  // Equal styles share one entry; the lookup keeps many elements linear.
  std::size_t styleIndex(const styleC& style) {
    std::uint64_t widthBits = 0;
    std::memcpy(&widthBits, &style.width, sizeof widthBits);
    auto key = std::make_tuple(style.layer, style.colour, style.lineType, widthBits);
    const auto found = styles_.find(key);
    if (found != styles_.end()) return found->second;
    scene_.styles.push_back(style);
    styles_.emplace(std::move(key), scene_.styles.size() - 1);
    return scene_.styles.size() - 1;
  }

  bool point(long long base, std::string_view record, localPointC& out) {
    long long number = 0;
    if (!integer(number, "point number")) return false;
    if (number < base || number - base >= static_cast<long long>(points_.size())) {
      return failTaken(std::string(record) + " refers to point " + std::to_string(number) + ", which the part does not have");
    }
    out = points_[static_cast<std::size_t>(number - base)];
    return true;
  }

  elementC startElement(std::size_t part, elementKind kind, const attributesC& attributes, std::size_t line) const {
    elementC element;
    element.kind = kind;
    element.group = part;
    element.style = attributes.style;
    element.sourceLine = line;
    return element;
  }

  // The element added where it stays, once its record is read: an element
  // is large, and a file has millions.
  elementC& addElement(std::size_t part, elementKind kind, const attributesC& attributes, std::size_t line) {
    elementC& element = scene_.elements.emplace_back();
    element.kind = kind;
    element.group = part;
    element.style = attributes.style;
    element.sourceLine = line;
    return element;
  }

  pointC placed(std::size_t part, const localPointC& p) const { return {p.x + placed_[part].x, p.y + placed_[part].y}; }
  pointC placedError(std::size_t part, const localPointC& p) const { return sumError(p.error, placed_[part].error); }

  bool lineRecord(std::size_t part, long long base) {
    const std::size_t line = ++pos_;
    attributesC attrs;
    localPointC from;
    localPointC to;
    if (!recordNumber("LIN") || !attributes(attrs) || !point(base, "line", from) || !point(base, "line", to) || !expect("|~")) {
      return false;
    }
    elementC& element = addElement(part, elementKind::line, attrs, line);
    element.a = placed(part, from);
    element.b = placed(part, to);
    element.error.a = placedError(part, from);
    element.error.b = placedError(part, to);
    return true;
  }

  bool circleRecord(std::size_t part, long long base) {
    const std::size_t line = ++pos_;
    attributesC attrs;
    localPointC centre;
    localPointC rim;
    if (!recordNumber("CIR") || !attributes(attrs) || !point(base, "circle", centre) || !point(base, "circle", rim) ||
        !expect("|~")) {
      return false;
    }
    elementC& element = addElement(part, elementKind::circle, attrs, line);
    element.centre = placed(part, centre);
    element.radius = std::hypot(rim.x - centre.x, rim.y - centre.y);
    element.error.centre = placedError(part, centre);
    element.error.radius = distanceError(centre.error, rim.error);
    return true;
  }

  // Counter-clockwise from the first point to the second about the centre.
  bool arcRecord(std::size_t part, long long base) {
    const std::size_t line = ++pos_;
    attributesC attrs;
    localPointC centre;
    localPointC from;
    localPointC to;
    if (!recordNumber("ARC") || !attributes(attrs) || !point(base, "arc", centre) || !point(base, "arc", from) ||
        !point(base, "arc", to) || !expect("0") || !expect("|~")) {
      return false;
    }
    elementC& element = addElement(part, elementKind::arc, attrs, line);
    element.centre = placed(part, centre);
    element.a = placed(part, from);
    element.b = placed(part, to);
    element.radius = std::hypot(from.x - centre.x, from.y - centre.y);
    element.startAngle = radiansToDegreesMultiplyingFirst(std::atan2(from.y - centre.y, from.x - centre.x));
    element.endAngle = radiansToDegreesMultiplyingFirst(std::atan2(to.y - centre.y, to.x - centre.x));
    // Both angles lie in [-180, 180]; at most two turns make the end greater
    // (none for NaN).
    for (int turn = 0; turn < 2 && element.endAngle <= element.startAngle; ++turn) element.endAngle += 360;
    element.error.centre = placedError(part, centre);
    element.error.a = placedError(part, from);
    element.error.b = placedError(part, to);
    element.error.radius = distanceError(centre.error, from.error);
    return true;
  }

  bool textRecord(std::size_t part) {
    const std::size_t line = ++pos_;
    attributesC attrs;
    int relativePosition = 0;
    if (!recordNumber("TEX") || !attributes(attrs) || !smallInteger(relativePosition, "relative position")) return false;
    // Written column by column: M00, M10, M20, M01, M11, M21, M02, M12, M22.
    double m[9] = {};
    double p[9] = {};
    for (int i = 0; i < 9; ++i) {
      if (!real(m[i], p[i], "text placement")) return false;
    }
    double height = 0;
    double heightPrecision = 0;
    static constexpr const char* kFont[] = {"0", "0", "hp_i3098_v", "0", "0"};
    for (const char* fixed : kFont) {
      if (!expect(fixed)) return false;
    }
    if (!real(height, heightPrecision, "text height")) return false;
    const std::string_view heightLine = lines_[pos_ - 1];
    std::string_view again;
    if (!take(again)) return false;
    if (again != heightLine) return failTaken("the text's second height differs from its first: " + excerpt(again));
    long long count = 0;
    if (!expect("0") || !expect("1") || !expect("1") || !integer(count, "text line count")) return false;
    if (count < 0) return failTaken("negative text line count");
    elementC element = startElement(part, elementKind::text, attrs, line);
    std::string lines;
    for (long long i = 0; i < count; ++i) {
      std::string_view text;
      if (!take(text)) return false;
      if (i > 0) lines.push_back('\n');
      lines.append(text);
      if (!expect("0")) return false;
    }
    element.text = std::move(lines);
    if (!expect("|~")) return false;
    element.a = {m[2] + placed_[part].x, m[5] + placed_[part].y};
    element.angle = radiansToDegreesMultiplyingFirst(std::atan2(m[3], m[0]));
    element.height = height;
    element.relativePosition = static_cast<std::int8_t>(relativePosition >= 1 && relativePosition <= 9 ? relativePosition : 0);
    element.error.a = sumError({p[2], p[5]}, placed_[part].error);
    element.error.height = heightPrecision;
    element.error.angle = directionError(m[0], m[3], p[0], p[3]);
    scene_.elements.push_back(std::move(element));
    return true;
  }

  // ---- the top assembly's block ----------------------------------------------

  bool topBlock() {
    section_ = "#~6";
    return expect("#~6") && expectName(toc_.topName, "top assembly name") && expect("#~62") && expect("#~71") &&
           expect("#~72");
  }

  fileLinesC lines_;
  sceneC& scene_;
  readErrorC& error_;
  groupSinkC* sink_;
  std::size_t pos_ = 0;  // index of the next line to take
  std::string section_;
  long long nextNumber_ = 1;
  tableOfContentsC toc_;
  std::vector<std::string> layers_;       // by layer record number - 2
  std::vector<placedPartC> placed_;       // by part
  std::vector<localPointC> points_;       // of the part being read
  std::map<std::tuple<std::string, int, int, std::uint64_t>, std::size_t> styles_;
};

}  // namespace

bool readMiFile(std::string_view content, sceneC& scene, readErrorC& error) {
  return runReader<miReaderC>(content, scene, error, nullptr);
}

bool readMiFile(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink) {
  return runReader<miReaderC>(content, scene, error, sink);
}

}  // namespace lorvane::preview
