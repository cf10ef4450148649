// Compares the files two builds of the tool wrote from the same inputs,
// line by line and byte by byte, with two allowances:
// - the date and time lines of an MI file's header (lines 9 and 10 of the
//   "#~3" section) are skipped;
// - a number may differ in its last digits, as the platforms' math libraries
//   round sin, cos and acos differently: such a line is counted and
//   reported, and passes.
// Any other difference fails. The lines are cut at line feeds only, so that a
// carriage return that one build writes and the other does not is a
// difference like any other. Files whose extension is given with --exact
// (as "mi") must be equal byte for byte but for the MI date and time.
//
//   compareOutputs [--exact EXTENSION]... REFERENCE_DIR OTHER_DIR FILE...
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/util/fileContents.h"

namespace {

// Two numbers "differ in their last digits" when they differ by at most this
// much relative to the larger magnitude (relative to 1 below magnitude 1).
// A sine or cosine one unit in the last place apart gives differences about
// 1e-16; carried through the placement and the line and arc fitting (an acos
// near 1 magnifies them most) the bundled and generated drawings show up to
// about 3e-10. A mistake in the arithmetic itself gives differences far
// beyond this bound.
constexpr double kTolerance = 1e-7;

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t from = 0;
  while (from < text.size()) {
    const std::size_t lf = text.find('\n', from);
    const std::size_t to = lf == std::string_view::npos ? text.size() : lf + 1;
    lines.push_back(text.substr(from, to - from));
    from = to;
  }
  return lines;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isWordChar(char c) { return isDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; }

// A decimal number starting at text[at]: optional sign, digits with an
// optional point, optional exponent. Returns its length, 0 if none starts
// there. A sign or digit right after a word character belongs to the word.
std::size_t numberAt(std::string_view text, std::size_t at) {
  if (at > 0 && (isWordChar(text[at - 1]) || text[at - 1] == '.')) return 0;
  std::size_t i = at;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
  const std::size_t digitsFrom = i;
  while (i < text.size() && isDigit(text[i])) ++i;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i;
  }
  if (i == digitsFrom || (i == digitsFrom + 1 && text[digitsFrom] == '.')) return 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t e = i + 1;
    if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
    if (e < text.size() && isDigit(text[e])) {
      while (e < text.size() && isDigit(text[e])) ++e;
      i = e;
    }
  }
  return i - at;
}

bool isInteger(std::string_view number) { return number.find_first_of(".eE") == std::string_view::npos; }

// The unit of the last significant digit a number was printed with when it
// has six significant digits ("%g", as the MI file writes it), else 0.
double sixDigitUnit(std::string_view number) {
  int significant = 0;
  bool leading = true;
  for (char c : number) {
    if (c == 'e' || c == 'E') break;
    if (!isDigit(c)) continue;
    if (leading && c == '0') continue;
    leading = false;
    ++significant;
  }
  if (significant > 6) return 0;
  const double value = std::fabs(std::strtod(std::string(number).c_str(), nullptr));
  if (value == 0) return 0;
  return std::pow(10.0, std::floor(std::log10(value)) - 5);
}

struct statisticsC {
  // Of the numbers that differ in their last digits: the largest difference
  // relative to the larger magnitude (or to 1 for magnitudes below 1), and
  // how many differences fell into each decade of it, 1e-17 to 1e-5.
  double largest = 0;
  long decades[13] = {};
  long lastDigitOfSix = 0;

  void add(double difference, double magnitude) {
    const double relative = difference / std::max(magnitude, 1.0);
    largest = std::max(largest, relative);
    int decade = relative > 0 ? static_cast<int>(std::floor(std::log10(relative))) + 17 : 0;
    decade = std::clamp(decade, 0, 12);
    ++decades[decade];
  }
};

// Whether the two numbers differ only in their last digits.
bool closeNumbers(std::string_view a, std::string_view b, bool sixDigits, statisticsC& stats) {
  if (isInteger(a) && isInteger(b)) return false;  // counts and indices are exact
  const double x = std::strtod(std::string(a).c_str(), nullptr);
  const double y = std::strtod(std::string(b).c_str(), nullptr);
  if (!std::isfinite(x) || !std::isfinite(y)) return false;
  const double difference = std::fabs(x - y);
  const double magnitude = std::max(std::fabs(x), std::fabs(y));
  if (difference <= kTolerance * std::max(magnitude, 1.0)) {
    stats.add(difference, magnitude);
    return true;
  }
  // Six significant digits: the last one may be off by one, when the two
  // values lie on either side of a rounding boundary.
  if (sixDigits) {
    const double unit = std::max(sixDigitUnit(a), sixDigitUnit(b));
    if (unit > 0 && difference <= unit * 1.000001) {
      ++stats.lastDigitOfSix;
      return true;
    }
  }
  return false;
}

