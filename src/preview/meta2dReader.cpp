// Reads a META2D file as the META2D writer writes it, record by record.
//
// Texts (names, the table lists, text contents) are written byte for byte and
// may hold line feeds, so one record can span several physical lines. A line
// continues the text of the record before it unless it starts with a known
// record code and a blank, or is "EOF" as the very last line; only records
// that end with a text can be continued. Every text the writer produces thus
// reads back unchanged unless one of its later lines itself looks like a
// record ("100 ..." after a line feed), which this layout cannot tell apart.
//
// A figure's records come in a fixed order: 917, 920 1, 920 2, 910 (each
// optional), 914, 918 (optional), 511, 515 with 520 (optional), the items,
// then the closing records 911, 916, 921 of exactly the brackets it opened.
// Items inside both cut-out brackets take the inner one, the dash kind.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "fileLines.h"
#include "lorvane/preview/fileReaders.h"
#include "numberFields.h"
#include "lorvane/preview/valueErrors.h"
#include "lorvane/util/angleUnits.h"
#include "lorvane/writers/meta2d/meta2dRecordCodes.h"

namespace lorvane::preview {
namespace {

// Rounding of the cos/sin placement of an arc's end points, relative to the
// magnitudes involved.
constexpr double kPlacementRounding = 0x1p-50;

constexpr std::string_view kHiddenBegin = "920 1   SET CUTOUTHIDDEN";
constexpr std::string_view kDashBegin = "920 2   SET CUTOUTDASH";
constexpr std::string_view kSetBegin = "910 SET BGN";
constexpr std::string_view kSetEnd = "911 SET END";
constexpr std::string_view kFigureEnd = "916 END FIG";
constexpr std::string_view kHiddenEnd = "921 SET CUTOUTHIDDEN END";
constexpr std::string_view kDashEnd = "921 SET CUTOUTDASH END";

// The three-digit code a line starts with, or -1.
int leadingCode(std::string_view line) {
  if (line.size() < 3) return -1;
  int code = 0;
  for (std::size_t i = 0; i < 3; ++i) {
    if (line[i] < '0' || line[i] > '9') return -1;
    code = code * 10 + (line[i] - '0');
  }
  return code;
}

// Where a figure is in its fixed record order.
enum class phaseE { between, shortName, hiddenBegin, dashBegin, setBegin, named, viewNumber, itemName, tableName, items, closing };

// A record whose text may continue on the following lines; it is finished
// when the next record (or the end of the file) is reached.
enum class openTextE { none, ignored, figureName, viewName, itemName, tableLists, elementText };

struct figureC {
  phaseE phase = phaseE::between;
  bool shortName = false;
  bool hidden = false;
  bool dash = false;
  bool group = false;
  bool setClosed = false;
  bool figureClosed = false;
  bool hiddenClosed = false;
  bool dashClosed = false;
  std::size_t attributeRecords = 0;
  std::size_t groupIndex = 0;

  // The closing record still owed, or empty when the figure is complete.
  std::string_view pendingCloser() const {
    if (group && !setClosed) return kSetEnd;
    if (shortName && !figureClosed) return kFigureEnd;
    if (hidden && !hiddenClosed) return kHiddenEnd;
    if (dash && !dashClosed) return kDashEnd;
    return {};
  }
};

class meta2dReaderC {
public:
  meta2dReaderC(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink)
      : lines_(content), scene_(scene), error_(error), sink_(sink) {}

  bool read() {
    if (lines_.empty()) return fail(1, "empty file: expected record 915 on the first line");
    if (leadingCode(lines_[0]) != 915 || lines_[0].size() < 4 || lines_[0][3] != ' ') {
      return fail(1, "the file must start with record 915 and a blank, found " + excerpt(lines_[0]));
    }
    // An element takes a line at least. Room for that many is only claimed,
    // not touched, where it goes unused; a list that grew instead would hold
    // its old and its new copy at once.
    // A sink takes the elements a figure at a time.
    if (!sink_) scene_.elements.reserve(lines_.size());
    for (index_ = 0; lines_.has(index_); ++index_) {
      const std::string_view line = lines_[index_];
      if (line == "EOF" && !lines_.has(index_ + 1)) return finish();
      const int code = leadingCode(line);
      if (code >= 0 && isMeta2dRecordCode(code) && line.size() > 3 && line[3] == ' ') {
        if (!finishOpenText() || !record(code, line)) return false;
        continue;
      }
      if (open_ != openTextE::none) {
        openText_.push_back('\n');
        openText_.append(line);
        continue;
      }
      if (!notARecord(code, line)) return false;
    }
    return fail(lines_.size() + 1, "unexpected end of file: the last line must be EOF");
  }

private:
  bool fail(std::size_t line, std::string message) {
    error_.line = line;
    error_.message = std::move(message);
    return false;
  }
  bool failHere(std::string message) { return fail(index_ + 1, std::move(message)); }

