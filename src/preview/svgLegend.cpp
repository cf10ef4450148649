#include "svgLegend.h"

#include <algorithm>
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

double legendC::fixedHeight() const {
  return 2 * padding + (title_.empty() ? 0 : titleRow) + (scaleLength_ > 0 ? scaleRow : 0);
}

double legendC::minimumWidth() const {
  // Bold glyphs are wider than the plain estimate.
  double width = title_.empty() ? 0 : 1.2 * textWidth(title_, titleSize) + 2 * padding;
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

void legendC::appendScaleBar(std::string& out, double y) const {
  // Four cells, alternately filled, under which the ends are labelled.
  const double cell = scalePixels_ / 4;
  out += "<g id=\"scale\">\n";
  for (int k = 0; k < 4; ++k) {
    out += "<rect";
    appendFixedAttribute(out, "x", padding + cell * k);
    appendFixedAttribute(out, "y", y);
    appendFixedAttribute(out, "width", cell);
    appendFixedAttribute(out, "height", scaleBarHeight);
    out += k % 2 == 0 ? " fill=\"#000000\"" : " fill=\"#ffffff\"";
    out += " stroke=\"#000000\" stroke-width=\"0.75\"/>\n";
  }
  out += "<text";
  appendFixedAttribute(out, "x", padding);
  appendFixedAttribute(out, "y", y + scaleBarHeight + nameSize);
  appendFixedAttribute(out, "font-size", nameSize * 0.9);
  out += " fill=\"#000000\">0</text>\n<text";
  appendFixedAttribute(out, "x", padding + scalePixels_ + 6);
  appendFixedAttribute(out, "y", y + scaleBarHeight + nameSize * 0.35);
  appendFixedAttribute(out, "font-size", nameSize);
  out += " fill=\"#000000\">";
  appendFixed(out, scaleLength_);
  out += " mm</text>\n</g>\n";
}

void legendC::append(std::string& out, double left, double top) const {
  if (height_ == 0) return;
  out += "<g id=\"legend\" transform=\"translate(";
  appendFixed(out, left);
  out += ' ';
  appendFixed(out, top);
  out += ")\" font-family=\"sans-serif\">\n<rect x=\"1\" y=\"1\"";
  appendFixedAttribute(out, "width", width_ - 2);
  appendFixedAttribute(out, "height", height_ - 2);
  out += " fill=\"#f6f6f6\" stroke=\"#c0c0c0\"/>\n";
  double y = padding;
  if (!title_.empty()) {
    out += "<text";
    appendFixedAttribute(out, "x", padding);
    appendFixedAttribute(out, "y", y + titleSize);
    appendFixedAttribute(out, "font-size", titleSize);
    out += " font-weight=\"bold\" fill=\"#000000\">";
    appendEscaped(out, title_);
    out += "</text>\n";
    y += titleRow;
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    const entryC& entry = entries_[i];
    double x = padding + static_cast<double>(i / rows_) * columnWidth_;
    const double middle = y + static_cast<double>(i % rows_) * row + row / 2;
    for (std::size_t k = 0; k < entry.styles.size() && k < samplesShown; ++k) {
      const lookC look = lookOf(*entry.styles[k]);
      out += "<line";
      appendFixedAttribute(out, "x1", x);
      appendFixedAttribute(out, "y1", middle);
      appendFixedAttribute(out, "x2", x + sampleLength);
      appendFixedAttribute(out, "y2", middle);
      out += " stroke=\"";
      out += look.colour;
      out += '"';
      appendFixedAttribute(out, "stroke-width", look.pixels);
      if (!look.dash.empty()) {
        out += " stroke-dasharray=\"";
        appendDashArray(out, look.dash, 1);
        out += '"';
      }
      out += "/>\n";
      x += sampleLength + sampleGap;
    }
    out += "<text";
    appendFixedAttribute(out, "x", x);
    appendFixedAttribute(out, "y", middle + nameSize * 0.35);
    appendFixedAttribute(out, "font-size", nameSize);
    out += " fill=\"#000000\">";
    appendEscaped(out, entry.name);
    out += "</text>\n";
  }
  y += static_cast<double>(rows_) * row;
  if (scaleLength_ > 0) appendScaleBar(out, y + 8);
  out += "</g>\n";
}

}  // namespace lorvane::preview::svg
