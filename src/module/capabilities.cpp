#include "lorvane/module/capabilities.h"

#include "lorvane/metatree/metaObject.h"
#include "lorvane/module/builtInFormats.h"

namespace lorvane {
namespace {

void setText(metaObjectC& record, const char* key, const char* text) {
  metaObjectC(record.getOrAddChild(key)).setString(text);
}

}  // namespace

std::string buildDateText(const char* date, const char* time) {
  // __DATE__ pads a one-digit day with a blank ("Jun  7 2005"); the text
  // keeps the compiler's form, joined to the time by one colon.
  return std::string(date) + ":" + time;
}

metaTreeC* buildCapabilityTree() {
  // The tree is built under an owning view so that a failure part way frees
  // it; on success the caller takes it over.
  metaObjectC root = metaObjectVirtualDataBaseC::createTree("DLLIFACE", true);
  metaObjectC info(root.getOrAddChild("INFO"));
  setText(info, "NAME", kModuleName);
  setText(info, "VERSION", kModuleVersion);
  setText(info, "DESC", kModuleDescription);
  setText(info, "DATE", buildDateText(__DATE__, __TIME__).c_str());

  metaObjectC pairs(root.getOrAddChild("IOPAIRS"));
  metaObjectC pair(pairs.addChild("IOPAIR"));
  metaObjectC input(pair.getOrAddChild("INFMT"));
  setText(input, "NAME", kInputFormatName);
  metaObjectC outputs(pair.getOrAddChild("OUTFMTS"));
  for (const outputFormatC& format : builtInFormats()) {
    metaObjectC entry(outputs.addChild("OUTFMT"));
    setText(entry, "NAME", format.name);
    setText(entry, "DESC", format.description);
    metaObjectC(entry.getOrAddChild("OUTMODE")).setInt(0);
    if (format.group) setText(entry, "GROUP", format.group);
    setText(entry, "FILEEXT", format.fileExtension);
    if (format.toolbarBitmap) setText(entry, "TOOLBARBMP", format.toolbarBitmap);
  }
  root.detach(false);
  return root.node();
}

}  // namespace lorvane
