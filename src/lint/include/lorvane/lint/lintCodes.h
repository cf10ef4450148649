#pragma once
// Every finding lint can report, with its stable code. Codes never change
// meaning once given out; a retired finding keeps its code unused.
#include <cstddef>
#include <span>
#include <string_view>

namespace lorvane::cli::lint {

enum class lintSeverity { error, warning, note };

enum class lintRule {
  // structure
  rootNotDrawing,
  elementsAfterDrawing,
  unknownMember,
  unknownItem,
  valueAmongMembers,
  memberWithoutValue,
  wrongValueKind,
  extraValues,
  badPoint,
  missingPoints,
  extraPoints,
  missingMember,
  repeatedMember,
  itemOutsideItems,
  // values
  nonFinite,
  meta2dFieldOverflow,
  integerOutOfRange,
  fractionDropped,
  codeOutsideTable,
  settingsListTooLong,
  lineBreakInRecordText,
  // geometry
  collinearArc,
  zeroRadius,
  negativeRadius,
  zeroLengthLine,
  curveTooShort,
  sweepChangedByAngleRule,
  angleAtTurnRule,
  // identification
  emptyTableIdent,
  unterminatedTableEntry,
  nameWithReplacedCharacter,
};

struct lintCodeC {
  lintRule rule;
  std::string_view code;  // "L103"
  lintSeverity severity;
  std::string_view keys;     // the keys the finding concerns
  std::string_view summary;  // one line: what was found and what the writers make of it
};

const lintCodeC& describe(lintRule rule);
std::span<const lintCodeC> allLintCodes();
std::string_view severityName(lintSeverity severity);

}  // namespace lorvane::cli::lint