  bool notARecord(int code, std::string_view line) {
    if (line == "EOF") return fail(index_ + 2, "lines follow the closing line EOF");
    if (code >= 0 && !isMeta2dRecordCode(code)) return failHere("unknown record code " + std::string(line.substr(0, 3)));
    if (code >= 0 && line.size() == 3) return failHere("record " + std::string(line) + " lacks the blank after its code");
    if (code >= 0) return failHere("record " + std::string(line.substr(0, 3)) + " lacks the blank after its code");
    return failHere("expected a record code, found " + excerpt(line) + " (only a text record can continue on the next line)");
  }

  bool finish() {
    if (!finishOpenText()) return false;
    if (expect901_) return failHere("record 900 must be followed by record 901");
    if (!checkFigureComplete("EOF")) return false;
    if (figure_.phase != phaseE::between) figureRead();
    return true;
  }

  // The figure must have opened fully and closed all it opened before `what`.
  bool checkFigureComplete(std::string_view what) {
    switch (figure_.phase) {
      case phaseE::between:
        return true;
      case phaseE::shortName: case phaseE::hiddenBegin: case phaseE::dashBegin: case phaseE::setBegin:
        return failHere("expected record 914 before " + std::string(what));
      case phaseE::named: case phaseE::viewNumber:
        return failHere("expected record 511 before " + std::string(what));
      case phaseE::tableName:
        return failHere("expected record 520 before " + std::string(what));
      default:
        break;
    }
    const std::string_view closer = figure_.pendingCloser();
    if (!closer.empty()) {
      return failHere("figure " + excerpt(scene_.groups[figure_.groupIndex].name) + " is not closed: expected \"" +
                      std::string(closer) + "\" before " + std::string(what));
    }
    return true;
  }

  // The figure is complete: its elements go to the sink.
  void figureRead() {
    if (!sink_) return;
    sink_->groupRead(scene_, figure_.groupIndex);
    scene_.elements.clear();
  }

  void openText(openTextE kind, std::string_view first) {
    open_ = kind;
    openLine_ = index_ + 1;
    openText_.assign(first);
  }

  bool finishOpenText() {
    const openTextE kind = open_;
    open_ = openTextE::none;
    switch (kind) {
      case openTextE::none: case openTextE::ignored:
        return true;
      case openTextE::figureName:
        scene_.groups[figure_.groupIndex].name = openText_;
        return true;
      case openTextE::viewName:
        if (openText_ != scene_.groups[figure_.groupIndex].name) {
          return fail(openLine_, "record 918 names " + excerpt(openText_) + ", not the figure of its record 914");
        }
        return true;
      case openTextE::itemName:
        if (openText_ != scene_.groups[figure_.groupIndex].name) {
          return fail(openLine_, "record 511 names " + excerpt(openText_) + ", not the figure of its record 914");
        }
        return true;
      case openTextE::tableLists:
        return checkTableLists();
      case openTextE::elementText:
        scene_.elements.back().text = openText_;
        return true;
    }
    return true;
  }

  // "520 " is followed by the length of the first list plus 2 ("%03d"), the
  // first list, three blanks and the second list. A list is empty or starts
  // with a double quote, so the digits end where the list begins.
  bool checkTableLists() {
    std::size_t digits = 0;
    unsigned long long length = 0;
    while (digits < openText_.size() && openText_[digits] >= '0' && openText_[digits] <= '9') {
      if (digits == 18) return fail(openLine_, "record 520: the length of the first list is too large");
      length = length * 10 + static_cast<unsigned>(openText_[digits] - '0');
      ++digits;
    }
    if (digits < 3 || (digits > 3 && openText_[0] == '0') || length < 2) {
      return fail(openLine_, "record 520 must start with the length of its first list (three digits at least)");
    }
    const unsigned long long separatorAt = digits + length - 2;
    if (separatorAt + 3 > openText_.size() || std::string_view(openText_).substr(separatorAt, 3) != "   ") {
      return fail(openLine_, "record 520: its first list is not followed by three blanks where its length says");
    }
    return true;
  }

