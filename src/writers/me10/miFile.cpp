#include "lorvane/writers/me10/miFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "lorvane/util/angleUnits.h"
#include "lorvane/util/textFileWriter.h"
#include "lorvane/util/textUtils.h"
#include "lorvane/writers/me10/miNumberFormat.h"

namespace lorvane {
namespace {

// A text that stays one line as it is: no line feed, no zero byte.
bool isPlainLine(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return c == '\n' || c == '\0'; });
}

// Of the numbers formatDouble writes, only a value that is not finite ends
// with a letter ("inf", "nan").
bool namesNonFiniteNumber(std::string_view text) { return !text.empty() && (text.back() == 'f' || text.back() == 'n'); }

// Writes the lines of an MI file: texts, integers and floats one per line.
// Lines are gathered with the ends the file holds and handed to the file in
// blocks, which spares the file writer a call and a search for the line's
// end for every short line; only a text can hold a line feed of its own.
class miLineWriterC {
public:
  miLineWriterC(textFileWriterC& out, const miUnrepresentableT& unrepresentable)
      : out_(out), unrepresentable_(unrepresentable) {}
  ~miLineWriterC() { flush(); }
  miLineWriterC(const miLineWriterC&) = delete;
  miLineWriterC& operator=(const miLineWriterC&) = delete;

  // Where the values written next belong, for reports of what the file
  // cannot hold.
  void figure(std::string_view name, std::size_t position) {
    figure_ = name;
    position_ = position;
  }
  void record(const char* record) { record_ = record; }

  // Texts are written as a C string would be: up to a zero byte, if any.
  void text(std::string_view line) { add(line); }
  // A name, which must stay on its one line.
  void singleLine(std::string_view line) {
    if (breaksItsLine(line)) unrepresentable(unrepresentableKind::text);
    add(line);
  }
  // A line of the writer's own, which holds neither a line feed nor a zero byte.
  void fixed(std::string_view line) {
    append(line);
    endLine();
  }
  // The same for a short literal, the most common line: its length is known
  // where it is written, and copying it takes a move or two.
  template <std::size_t N>
  void fixed(const char (&line)[N]) {
    static_assert(N <= kMiNumberBufferSize, "a longer line goes as a string_view");
    char* at = room();
    std::memcpy(at, line, N - 1);
    added(N - 1);
  }
  void integer(std::int32_t value) {
    char* at = room();
    added(formatMiInt(value, at));
  }
  void real(double value) {
    char* at = room();
    added(formatMiFloat(value, at));
    if (!std::isfinite(value)) unrepresentable(unrepresentableKind::number);
  }
  // A number the model holds as text, written by formatDouble.
  void formattedReal(std::string_view line) {
    if (namesNonFiniteNumber(line)) unrepresentable(unrepresentableKind::number);
    text(line);
  }
  // Lines that already end as the file's lines do.
  void endedLines(std::string_view lines) {
    append(lines);
    if (used_ >= kBlock) flush();
  }
  void labelled(std::string_view label, std::int32_t value) {
    append(label);
    char* at = room();
    added(formatMiInt(value, at));
  }
  void lines(std::initializer_list<std::string_view> texts) {
    for (std::string_view line : texts) fixed(line);
  }
  void flush() {
    out_.writeWithLineEnds(std::string_view(block_, used_));
    used_ = 0;
  }

private:
  // A block is handed on once it holds kBlock bytes; every line starts
  // below that, so a number always has room behind it.
  static constexpr std::size_t kBlock = 1 << 14;
  static constexpr std::size_t kCapacity = kBlock + 256;

  void unrepresentable(unrepresentableKind kind) {
    if (unrepresentable_) unrepresentable_(kind, figure_, position_, record_);
  }

  // Numbers are formatted straight behind the pending lines: room() gives
  // the space for one, added() keeps what it took and ends the line.
  char* room() {
    if (kCapacity - used_ < kMiNumberBufferSize) flush();
    return block_ + used_;
  }
  void added(std::size_t length) {
    used_ += length;
    endLine();
  }

