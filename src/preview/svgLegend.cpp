#include "svgLegend.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "svgFormat.h"
#include "lorvane/preview/svgStyles.h"

namespace lorvane::preview::svg {

namespace {

constexpr double padding = 8;
constexpr double titleRow = 22;
constexpr double titleSize = 14;
constexpr double row = 20;
constexpr double nameSize = 12;
constexpr double sampleLength = 28;
constexpr double sampleGap = 6;
constexpr std::size_t samplesShown = 4;  // of one layer; more would crowd the row
constexpr double scaleRow = 30;
constexpr double scaleBarHeight = 5;
constexpr double scaleTargetPixels = 120;
constexpr double narrowestBlock = 160;
constexpr std::string_view black = "#000000";
constexpr std::string_view white = "#ffffff";

double samplesWidth(std::size_t styles) {
  const double shown = static_cast<double>(std::min(styles, samplesShown));
  return shown * (sampleLength + sampleGap);
}

double textWidth(const std::string& text, double size) {
  return 0.6 * size * static_cast<double>(characterCount(text));
}

// The longest of 1, 2 and 5 times a power of ten that fits into the target
// length; powers by repeated multiplication, the same on every platform.
double scaleLengthFor(double target) {
  if (!(target > 0) || !std::isfinite(target) || target > 1e300 || target < 1e-300) return 0;
  double power = 1;
  while (power > target) power /= 10;
  while (power * 10 <= target) power *= 10;
  if (5 * power <= target) return 5 * power;
  if (2 * power <= target) return 2 * power;
  return power;
}

}  // namespace

legendC::legendC(const std::vector<styleC>& styles, const std::vector<bool>& used, const std::string& title,
                 double unitsPerPixel)
    : title_(cleanText(title)) {
  // MI styles come together under their layer's name; a style without a
  // layer name and every META2D line kind is an entry of its own.
  std::map<std::string, std::size_t> layerIndex;
  for (std::size_t i = 0; i < styles.size(); ++i) {
    if (i >= used.size() || !used[i]) continue;
    const styleC& style = styles[i];
    const std::string layer = style.family == styleFamily::mi ? cleanText(style.layer) : std::string();
    if (layer.empty()) {
      entries_.push_back({cleanText(styleName(style)), {&style}});
      continue;
    }
    const auto [entry, added] = layerIndex.try_emplace(layer, entries_.size());
    if (added) entries_.push_back({layer, {}});
    entries_[entry->second].styles.push_back(&style);
  }
  for (const entryC& entry : entries_) {
    columnWidth_ = std::max(columnWidth_, samplesWidth(entry.styles.size()) + textWidth(entry.name, nameSize) +
                                              2 * padding);
  }
  scaleLength_ = scaleLengthFor(scaleTargetPixels * unitsPerPixel);
  if (scaleLength_ > 0) scalePixels_ = scaleLength_ / unitsPerPixel;
}

void legendC::setNote(const std::string& note) { note_ = cleanText(note); }

double legendC::fixedHeight() const {
  return 2 * padding + (title_.empty() ? 0 : titleRow) + (note_.empty() ? 0 : row) +
         (scaleLength_ > 0 ? scaleRow : 0);
}

double legendC::minimumWidth() const {
  // Bold glyphs are wider than the plain estimate.
  double width = title_.empty() ? 0 : 1.2 * textWidth(title_, titleSize) + 2 * padding;
  width = std::max(width, textWidth(note_, nameSize) + 2 * padding);
  if (scaleLength_ > 0) width = std::max(width, scalePixels_ + 100 + 2 * padding);
  return std::max(width, narrowestBlock);
}

void legendC::layOutBelow(double width) {
  if (empty()) return;
  width_ = width;
  const double usable = std::max(width_ - 2 * padding, 1.0);
  columns_ = columnWidth_ > 0 ? std::max<std::size_t>(1, static_cast<std::size_t>(usable / columnWidth_)) : 1;
  rows_ = (entries_.size() + columns_ - 1) / columns_;
  height_ = fixedHeight() + static_cast<double>(rows_) * row;
}

void legendC::layOutBeside(double height) {
  if (empty()) return;
  const std::size_t fit = static_cast<std::size_t>(std::max(1.0, (height - fixedHeight()) / row));
  columns_ = std::max<std::size_t>(1, (entries_.size() + fit - 1) / fit);
  rows_ = (entries_.size() + columns_ - 1) / columns_;
  width_ = std::ceil(std::max(minimumWidth(), 2 * padding + static_cast<double>(columns_) * columnWidth_));
  height_ = fixedHeight() + static_cast<double>(rows_) * row;
}

namespace {

legendMarkC textMark(double x, double y, double size, std::string text) {
  legendMarkC mark;
  mark.x = x;
  mark.y = y;
  mark.fill = black;
  mark.fontSize = size;
  mark.text = std::move(text);
  return mark;
}

}  // namespace

void legendC::addScaleBar(std::vector<legendMarkC>& marks, double y) const {
  // Four cells, alternately filled, under which the ends are labelled.
  const double cell = scalePixels_ / 4;
  for (int k = 0; k < 4; ++k) {
    legendMarkC box;
    box.what = legendMarkC::kind::box;
    box.x = padding + cell * k;
    box.y = y;
    box.x2 = cell;
    box.y2 = scaleBarHeight;
    box.fill = k % 2 == 0 ? black : white;
    box.stroke = black;
    box.strokePixels = 0.75;
    marks.push_back(box);
  }
  marks.push_back(textMark(padding, y + scaleBarHeight + nameSize, nameSize * 0.9, "0"));
  std::string length;
  appendFixed(length, scaleLength_);
  marks.push_back(textMark(padding + scalePixels_ + 6, y + scaleBarHeight + nameSize * 0.35, nameSize, length + " mm"));
  for (std::size_t k = marks.size() - 6; k < marks.size(); ++k) marks[k].scaleBar = true;
}

std::vector<legendMarkC> legendC::marks() const {
  std::vector<legendMarkC> marks;
  if (height_ == 0) return marks;
  legendMarkC frame;
  frame.what = legendMarkC::kind::box;
  frame.x = 1;
  frame.y = 1;
  frame.x2 = width_ - 2;
  frame.y2 = height_ - 2;
  frame.fill = "#f6f6f6";
  frame.stroke = "#c0c0c0";
  marks.push_back(frame);
  double y = padding;
  if (!title_.empty()) {
    marks.push_back(textMark(padding, y + titleSize, titleSize, title_));
    marks.back().bold = true;
    y += titleRow;
  }
  if (!note_.empty()) {
    marks.push_back(textMark(padding, y + row / 2 + nameSize * 0.35, nameSize, note_));
    y += row;
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const entryC& entry = entries_[i];
    double x = padding + static_cast<double>(i / rows_) * columnWidth_;
    const double middle = y + static_cast<double>(i % rows_) * row + row / 2;
    for (std::size_t k = 0; k < entry.styles.size() && k < samplesShown; ++k) {
      const lookC look = lookOf(*entry.styles[k]);
      legendMarkC sample;
      sample.what = legendMarkC::kind::line;
      sample.x = x;
      sample.y = middle;
      sample.x2 = x + sampleLength;
      sample.y2 = middle;
      sample.stroke = look.colour;
      sample.strokePixels = look.pixels;
      sample.dash = look.dash;
      marks.push_back(sample);
      x += sampleLength + sampleGap;
    }
    marks.push_back(textMark(x, middle + nameSize * 0.35, nameSize, entry.name));
  }
  y += static_cast<double>(rows_) * row;
  if (scaleLength_ > 0) addScaleBar(marks, y + 8);
  return marks;
}

namespace {

void appendColour(std::string& out, const char* name, std::string_view colour) {
  out += ' ';
  out += name;
  out += "=\"";
  out += colour.empty() ? std::string_view("none") : colour;
  out += '"';
}

// A box's corner and size, or a line's two ends, under the element's names.
void appendPlace(std::string& out, const std::array<const char*, 4>& names, const legendMarkC& mark) {
  const double values[] = {mark.x, mark.y, mark.x2, mark.y2};
  for (std::size_t k = 0; k < names.size(); ++k) appendFixedAttribute(out, names[k], values[k]);
}

void appendMark(std::string& out, const legendMarkC& mark) {
  switch (mark.what) {
    case legendMarkC::kind::box:
      out += "<rect";
      appendPlace(out, {"x", "y", "width", "height"}, mark);
      appendColour(out, "fill", mark.fill);
      appendColour(out, "stroke", mark.stroke);
      if (mark.strokePixels != 1) appendFixedAttribute(out, "stroke-width", mark.strokePixels);
      out += "/>\n";
      return;
    case legendMarkC::kind::line:
      out += "<line";
      appendPlace(out, {"x1", "y1", "x2", "y2"}, mark);
      appendColour(out, "stroke", mark.stroke);
      appendFixedAttribute(out, "stroke-width", mark.strokePixels);
      if (!mark.dash.empty()) {
        out += " stroke-dasharray=\"";
        appendDashArray(out, mark.dash, 1);
        out += '"';
      }
      out += "/>\n";
      return;
    case legendMarkC::kind::text:
      out += "<text";
      appendFixedAttribute(out, "x", mark.x);
      appendFixedAttribute(out, "y", mark.y);
      appendFixedAttribute(out, "font-size", mark.fontSize);
      if (mark.bold) out += " font-weight=\"bold\"";
      appendColour(out, "fill", mark.fill);
      out += '>';
      appendEscaped(out, mark.text);
      out += "</text>\n";
      return;
  }
}

}  // namespace

void appendLegend(std::string& out, const std::vector<legendMarkC>& marks, double left, double top) {
  if (marks.empty()) return;
  out += "<g id=\"legend\" transform=\"translate(";
  appendFixed(out, left);
  out += ' ';
  appendFixed(out, top);
  out += ")\" font-family=\"sans-serif\">\n";
  bool inScale = false;
  for (const legendMarkC& mark : marks) {
    if (mark.scaleBar != inScale) out += mark.scaleBar ? "<g id=\"scale\">\n" : "</g>\n";
    inScale = mark.scaleBar;
    appendMark(out, mark);
  }
  if (inScale) out += "</g>\n";
  out += "</g>\n";
}

}  // namespace lorvane::preview::svg
