// comparison_drawings FOLDER [COUNT]: writes generated1.mt .. generatedCOUNT.mt
// (4 unless given) into FOLDER, for comparing the output of two builds.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "comparisonDrawings.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fputs("usage: comparison_drawings FOLDER [COUNT]\n", stderr);
    return 2;
  }
  const int count = argc == 3 ? std::atoi(argv[2]) : 4;
  for (int number = 1; number <= count; ++number) {
    const std::filesystem::path path = std::filesystem::path(argv[1]) / ("generated" + std::to_string(number) + ".mt");
    const std::string text = lorvane::drawings::comparisonDrawingText(number);
    // Binary: the same bytes on every platform, line feeds included.
    std::FILE* file = std::fopen(path.string().c_str(), "wb");
    const bool written = file && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (file && std::fclose(file) != 0) return 1;
    if (!written) {
      std::fprintf(stderr, "comparison_drawings: cannot write %s\n", path.string().c_str());
      return 1;
    }
  }
  return 0;
}
