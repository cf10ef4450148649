#include "randomDrawing.h"

#include <charconv>
#include <cmath>
#include <random>

#include "lorvane/util/angleUnits.h"

namespace lorvane::drawings {
namespace {

// The engine's raw output is fixed by the standard; the library's
// distributions are not, so numbers are drawn from it directly.
class drawC {
public:
  explicit drawC(std::uint64_t seed) : engine_(seed) {}
  double unit() { return static_cast<double>(engine_() >> 11) * 0x1p-53; }
  double between(double low, double high) { return low + (high - low) * unit(); }
  // Spread over every scale from low to high alike.
  double logBetween(double low, double high) { return low * std::pow(high / low, unit()); }
  std::uint64_t below(std::uint64_t n) { return engine_() % n; }

private:
  std::mt19937_64 engine_;
};

class textC {
public:
  void number(double v) {
    char buffer[32];
    out_.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
  }
  void point(double x, double y) {
    out_ += "POINT{";
    number(x);
    out_ += ",";
    number(y);
    out_ += "} ";
  }
  void attribute(const char* key, double v) {
    out_ += key;
    out_ += "{";
    number(v);
    out_ += "} ";
  }
  textC& operator<<(const std::string& text) {
    out_ += text;
    return *this;
  }
  std::string take() { return std::move(out_); }

private:
  std::string out_;
};

void arc(textC& out, drawC& draw, double extent) {
  const double cx = draw.between(-extent, extent), cy = draw.between(-extent, extent);
  const double r = draw.logBetween(0.01, extent);
  const double from = draw.between(0, 2 * kPi), sweep = draw.between(0.02, 2 * kPi - 0.02);
  // Either sense: the middle point decides which way the arc runs.
  const double s = draw.below(2) ? 1.0 : -1.0;
  out << "ARC{";
  for (double t : {0.0, draw.between(0.1, 0.9), 1.0}) {
    const double at = from + s * t * sweep;
    out.point(cx + r * std::cos(at), cy + r * std::sin(at));
  }
  out << "}\n";
}

void item(textC& out, drawC& draw, double extent, std::size_t n) {
  const std::uint64_t kind = draw.below(100);
  const double x = draw.between(-extent, extent), y = draw.between(-extent, extent);
  if (kind < 4) {
    out << "SHAPEATTR{";
    out.attribute("SHAPEWIDTH", static_cast<double>(draw.below(3)));
    out.attribute("SHAPETYP", static_cast<double>(1 + draw.below(3)));
    out.attribute("METALINETYPE", static_cast<double>(draw.below(7)));
    out.attribute("COSMETIC", static_cast<double>(draw.below(2)));
    out << "}\n";
  } else if (kind < 40) {
    out << "LINE{";
    out.point(x, y);
    out.point(draw.between(-extent, extent), draw.between(-extent, extent));
    out << "}\n";
  } else if (kind < 65) {
    arc(out, draw, extent);
  } else if (kind < 80) {
    out << "CIRCLE{";
    out.point(x, y);
    out.attribute("RAD", draw.logBetween(0.01, extent));
    out << "}\n";
  } else if (kind < 95) {
    out << "TEXT{";
    out.point(x, y);
    out << "TEXT{\"T" + std::to_string(n) + "\"} ";
    out.attribute("HEIGHT", draw.between(0.5, 10));
    out.attribute("ANGLE", draw.between(0, 360));
    out.attribute("TEXTRELPOS", static_cast<double>(1 + draw.below(9)));
    out << "}\n";
  } else {
    const bool partial = draw.below(2) == 1;
    out << (partial ? "ELLIPSEARC{" : "ELLIPSE{");
    out.point(x, y);
    out.attribute("RAD1", draw.logBetween(0.1, extent / 10));
    out.attribute("RAD2", draw.logBetween(0.1, extent / 10));
    out.attribute("ANGLE", draw.between(0, 360));
    if (partial) {
      out.attribute("ANGLE1", draw.between(0, 360));
      out.attribute("ANGLE2", draw.between(0, 360));
    }
    out << "}\n";
  }
}

}  // namespace

std::string randomDrawingText(const randomDrawingOptionsC& options) {
  drawC draw(options.seed);
  textC out;
  out << "DRAWING{NAME{\"Random " + std::to_string(options.seed) + "\"}\nDRAWINGITEMS{\n";
  std::size_t n = 0;
  for (std::size_t f = 0; f < options.figures; ++f) {
    out << "FIGURE{NAME{\"Figure " + std::to_string(f + 1) + "\"} INSERTPOINT{";
    out.point(draw.between(-options.extent, options.extent), draw.between(-options.extent, options.extent));
    out.attribute("ROTATION", draw.between(0, 360));
    out << "}\nFIGURITEMS{\n";
    for (std::size_t i = 0; i < options.itemsPerFigure; ++i) item(out, draw, options.extent, ++n);
    out << "}}\n";
  }
  out << "}}\n";
  return out.take();
}

}  // namespace lorvane::drawings
