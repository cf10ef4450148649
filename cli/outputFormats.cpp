#include "outputFormats.h"

#include "lorvane/util/asciiCase.h"
#include "lorvane/metatree/metaObject.h"

namespace lorvane::cli {

formatTableC::formatTableC(pluginHostC& host) {
  metaObjectC caps(host.getCaps(), true);
  metaObjectC pair(metaObjectC(caps.findChild("IOPAIRS")).findChild("IOPAIR"));
  metaObjectC outputs(pair.findChild("OUTFMTS"));
  for (metaTreeC* format = outputs.getFirstChild(); format; format = format->next()) {
    if (!format->hasKey("OUTFMT")) continue;
    metaObjectC entry(format);
    auto text = [&](const char* key) { return std::string(metaObjectC(entry.findChild(key)).getString().view()); };
    formats_.push_back({text("NAME"), text("FILEEXT"), text("DESC")});
  }
}

const outputFormatC* formatTableC::find(const std::string& requested) const {
  std::string wanted = asciiLowerCase(requested);
  for (const formatAliasC& alias : kFormatAliases) {
    if (wanted == asciiLowerCase(alias.alias)) wanted = asciiLowerCase(alias.name);
  }
  for (const outputFormatC& format : formats_) {
    if (asciiLowerCase(format.name) == wanted) return &format;
  }
  return nullptr;
}

const outputFormatC* formatTableC::withExtension(const std::string& extension) const {
  if (extension.empty()) return nullptr;
  for (const outputFormatC& format : formats_) {
    if (asciiLowerCase(format.extension) == asciiLowerCase(extension)) return &format;
  }
  return nullptr;
}

std::string formatTableC::names() const {
  std::string names;
  for (const outputFormatC& format : formats_) names += (names.empty() ? "" : ", ") + format.name;
  std::string aliases;
  for (const formatAliasC& alias : kFormatAliases) {
    if (find(alias.alias)) aliases += (aliases.empty() ? "" : ", ") + std::string(alias.alias);
  }
  return aliases.empty() ? names : names + " (also " + aliases + ")";
}

}  // namespace lorvane::cli