// Whether the lines are equal but for numbers that differ in their last digits.
bool sameButLastDigits(std::string_view a, std::string_view b, bool sixDigits, statisticsC& stats) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t na = numberAt(a, i);
    const std::size_t nb = numberAt(b, j);
    if (na > 0 && nb > 0) {
      const std::string_view x = a.substr(i, na);
      const std::string_view y = b.substr(j, nb);
      if (x != y && !closeNumbers(x, y, sixDigits, stats)) return false;
      i += na;
      j += nb;
      continue;
    }
    if (na > 0 || nb > 0 || a[i] != b[j]) return false;
    ++i;
    ++j;
  }
  return i == a.size() && j == b.size();
}

std::string shown(std::string_view line) {
  std::string text;
  for (char c : line) {
    if (c == '\r') {
      text += "\\r";
    } else if (c == '\n') {
      text += "\\n";
    } else {
      text += c;
    }
  }
  return text;
}

bool endsWith(const std::string& text, const char* end) {
  const std::string_view e(end);
  return text.size() >= e.size() && text.compare(text.size() - e.size(), e.size(), e) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> exactExtensions;
  int first = 1;
  while (first + 1 < argc && std::string_view(argv[first]) == "--exact") {
    exactExtensions.push_back(std::string(".") + argv[first + 1]);
    first += 2;
  }
  if (argc - first < 3) {
    std::fprintf(stderr, "usage: compareOutputs [--exact EXTENSION]... REFERENCE_DIR OTHER_DIR FILE...\n");
    return 2;
  }
  const std::string referenceDir = argv[first];
  const std::string otherDir = argv[first + 1];
  int files = 0;
  long linesCompared = 0;
  long linesLastDigits = 0;
  long linesSkipped = 0;
  long failures = 0;
  statisticsC stats;
  constexpr long kShownExamples = 5;

  for (int k = first + 2; k < argc; ++k) {
    const std::string name = argv[k];
    std::string reference;
    std::string other;
    std::string error;
    if (!lorvane::readFileContents(referenceDir + "/" + name, reference, error) ||
        !lorvane::readFileContents(otherDir + "/" + name, other, error)) {
      std::printf("FAIL %s: missing in one of the builds\n", name.c_str());
      ++failures;
      continue;
    }
    ++files;
    const bool mi = endsWith(name, ".mi");
    const bool exact = std::any_of(exactExtensions.begin(), exactExtensions.end(),
                                   [&](const std::string& extension) { return endsWith(name, extension.c_str()); });
    const std::vector<std::string_view> a = splitLines(reference);
    const std::vector<std::string_view> b = splitLines(other);
    if (a.size() != b.size()) {
      std::printf("FAIL %s: %zu lines against %zu\n", name.c_str(), a.size(), b.size());
      ++failures;
    }
    // The header section's date and time lines.
    std::size_t dateLine = a.size();
    if (mi) {
      for (std::size_t n = 0; n < a.size(); ++n) {
        if (a[n] == "#~3\r\n") {
          dateLine = n + 8;
          break;
        }
      }
    }
    const std::size_t common = std::min(a.size(), b.size());
    long fileLastDigits = 0;
    for (std::size_t n = 0; n < common; ++n) {
      if (n == dateLine || n == dateLine + 1) {
        ++linesSkipped;
        continue;
      }
      ++linesCompared;
      if (a[n] == b[n]) continue;
      if (!exact && sameButLastDigits(a[n], b[n], mi, stats)) {
        ++fileLastDigits;
        if (linesLastDigits + fileLastDigits <= kShownExamples) {
          std::printf("last digits %s:%zu\n  %s\n  %s\n", name.c_str(), n + 1, shown(a[n]).c_str(), shown(b[n]).c_str());
        }
        continue;
      }
      ++failures;
      if (failures <= 20) {
        std::printf("FAIL %s:%zu\n  reference: %s\n  other:     %s\n", name.c_str(), n + 1, shown(a[n]).c_str(),
                    shown(b[n]).c_str());
      }
    }
    linesLastDigits += fileLastDigits;
    std::printf("%s: %zu lines, %ld differ in the last digits of numbers\n", name.c_str(), common, fileLastDigits);
  }

  std::printf("differing numbers by their difference relative to the larger magnitude (1 below magnitude 1):");
  bool any = false;
  for (int decade = 0; decade < 13; ++decade) {
    if (stats.decades[decade] == 0) continue;
    std::printf(" 1e%d: %ld", decade - 17, stats.decades[decade]);
    any = true;
  }
  if (!any) std::printf(" none");
  std::printf("; one unit in the sixth digit: %ld\n", stats.lastDigitOfSix);
  std::printf(
      "compared %d files, %ld lines (%ld date and time lines skipped): %ld lines differ only in the last digits of "
      "numbers (sin/cos/acos rounding; largest relative difference %.3g), %ld other differences\n",
      files, linesCompared, linesSkipped, linesLastDigits, stats.largest, failures);
  return failures == 0 ? 0 : 1;
}
