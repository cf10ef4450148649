// comparison_drawings FOLDER [COUNT] [--large|--large4]: writes generated1.mt
// .. generatedCOUNT.mt (4 unless given) and three random drawings random1.mt
// .. random3.mt into FOLDER, for comparing the output of two builds; with
// --large also large.mt, the million items of the benchmarks, and with
// --large4 also large4.mt, its ten figures four times as long, to show how
// the cost per item holds as figures grow.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "benchmarkDrawings.h"
#include "comparisonDrawings.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "randomDrawing.h"

namespace {

// Binary: the same bytes on every platform, line feeds included.
bool writeDrawing(const std::filesystem::path& folder, const std::string& name, const std::string& text) {
  const std::string path = (folder / name).string();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  const bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if ((file && std::fclose(file) != 0) || !written) {
    std::fprintf(stderr, "comparison_drawings: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

// The drawing as an exporting host writes it: a member a line, no indentation.
std::string largeDrawingText(int figures, int itemsPerFigure) {
  const std::unique_ptr<lorvane::metaTreeC> tree(lorvane::drawings::generateFigureDrawing(figures, itemsPerFigure));
  std::string text = lorvane::writeTree(tree.get(), true, true);
  text.erase(std::remove(text.begin(), text.end(), '\t'), text.end());
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  const bool large = argc > 2 && std::strcmp(argv[argc - 1], "--large") == 0;
  const bool large4 = argc > 2 && std::strcmp(argv[argc - 1], "--large4") == 0;
  const int positional = argc - (large || large4 ? 1 : 0);
  if (positional != 2 && positional != 3) {
    std::fputs("usage: comparison_drawings FOLDER [COUNT] [--large|--large4]\n", stderr);
    return 2;
  }
  const std::filesystem::path folder(argv[1]);
  const int count = positional == 3 ? std::atoi(argv[2]) : 4;
  for (int number = 1; number <= count; ++number) {
    const std::string name = "generated" + std::to_string(number) + ".mt";
    if (!writeDrawing(folder, name, lorvane::drawings::comparisonDrawingText(number))) return 1;
  }
  // Shapes of every kind at three scales. (Far larger extents make nearly
  // flat fitted arcs whose centres carry a libm rounding far beyond the last
  // digits.)
  const double extents[] = {100, 1000, 10000};
  for (int number = 1; number <= 3; ++number) {
    lorvane::drawings::randomDrawingOptionsC options;
    options.figures = 4;
    options.itemsPerFigure = 250;
    options.seed = static_cast<std::uint64_t>(number);
    options.extent = extents[number - 1];
    const std::string name = "random" + std::to_string(number) + ".mt";
    if (!writeDrawing(folder, name, lorvane::drawings::randomDrawingText(options))) return 1;
  }
  if (large && !writeDrawing(folder, "large.mt", largeDrawingText(10, 100000))) return 1;
  if (large4 && !writeDrawing(folder, "large4.mt", largeDrawingText(10, 400000))) return 1;
  return 0;
}
