#include "preview/svgLegend.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "preview/svgFormat.h"
#include "preview/svgStyles.h"

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
constexpr double characterWidth = 0.6 * nameSize;

double samplesWidth(std::size_t styles) {
  const double shown = static_cast<double>(std::min(styles, samplesShown));
  return shown * (sampleLength + sampleGap);
}

}  // namespace

legendC::legendC(const std::vector<styleC>& styles, const std::string& title, double width)
    : title_(cleanText(title)), width_(width) {
  std::map<std::string, std::size_t> layerIndex;
  for (const styleC& style : styles) {
    std::string name = cleanText(style.layer);
    if (name.empty()) name = "(no name)";
    const auto [entry, added] = layerIndex.try_emplace(name, layers_.size());
    if (added) layers_.push_back({std::move(name), {}});
    layers_[entry->second].styles.push_back(&style);
  }
  if (layers_.empty() && title_.empty()) return;
  for (const layerC& layer : layers_) {
    const double entry = samplesWidth(layer.styles.size()) +
                         characterWidth * static_cast<double>(characterCount(layer.name)) + 2 * padding;
    columnWidth_ = std::max(columnWidth_, entry);
  }
  const double usable = std::max(width_ - 2 * padding, 1.0);
  if (columnWidth_ > 0) {
    columns_ = std::max<std::size_t>(1, static_cast<std::size_t>(usable / columnWidth_));
  }
  rows_ = (layers_.size() + columns_ - 1) / columns_;
  height_ = 2 * padding + (title_.empty() ? 0 : titleRow) + static_cast<double>(rows_) * row;
}

void legendC::append(std::string& out, double top) const {
  if (height_ == 0) return;
  out += "<g id=\"legend\" transform=\"translate(0 ";
  appendFixed(out, top);
  out += ")\">\n<rect x=\"1\" y=\"1\"";
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
  for (std::size_t i = 0; i < layers_.size(); ++i) {
    const layerC& layer = layers_[i];
    double x = padding + static_cast<double>(i / rows_) * columnWidth_;
    const double middle = y + static_cast<double>(i % rows_) * row + row / 2;
    for (std::size_t k = 0; k < layer.styles.size() && k < samplesShown; ++k) {
      const styleC& style = *layer.styles[k];
      out += "<line";
      appendFixedAttribute(out, "x1", x);
      appendFixedAttribute(out, "y1", middle);
      appendFixedAttribute(out, "x2", x + sampleLength);
      appendFixedAttribute(out, "y2", middle);
      out += " stroke=\"";
      out += colourOf(style.colour);
      out += '"';
      appendFixedAttribute(out, "stroke-width", strokePixels(style));
      const std::span<const double> pattern = dashPixels(style);
      if (!pattern.empty()) {
        out += " stroke-dasharray=\"";
        for (std::size_t d = 0; d < pattern.size(); ++d) {
          if (d > 0) out += ',';
          appendFixed(out, pattern[d]);
        }
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
    appendEscaped(out, layer.name);
    out += "</text>\n";
  }
  out += "</g>\n";
}

}  // namespace lorvane::preview::svg
