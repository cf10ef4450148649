#include "lorvane/module/builtInFormats.h"

#include "lorvane/writers/me10/me10Writer.h"
#include "lorvane/writers/meta2d/meta2dWriter.h"

namespace lorvane {
namespace {

template <class writerT>
std::unique_ptr<conversionWriterC> make(lorvaneProgressCallback progress, metaTreeC* request) {
  return std::make_unique<writerT>(progress, request);
}

// META2DV1 and META are one writer under two entries: the host groups the
// first with the neutral formats and offers the second by its short name.
constexpr outputFormatC kBuiltInFormats[] = {
    {"META2DV1", nullptr, "KRV-V1 2D", "NEUTRAL2D", "krv", nullptr, &make<meta2dWriterC>},
    {"META", nullptr, "KRV-V1 2D", nullptr, "krv", nullptr, &make<meta2dWriterC>},
    {"MI", "ME10", "MI 2D", "2DNATIVE", "mi", "exportme10.bmp", &make<ME10Writer>},
};

}  // namespace

std::span<const outputFormatC> builtInFormats() { return kBuiltInFormats; }

}  // namespace lorvane
