// Any bytes into the text reader; whatever it accepts is written (compact
// and pretty) and read back into an equal tree, numbers rounded to the 14
// significant digits of the text form. Read through a window of a few bytes,
// the same bytes give the same outcome.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "fuzzSupport.h"
#include "lorvane/metatree/metaTextReader.h"
#include "lorvane/metatree/metaTextWriter.h"
#include "textPieceSource.h"

using namespace lorvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  metaTextReaderC reader;
  metaObjectC tree = reader.readTree(text, true);
  metaTextReaderC windowed;
  windowed.setBufferSize(1 + size % 5);
  drawings::textPieceSourceC source{text};
  metaObjectC throughWindow = windowed.readTree(&drawings::textPieceSourceC::read, &source, true, size);
  if (windowed.errorText() != reader.errorText() || windowed.line() != reader.line())
    fuzz::fault("a window gives another outcome");
  if (!fuzz::sameChain(tree.node(), throughWindow.node(), false)) fuzz::fault("a window gives another tree");
  if (reader.failed() || !tree.isValid()) return 0;
  for (bool pretty : {false, true}) {
    const std::string written = writeTree(tree.node(), pretty, false);
    metaTextReaderC again;
    metaObjectC back = again.readTree(written, true);
    if (again.failed()) fuzz::fault("written text does not read back");
    if (!fuzz::sameChain(tree.node(), back.node(), true)) fuzz::fault("tree read back differs");
    // Numbers are rounded once: a second trip changes nothing.
    if (writeTree(back.node(), pretty, false) != written) fuzz::fault("second writing differs");
  }
  return 0;
}