  // A text longer than a block goes to the file on its own.
  void append(std::string_view bytes) {
    if (bytes.size() > kCapacity - used_) {
      flush();
      if (bytes.size() > kCapacity) {
        out_.writeWithLineEnds(bytes);
        return;
      }
    }
    std::memcpy(block_ + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  // Most texts are short and plain: one look at each byte settles it.
  void add(std::string_view line) {
    if (!isPlainLine(line)) {
      line = upToZeroByte(line);
      for (std::size_t lineFeed = line.find('\n'); lineFeed != std::string_view::npos; lineFeed = line.find('\n')) {
        append(line.substr(0, lineFeed));
        append(textFileWriterC::kLineEnd);
        line.remove_prefix(lineFeed + 1);
      }
    }
    fixed(line);
  }

  void endLine() {
    // Only a text near a block long leaves no room for its line end.
    if (kCapacity - used_ < textFileWriterC::kLineEnd.size()) flush();
    std::memcpy(block_ + used_, textFileWriterC::kLineEnd.data(), textFileWriterC::kLineEnd.size());
    used_ += textFileWriterC::kLineEnd.size();
    if (used_ >= kBlock) flush();
  }

  textFileWriterC& out_;
  char block_[kCapacity];
  std::size_t used_ = 0;
  const miUnrepresentableT& unrepresentable_;
  std::string_view figure_;
  std::size_t position_ = 0;
  const char* record_ = "";
};

class miFileWriterC {
public:
  miFileWriterC(ME10Model& model, textFileWriterC& out, const miFileWatchC& watch)
      : model_(model), out_(out, watch.unrepresentable), meter_(watch.meter ? *watch.meter : idleMeter_) {
    if (meter_.detailed()) {
      std::uint64_t records = 0;
      for (const auto& part : model_.parts()) {
        records += part->points().size() + part->elements().size() + part->texts().size();
      }
      meter_.beginPhase(watch.from, watch.to, records);
    }
  }

  void write(const miTimestamp& when) {
    tableOfContents();
    header(when);
    statusAndLayers();
    assemblies();
    for (const auto& part : model_.parts()) partBlock(*part);
    if (hasTopAssembly()) topBlock();
    out_.fixed("##~~");
    out_.flush();
  }

private:
  bool hasTopAssembly() const { return model_.parts().size() > 1; }

  void tableOfContents() {
    out_.lines({"#~2", "2"});
    out_.labelled("TC41:", model_.statusNumber());
    out_.labelled("TC5:", model_.firstAssemblyNumber());
    for (const auto& part : model_.parts()) {
      const bool points = !part->points().empty();
      const bool elements = !part->elements().empty();
      const bool texts = !part->texts().empty();
      out_.figure(part->name(), static_cast<std::size_t>(part->number()));
      out_.record("#~2");
      out_.singleLine(part->name());
      out_.integer(1 + (points ? 1 : 0) + (elements ? 1 : 0) + (texts ? 1 : 0));
      if (points) out_.labelled("TC61:", part->firstPointNumber());
      if (elements) out_.labelled("TC62:", part->firstElementNumber());
      if (texts) out_.labelled("TC72:", part->firstTextNumber());
      out_.labelled("PLAST:", part->lastNumber());
    }
    if (hasTopAssembly()) {
      out_.figure(model_.modelName(), 0);
      out_.singleLine(model_.modelName());
      out_.fixed("1");
      out_.labelled("PLAST:", model_.lastNumber());
    }
    out_.labelled("LAST:", model_.lastNumber());
  }

  void header(const miTimestamp& when) {
    out_.lines({"#~3", "metafile.mit", "", "", "", "", "", ""});
    out_.text(miDateLine(when));
    out_.text(miTimeLine(when));
    out_.lines({"", "HP ME10 Rev. 06.11", "2.21", "2D"});
    out_.figure(model_.modelName(), 0);
    out_.record("#~3");
    for (double extent : model_.extents()) out_.real(extent);
    out_.lines({"0", "0", "1", "XX", "1", "mm", "RAD", "1E-12", "0.0001", "32"});
    out_.lines({"0", "0", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "1", "0", "0", "0", "0", "1"});
    out_.lines({"4", "1", "0", "0", "3.5"});
  }

  void statusAndLayers() {
    out_.fixed("#~41");
    out_.fixed("PSTAT");
    out_.integer(model_.takeNumber());
    out_.lines({"0", "0", "|~"});
    for (const std::string& layer : model_.layers()) {
      out_.fixed("ASSP");
      out_.integer(model_.takeNumber());
      out_.fixed("1");
      out_.text(std::string("LAYER: ").append(layer));
      out_.fixed("|~");
    }
  }

  void assemblies() {
    out_.fixed("#~5");
    const std::int32_t first = model_.nextNumber();
    out_.record("ASSE");
    for (const auto& part : model_.parts()) {
      out_.figure(part->name(), static_cast<std::size_t>(part->number()));
      out_.fixed("ASSE");
      out_.integer(model_.takeNumber());
      out_.lines({"1", "1"});
      out_.text(part->name());
      out_.fixed("1");
      out_.real(part->position().x);
      out_.real(part->position().y);
      for (double value : part->furtherValues()) out_.real(value);
      out_.lines({"0", "|~"});
    }
    if (!hasTopAssembly()) return;
    out_.figure(model_.modelName(), 0);
    out_.fixed("ASSE");
    out_.integer(model_.takeNumber());
    out_.lines({"1", "1"});
    out_.text(model_.modelName());
    out_.fixed("1");
    for (double value : model_.assemblyPlacement()) out_.real(value);
    const auto count = static_cast<std::int32_t>(model_.parts().size());
    out_.integer(count);
    for (std::int32_t i = 0; i < count; ++i) {
      out_.lines({"0", "0", "0", "0"});
      out_.integer(addNumbers(first, i));
      out_.lines({"1", "0", "0", "0", "1", "0", "0", "0", "1"});
      out_.integer(addNumbers(count, std::int64_t{1} - i));
    }
    out_.fixed("|~");
  }

  void attributes(const ME10Attributes& attributes) {
    out_.text(attributes.colour);
    out_.integer(attributes.lineType);
    out_.formattedReal(attributes.width);
    out_.lines({"0", "1"});
    out_.integer(addNumbers(attributes.layerIndex, model_.layerBase()));
  }

  void partBlock(const ME10Part& part) {
    meter_.mark();
    out_.figure(part.name(), static_cast<std::size_t>(part.number()));
    out_.fixed("#~6");
    out_.text(part.name());
    out_.fixed("#~61");
    const std::int32_t base = model_.nextNumber();
    out_.record("P");
    for (const auto& point : part.points()) {
      meter_.step();
      out_.fixed("P");
      out_.integer(model_.takeNumber());
      out_.real(point.x);
      out_.real(point.y);
      out_.fixed("|~");
    }
    out_.fixed("#~62");
    prepareAttributeLines(part);
    for (const ME10Element& element : part.elements()) this->element(element, part, base);
    out_.lines({"#~71", "#~72"});
    for (const ME10Text& text : part.texts()) this->text(text, part);
  }

  void element(const ME10Element& element, const ME10Part& part, std::int32_t base) {
    const std::int32_t attributes = element.attributes;
    meter_.step();
    switch (element.kind()) {
      case ME10Element::kLine:
        record("LIN", part, attributes);
        out_.integer(addNumbers(base, element.first));
        out_.integer(addNumbers(base, element.second));
        break;
      case ME10Element::kCircle:
        record("CIR", part, attributes);
        out_.integer(addNumbers(base, element.centre));
        out_.integer(addNumbers(base, element.rim()));
        break;
      case ME10Element::kArc:
        record("ARC", part, attributes);
        out_.integer(addNumbers(base, element.centre));
        out_.integer(addNumbers(base, element.first));
        out_.integer(addNumbers(base, element.second));
        out_.fixed("0");
        break;
    }
    out_.fixed("|~");
  }

  void record(const char* type, const ME10Part& part, std::int32_t attributeSet) {
    out_.record(type);
    out_.fixed(type);
    out_.integer(model_.takeNumber());
    const std::string& lines = attributeLines_[static_cast<std::size_t>(attributeSet)];
    if (lines.empty()) {
      attributes(part.attributes(attributeSet));
    } else {
      out_.endedLines(lines);
    }
  }

  // The attribute lines of each of the part's sets, made once: the elements
  // of a part mostly share a few sets. A set whose lines the file cannot
  // hold as they are stays empty and is written line by line, with its
  // reports.
  void prepareAttributeLines(const ME10Part& part) {
    attributeLines_.clear();
    for (const ME10Attributes& set : part.attributeSets()) {
      std::string lines;
      if (isPlainLine(set.colour) && isPlainLine(set.width) && !namesNonFiniteNumber(set.width)) {
        char number[kMiNumberBufferSize];
        auto line = [&lines](std::string_view text) { lines.append(text).append(textFileWriterC::kLineEnd); };
        line(set.colour);
        line(std::string_view(number, formatMiInt(set.lineType, number)));
        line(set.width);
        line("0");
        line("1");
        line(std::string_view(number, formatMiInt(addNumbers(set.layerIndex, model_.layerBase()), number)));
      }
      attributeLines_.push_back(std::move(lines));
    }
  }

  void text(const ME10Text& text, const ME10Part& part) {
    meter_.step();
    record("TEX", part, text.attributes);
    out_.integer(text.relativePosition);
    // The placement is the rotation R = ((cos a, sin a, 0), (-sin a, cos a, 0),
    // (0, 0, 1)) times the translation T = ((1, 0, 0), (0, 1, 0), (x, y, 1)),
    // each entry summed from +0.0 so that its zeros are never negative, and
    // written column by column.
    const double a = degreesToRadiansMultiplyingFirst(text.angle);
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double r[3][3] = {{c, s, 0.0}, {-s, c, 0.0}, {0.0, 0.0, 1.0}};
    const double t[3][3] = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {text.x, text.y, 1.0}};
    for (int j = 0; j < 3; ++j) {
      for (int i = 0; i < 3; ++i) {
        double sum = 0.0;
        for (int k = 0; k < 3; ++k) sum = sum + r[i][k] * t[k][j];
        out_.real(sum);
      }
    }
    out_.lines({"0", "0", "hp_i3098_v", "0", "0"});
    out_.real(text.height);
    out_.real(text.height);
    out_.lines({"0", "1", "1"});
    const std::vector<std::string> lines = textLines(text.text);
    out_.integer(static_cast<std::int32_t>(lines.size()));
    for (const std::string& line : lines) {
      out_.text(line);
      out_.fixed("0");
    }
    out_.fixed("|~");
  }

  void topBlock() {
    out_.fixed("#~6");
    out_.text(model_.modelName());
    out_.lines({"#~62", "#~71", "#~72"});
  }

  ME10Model& model_;
  miLineWriterC out_;
  std::vector<std::string> attributeLines_;  // by attribute set of the part being written
  progressMeterC idleMeter_{nullptr, false};
  progressMeterC& meter_;
};

}  // namespace

outputOutcome writeMiFile(ME10Model& model, const std::string& path, const miTimestamp& when,
                         const miFileWatchC& watch) {
  model.pruneParts();
  model.numberRecords();
  model.restartNumbers();
  auto file = std::make_unique<textFileWriterC>();
  if (!file->open(path)) return outputOutcome::notCreated;
  miFileWriterC(model, *file, watch).write(when);
  return file->close() ? outputOutcome::written : outputOutcome::notWritten;
}

}  // namespace lorvane
