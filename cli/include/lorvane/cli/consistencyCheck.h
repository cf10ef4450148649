#pragma once
// Whether the written files say what the drawing says: every line, arc,
// circle and text of each figure, in the order the writers emit them, each
// value within the error its file's printing allows for it (preview's
// valueErrorsC).
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "lorvane/cli/inputDrawing.h"
#include "lorvane/preview/scene.h"

namespace lorvane::cli {

enum class writtenFormat { meta2d, mi };

// The first disagreement found in one file.
struct disagreementC {
  std::size_t fileLine = 0;   // line of the written file (0: the element is missing there)
  std::size_t inputLine = 0;  // line of the drawing's text (0: the file has an element too many)
  std::string figure;
  std::string fileElement;    // what the file has, in words
  std::string inputElement;   // what the drawing has, in words
};

struct fileVerdictC {
  writtenFormat format = writtenFormat::meta2d;
  std::size_t elementsCompared = 0;
  std::optional<disagreementC> first;
};

struct checkReportC {
  fileVerdictC meta2d{writtenFormat::meta2d, 0, std::nullopt};
  fileVerdictC mi{writtenFormat::mi, 0, std::nullopt};
  // Lines and arcs the writers made of other shapes must be the same in both
  // files; the first pair that is not (fileLine and fileElement: META2D,
  // inputElement: the MI file's).
  std::optional<disagreementC> approximations;
  std::size_t approximationsCompared = 0;
};

checkReportC checkWrittenFiles(const std::vector<inputFigureC>& input, const preview::sceneC& meta2d,
                               const preview::sceneC& mi);

std::string describe(const preview::elementC& element);

// The comparison of every value: a value read back agrees with the one
// expected when they differ by at most `error` (what printing allows, both
// sides' errors added) plus a margin of 1e-9 of their size (at least 1) for
// values computed along different paths. NaN agrees only with NaN, an
// infinity only with itself.
bool agrees(double expected, double actual, double error);

}  // namespace lorvane::cli