  bool record(int code, std::string_view line) {
    if (expect901_ && code != 901) return failHere("record 900 must be followed by record 901");
    if (figure_.phase == phaseE::tableName && code != 520) return failHere("record 515 must be followed by record 520");
    switch (code) {
      case 915:
        if (index_ != 0) return failHere("record 915 may only stand on the first line");
        openText(openTextE::ignored, line.substr(4));
        return true;
      case 917:
        if (!beginFigure(phaseE::shortName, "917")) return false;
        figure_.shortName = true;
        openText(openTextE::ignored, line.substr(4));
        return true;
      case 920:
        if (line == kHiddenBegin) {
          if (!beginFigure(phaseE::hiddenBegin, "920")) return false;
          figure_.hidden = true;
          return true;
        }
        if (line == kDashBegin) {
          if (!beginFigure(phaseE::dashBegin, "920")) return false;
          figure_.dash = true;
          return true;
        }
        return failHere("record 920 must read \"920 1   SET CUTOUTHIDDEN\" or \"920 2   SET CUTOUTDASH\"");
      case 910:
        if (line != kSetBegin) return failHere("record 910 must read \"910 SET BGN\"");
        if (!beginFigure(phaseE::setBegin, "910")) return false;
        figure_.group = true;
        return true;
      case 914:
        return figureName(line);
      case 918:
        return viewNumber(line);
      case 511:
        if (figure_.phase != phaseE::named && figure_.phase != phaseE::viewNumber) {
          return failHere("record 511 must follow the figure's record 914 or 918");
        }
        figure_.phase = phaseE::itemName;
        openText(openTextE::itemName, line.substr(4));
        return true;
      case 515:
        if (figure_.phase != phaseE::itemName) return failHere("record 515 must directly follow the figure's record 511");
        figure_.phase = phaseE::tableName;
        openText(openTextE::ignored, line.substr(4));
        return true;
      case 520:
        if (figure_.phase != phaseE::tableName) return failHere("record 520 must directly follow record 515");
        figure_.phase = phaseE::items;
        openText(openTextE::tableLists, line.substr(4));
        return true;
      case 900: case 901:
        return attribute(code, line);
      case 100: case 200: case 250: case 500:
        return item(code, line);
      case 911: case 916: case 921:
        return closer(line);
      default:
        return failHere("unknown record code " + std::to_string(code));
    }
  }

  // A record that opens a figure: the start of a new figure after a complete
  // one, or the next opening record of the current figure.
  bool beginFigure(phaseE rank, std::string_view code) {
    if (figure_.phase >= phaseE::itemName) {
      if (!checkFigureComplete("record " + std::string(code))) return false;
      figureRead();
      figure_ = figureC();
    } else if (figure_.phase != phaseE::between && figure_.phase >= rank) {
      return failHere("record " + std::string(code) + " out of order among the figure's opening records");
    }
    figure_.phase = rank;
    return true;
  }

  bool figureName(std::string_view line) {
    if (!beginFigure(phaseE::named, "914")) return false;
    figure_.groupIndex = scene_.groups.size();
    shapeType_ = -1;
    shapeWidth_ = -1;
    groupC group;
    group.sourceLine = index_ + 1;
    scene_.groups.push_back(std::move(group));
    openText(openTextE::figureName, line.substr(4));
    return true;
  }

  // "918 " view number "_" figure name.
  bool viewNumber(std::string_view line) {
    if (figure_.phase != phaseE::named) return failHere("record 918 must directly follow the figure's record 914");
    figure_.phase = phaseE::viewNumber;
    std::string_view rest = line.substr(4);
    const std::size_t mark = rest.find('_');
    long long number = 0;
    if (mark == std::string_view::npos || !parseDecimalInteger(rest.substr(0, mark), number) || number < INT32_MIN ||
        number > INT32_MAX) {
      return failHere("record 918 must start with a view number and \"_\"");
    }
    openText(openTextE::viewName, rest.substr(mark + 1));
    return true;
  }

