#include "lorvane/lint/lintReport.h"

#include <algorithm>

namespace lorvane::cli::lint {
namespace {

// Length of the valid UTF-8 sequence starting at `at`, 0 if there is none.
std::size_t utf8SequenceLength(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned minimum = 0;
  unsigned value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, minimum = 0x80, value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, minimum = 0x800, value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, minimum = 0x10000, value = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > bytes.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    value = (value << 6) | (byte(at + i) & 0x3Fu);
  }
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  return value >= minimum && value <= 0x10FFFF && !surrogate ? length : 0;
}

void appendEscaped(std::string& out, unsigned code) {
  static const char digits[] = "0123456789abcdef";
  out += "\\u00";
  out += digits[(code >> 4) & 0xF];
  out += digits[code & 0xF];
}

}  // namespace

void lintReportC::sortByLine() {
  // Findings of one file are contiguous: files are linted one after another.
  auto begin = findings_.begin();
  while (begin != findings_.end()) {
    auto end = std::find_if(begin, findings_.end(), [&](const findingC& f) { return f.file != begin->file; });
    std::stable_sort(begin, end, [](const findingC& a, const findingC& b) { return a.line < b.line; });
    begin = end;
  }
}

bool lintReportC::hasProblems() const {
  return std::any_of(findings_.begin(), findings_.end(),
                     [](const findingC& f) { return describe(f.rule).severity != lintSeverity::note; });
}

std::string figureLabel(const findingC& finding) {
  if (finding.figureNumber == 0) return {};
  if (finding.figureName.empty()) return "figure " + std::to_string(finding.figureNumber);
  return "figure \"" + finding.figureName + '"';
}

std::string findingLine(const findingC& finding) {
  const lintCodeC& code = describe(finding.rule);
  std::string line = finding.file;
  line += ':';
  line += std::to_string(finding.line);
  line += ": ";
  line += severityName(code.severity);
  line += ": ";
  if (finding.figureNumber != 0) {
    line += figureLabel(finding);
    line += ": ";
  }
  line += finding.message;
  line += " [";
  line += code.code;
  line += ']';
  return line;
}

void writeText(const lintReportC& report, std::FILE* out) {
  for (const findingC& finding : report.findings()) {
    const std::string line = findingLine(finding);
    std::fwrite(line.data(), 1, line.size(), out);
    std::fputc('\n', out);
  }
}

std::string jsonString(std::string_view bytes) {
  std::string out = "\"";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      appendEscaped(out, byte);
    } else if (byte < 0x80) {
      out += c;
    } else if (const std::size_t length = utf8SequenceLength(bytes, i)) {
      out.append(bytes, i, length);
      i += length - 1;
    } else {
      appendEscaped(out, byte);
    }
  }
  out += '"';
  return out;
}

void writeJson(const lintReportC& report, std::FILE* out) {
  std::string text = "[";
  const char* separator = "\n";
  for (const findingC& finding : report.findings()) {
    const lintCodeC& code = describe(finding.rule);
    text += separator;
    separator = ",\n";
    text += "{\"file\":" + jsonString(finding.file);
    text += ",\"line\":" + (finding.line ? std::to_string(finding.line) : std::string("null"));
    // The text form keeps lines only; no finding knows its column.
    text += ",\"column\":null";
    text += ",\"severity\":" + jsonString(severityName(code.severity));
    text += ",\"code\":" + jsonString(code.code);
    text += ",\"message\":" + jsonString(finding.message);
    const std::string figure = finding.figureName.empty() ? figureLabel(finding) : finding.figureName;
    text += ",\"figure\":" + (finding.figureNumber == 0 ? std::string("null") : jsonString(figure));
    text += '}';
  }
  text += report.findings().empty() ? "]\n" : "\n]\n";
  std::fwrite(text.data(), 1, text.size(), out);
}

}  // namespace lorvane::cli::lint
