#pragma once
// The findings of one lint run over any number of files, and the two ways
// of printing them: one line each, as compilers print diagnostics, or one
// JSON array for pipelines.
#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "lorvane/lint/lintCodes.h"

namespace lorvane::cli::lint {

struct findingC {
  std::string file;
  std::size_t line = 0;  // 0 when unknown
  lintRule rule{};
  std::string message;
  // The figure concerned: its name, or when it has none its position among
  // the drawing's figures (from 1); number 0 is the drawing itself.
  std::string figureName;
  std::size_t figureNumber = 0;
};

// `figure "NAME"` or `figure N`; empty for the drawing itself.
std::string figureLabel(const findingC& finding);

class lintReportC {
public:
  void add(findingC finding) { findings_.push_back(std::move(finding)); }
  // Orders the findings of each file by line, keeping the walk's order
  // within a line; files keep the order they were linted in.
  void sortByLine();

  const std::vector<findingC>& findings() const { return findings_; }
  // Whether any finding is an error or a warning (notes do not count).
  bool hasProblems() const;

private:
  std::vector<findingC> findings_;
};

// FILE:LINE: severity: figure "F": message [L123]
std::string findingLine(const findingC& finding);
void writeText(const lintReportC& report, std::FILE* out);
// [{"file":..., "line":..., "column":null, "severity":..., "code":...,
//   "message":..., "figure":...}, ...]; "figure" is the figure's name, or
// "figure N" for an unnamed one, or null for the drawing itself.
void writeJson(const lintReportC& report, std::FILE* out);
// A JSON string literal of the bytes: valid UTF-8 passes, any other byte is
// taken as Latin-1, since drawing texts are in the host's code page.
std::string jsonString(std::string_view bytes);

}  // namespace lorvane::cli::lint
