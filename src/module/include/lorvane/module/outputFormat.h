#pragma once
#include <memory>
#include <string_view>

#include "lorvane/writers/conversionWriter.h"

namespace lorvane {

// Makes a writer for one conversion request.
using writerFactoryT = std::unique_ptr<conversionWriterC> (*)(lorvaneProgressCallback progress, metaTreeC* request);

// One output format of the module: how the capability tree lists it, the
// names a request may choose it by, and the writer that writes it.
struct outputFormatC {
  const char* name;            // NAME in the capability tree; a request may spell it in any case
  const char* otherName;       // a further name a request may use; null for none
  const char* description;     // DESC
  const char* group;           // GROUP; null: no GROUP key
  const char* fileExtension;   // FILEEXT
  const char* toolbarBitmap;   // TOOLBARBMP; null: no TOOLBARBMP key
  writerFactoryT makeWriter;
};

}  // namespace lorvane