  bool inItems(std::string_view code) {
    if (figure_.phase == phaseE::itemName || figure_.phase == phaseE::items) {
      figure_.phase = phaseE::items;
      return true;
    }
    if (figure_.phase == phaseE::closing) return failHere("record " + std::string(code) + " after the figure's closing records");
    return failHere("record " + std::string(code) + " outside a figure's items (expected after records 914 and 511)");
  }

  // "900 " or "901 " and an integer left-aligned in three characters.
  bool attribute(int code, std::string_view line) {
    if (code == 901 && !expect901_) return failHere("record 901 must directly follow record 900");
    if (code == 900 && !inItems("900")) return false;
    const std::string_view field = line.substr(4);
    const std::size_t blank = field.find(' ');
    const std::string_view digits = field.substr(0, blank);
    long long value = 0;
    const bool padded = blank == std::string_view::npos
                            ? digits.size() >= 3
                            : digits.size() < 3 && field.find_first_not_of(' ', blank) == std::string_view::npos &&
                                  field.size() == 3;
    if (!parseDecimalInteger(digits, value) || value < INT32_MIN || value > INT32_MAX || !padded) {
      return failHere("record " + std::to_string(code) + ": expected an integer left-aligned in three characters, found " +
                      excerpt(field));
    }
    expect901_ = code == 900;
    if (code == 900) {
      ++figure_.attributeRecords;
      shapeType_ = static_cast<int>(value);
    } else {
      shapeWidth_ = static_cast<int>(value);
    }
    return true;
  }

  bool closer(std::string_view line) {
    if (figure_.phase != phaseE::itemName && figure_.phase != phaseE::items && figure_.phase != phaseE::closing) {
      return failHere("closing record " + excerpt(line) + " before the figure's items");
    }
    const std::string_view expected = figure_.pendingCloser();
    if (line != expected) {
      if (expected.empty()) return failHere("closing record " + excerpt(line) + " closes nothing the figure opened");
      return failHere("expected \"" + std::string(expected) + "\", found " + excerpt(line));
    }
    if (expected == kSetEnd) figure_.setClosed = true;
    else if (expected == kFigureEnd) figure_.figureClosed = true;
    else if (expected == kHiddenEnd) figure_.hiddenClosed = true;
    else figure_.dashClosed = true;
    figure_.phase = phaseE::closing;
    return true;
  }

  // Reads `count` numbers, each followed by a blank, from position 4 on;
  // `end` is where the rest of the line begins.
  bool numbers(int code, std::string_view line, std::size_t count, double* values, double* precisions, std::size_t& end) {
    std::size_t at = 4;
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t blank = line.find(' ', at);
      const auto codeText = [code] { return "record " + std::to_string(code); };
      if (blank == std::string_view::npos) {
        if (at >= line.size()) return failHere(codeText() + " ends before its number " + std::to_string(i + 1));
        return failHere(codeText() + ": number " + std::to_string(i + 1) + " is not followed by a blank");
      }
      const std::string_view field = line.substr(at, blank - at);
      switch (parseMeta2dNumber(field, values[i], precisions[i])) {
        case meta2dNumberResult::ok:
          break;
        case meta2dNumberResult::tooLarge:
          return failHere(codeText() + ": number too large for the record (its integer digits were cut): " + excerpt(field));
        case meta2dNumberResult::malformed:
          return failHere(codeText() + ": expected a number, found " + excerpt(field));
      }
      at = blank + 1;
    }
    end = at;
    return true;
  }

  std::size_t styleFor() {
    styleC style;
    if (figure_.dash) style.layer = "cut-out dash";
    else if (figure_.hidden) style.layer = "cut-out hidden";
    else style.layer = "visible";
    style.dashed = figure_.dash || figure_.hidden;
    style.family = styleFamily::meta2d;
    style.shapeType = shapeType_;
    style.shapeWidth = shapeWidth_;
    if (style == lastStyle_) return lastStyleIndex_;
    lastStyle_ = style;
    lastStyleIndex_ = scene_.styleIndex(style);
    return lastStyleIndex_;
  }

