#pragma once
// What every rule needs while the drawing is walked: where findings go, the
// file and the figure they belong to, and the members of the record at hand.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lorvane/lint/lintReport.h"
#include "lintSchema.h"
#include "lorvane/metatree/metaTree.h"

namespace lorvane::cli::lint {

class lintContextC {
public:
  lintContextC(std::string file, lintReportC& report) : file_(std::move(file)), report_(report) {}

  // Findings from here on concern this figure (number 0: the drawing).
  void enterFigure(std::string name, std::size_t number) {
    figureName_ = std::move(name);
    figureNumber_ = number;
  }

  // A finding at the source line of the node (or of the nearest ancestor
  // that has one).
  void add(lintRule rule, const metaTreeC* at, std::string message);

private:
  std::string file_;
  lintReportC& report_;
  std::string figureName_;
  std::size_t figureNumber_ = 0;
};

// A record's members as the writers find them: the first child of each
// member key, and how many there are.
struct scannedRecordC {
  const metaTreeC* node = nullptr;
  const recordSchemaC* schema = nullptr;
  std::array<const metaTreeC*, kMaxMembers> first{};
  std::array<std::uint32_t, kMaxMembers> count{};

  const metaTreeC* member(std::string_view key) const;
  std::uint32_t countOf(std::string_view key) const;
};

// Text helpers for messages.
std::string keyText(const metaTreeC* node);
std::string numberText(double value);
std::string quotedText(std::string_view text);
// "1 POINT", "2 POINTs"
std::string counted(std::size_t count, std::string_view noun);
// "a text", "a number", "the key X", "nothing"
std::string describeValue(const metaTreeC* value);

// The member's first value as a number or a string, if it is one.
bool numberValue(const metaTreeC* member, double& value);
const metaTreeC* stringValue(const metaTreeC* member);

}  // namespace lorvane::cli::lint
