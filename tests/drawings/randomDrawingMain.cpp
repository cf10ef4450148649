// random_drawing FIGURES ITEMS SEED EXTENT: a random drawing in the text
// form on standard output, for trying lorvane check on large drawings.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "randomDrawing.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fputs("usage: random_drawing FIGURES ITEMS-PER-FIGURE SEED EXTENT\n", stderr);
    return 2;
  }
  lorvane::drawings::randomDrawingOptionsC options;
  options.figures = std::strtoull(argv[1], nullptr, 10);
  options.itemsPerFigure = std::strtoull(argv[2], nullptr, 10);
  options.seed = std::strtoull(argv[3], nullptr, 10);
  options.extent = std::strtod(argv[4], nullptr);
  const std::string text = lorvane::drawings::randomDrawingText(options);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}