  bool item(int code, std::string_view line) {
    if (!inItems(std::to_string(code))) return false;
    double v[5] = {};
    double p[5] = {};
    std::size_t end = 0;
    const std::size_t count = code == 100 || code == 500 ? 4 : code == 250 ? 5 : 3;
    if (!numbers(code, line, count, v, p, end)) return false;
    if (code != 500 && end != line.size()) {
      return failHere("record " + std::to_string(code) + " has more after its last number: " + excerpt(line.substr(end)));
    }
    // Made where it stays: an element is large, and a file has millions.
    elementC& element = scene_.elements.emplace_back();
    element.group = figure_.groupIndex;
    element.style = styleFor();
    element.sourceLine = index_ + 1;
    element.attributeRecords =
        static_cast<std::uint32_t>(std::min<std::size_t>(figure_.attributeRecords, UINT32_MAX));
    if (code == 100) {
      element.kind = elementKind::line;
      element.a = {v[0], v[1]};
      element.b = {v[2], v[3]};
      element.error.a = {p[0], p[1]};
      element.error.b = {p[2], p[3]};
    } else if (code == 200) {
      element.kind = elementKind::circle;
      element.centre = {v[0], v[1]};
      element.radius = v[2];
      element.error.centre = {p[0], p[1]};
      element.error.radius = p[2];
    } else if (code == 250) {
      arc(element, v, p);
    } else {
      element.kind = elementKind::text;
      element.a = {v[0], v[1]};
      element.height = v[2];
      element.angle = v[3];
      element.error.a = {p[0], p[1]};
      element.error.height = p[2];
      element.error.angle = p[3];
    }
    if (code == 500) openText(openTextE::elementText, line.substr(end));
    return true;
  }

  // The end points lie on the circle at the two angles; their error is
  // carried over from the centre's, the radius's and the angle's.
  static void arc(elementC& element, const double* v, const double* p) {
    element.kind = elementKind::arc;
    element.centre = {v[0], v[1]};
    element.radius = v[2];
    element.startAngle = v[3];
    element.endAngle = v[4];
    // The writer always gives an end above the start; an edited file may
    // not, and is read as the writer would have written it.
    if (element.endAngle <= element.startAngle) {
      // Whole turns at once: the start may lie any number of turns above.
      element.endAngle += 360 * std::floor((element.startAngle - element.endAngle) / 360 + 1);
      if (element.endAngle <= element.startAngle) element.endAngle += 360;  // rounding of the step
    }
    const double from = degreesToRadiansMultiplyingFirst(v[3]);
    const double to = degreesToRadiansMultiplyingFirst(v[4]);
    element.a = {v[0] + v[2] * std::cos(from), v[1] + v[2] * std::sin(from)};
    element.b = {v[0] + v[2] * std::cos(to), v[1] + v[2] * std::sin(to)};
    const double magnitude = std::fmax(std::fabs(v[0]), std::fabs(v[1])) + std::fabs(v[2]);
    const pointC rounding{kPlacementRounding * magnitude, kPlacementRounding * magnitude};
    element.error.centre = {p[0], p[1]};
    element.error.radius = p[2];
    element.error.a = sumError(pointOnCircleError(element.error.centre, v[2], p[2], degreesToRadiansMultiplyingFirst(p[3])), rounding);
    element.error.b = sumError(pointOnCircleError(element.error.centre, v[2], p[2], degreesToRadiansMultiplyingFirst(p[4])), rounding);
  }

  fileLinesC lines_;
  sceneC& scene_;
  readErrorC& error_;
  groupSinkC* sink_;
  std::size_t index_ = 0;
  figureC figure_;
  bool expect901_ = false;
  // The line kind in force: records 900 and 901 hold for the rest of their
  // figure.
  int shapeType_ = -1;
  int shapeWidth_ = -1;
  styleC lastStyle_;
  std::size_t lastStyleIndex_ = static_cast<std::size_t>(-1);
  openTextE open_ = openTextE::none;
  std::size_t openLine_ = 0;
  std::string openText_;
};

}  // namespace

bool readMeta2dFile(std::string_view content, sceneC& scene, readErrorC& error) {
  return runReader<meta2dReaderC>(content, scene, error, nullptr);
}

bool readMeta2dFile(std::string_view content, sceneC& scene, readErrorC& error, groupSinkC* sink) {
  return runReader<meta2dReaderC>(content, scene, error, sink);
}

}  // namespace lorvane::preview
