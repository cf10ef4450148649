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
#include "lorvane/preview/fileReaders.h"
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
  // The first line, arc or circle the file made of another shape (an
  // ellipse, a curve) that does not follow it (inputElement: the shape and
  // why), once the file agrees with the drawing.
  std::optional<disagreementC> approximation;
  std::size_t piecesCompared = 0;
};

struct checkReportC {
  fileVerdictC meta2d{writtenFormat::meta2d, 0, std::nullopt, std::nullopt, 0};
  fileVerdictC mi{writtenFormat::mi, 0, std::nullopt, std::nullopt, 0};
};

// One written file against the drawing, a group of the file at a time as
// its reader hands them over; the verdict once the file is read. Each
// figure is held to its group alone, so the verdict is the one the whole
// file gives: the first group that names no figure of the drawing, else
// the first figure (in the drawing's order) that differs, else the first
// whose other shapes its pieces do not follow.
class fileCheckC : public preview::groupSinkC {
public:
  fileCheckC(const std::vector<inputFigureC>& input, writtenFormat format);
  void groupRead(const preview::sceneC& scene, std::size_t group) override;
  fileVerdictC verdict();

private:
  void compareFigure(std::size_t figure, const std::vector<const preview::elementC*>& elements);

  static constexpr std::size_t kNoFigure = static_cast<std::size_t>(-1);
  const std::vector<inputFigureC>& input_;
  writtenFormat format_;
  std::vector<bool> present_;  // per figure: a group of the file was its
  std::optional<disagreementC> groupError_;
  std::optional<disagreementC> first_;
  std::size_t firstFigure_ = kNoFigure;
  std::optional<disagreementC> approximation_;
  std::size_t approximationFigure_ = kNoFigure;
  std::size_t elementsCompared_ = 0;
  std::size_t piecesCompared_ = 0;
  std::vector<const preview::elementC*> elements_;  // of the group being compared
};

// One written file against the drawing: its elements and, where they
// agree, the lines and arcs it made of other shapes.
fileVerdictC checkWrittenFile(const std::vector<inputFigureC>& input, const preview::sceneC& file, writtenFormat format);
checkReportC checkWrittenFiles(const std::vector<inputFigureC>& input, const preview::sceneC& meta2d,
                               const preview::sceneC& mi);

std::string describe(const preview::elementC& element);

// The comparison of every value: a value read back agrees with the one
// expected when they differ by at most `error` (what printing allows, both
// sides' errors added) plus a margin of 1e-9 of their size (at least 1) for
// values computed along different paths. NaN agrees only with NaN, an
// infinity only with itself.
bool agrees(double expected, double actual, double error);
bool pointsAgree(preview::pointC expected, preview::pointC actual, preview::pointC error);

// Both files are written with doubles computed along other paths than the
// ones taken here (the writers' circumcentre, their angle rule): results may
// differ in the last bits, which this relative margin absorbs.
constexpr double kArithmeticMargin = 1e-9;
// META2D gives an arc by its angles, which the writer finds by an arccosine:
// near 0 and 180 degrees that is good to about 1e-8 radians, so arc ends
// are compared within this share of the radius.
constexpr double kArcEndShare = 1e-7;

// Whether a point (of the drawing, exact but for margin) is the start (a)
// or the end (b) of a written line or arc, within both errors.
bool pieceEndAgrees(preview::pointC point, const preview::elementC& piece, bool start, preview::pointC margin,
                    writtenFormat format);

std::string inWords(double value);
std::string inWords(preview::pointC point);

}  // namespace lorvane::cli
