#pragma once
// The one table of output format names that every command takes: the names
// the plug-in offers, in any case, and the names older hosts use for them.
#include <string>
#include <vector>

#include "pluginHost.h"

namespace lorvane::cli {

struct outputFormatC {
  std::string name;  // as the plug-in offers it: the request's NAME
  std::string extension;
  std::string description;
};

class formatTableC {
public:
  // The formats of the plug-in's capability tree.
  explicit formatTableC(pluginHostC& host);

  // The format a name asks for, compared without regard to case; "META2D"
  // and "ME10" are the names hosts also use for META and MI. Null when the
  // plug-in offers none of that name.
  const outputFormatC* find(const std::string& requested) const;
  // The format whose files have this extension (any case), if any.
  const outputFormatC* withExtension(const std::string& extension) const;
  const std::vector<outputFormatC>& formats() const { return formats_; }
  // "META2DV1, META, MI (also META2D, ME10)" for messages.
  std::string names() const;

private:
  std::vector<outputFormatC> formats_;
};

struct formatAliasC {
  const char* alias;
  const char* name;
};
inline constexpr formatAliasC kFormatAliases[] = {{"META2D", "META"}, {"ME10", "MI"}};

}  // namespace lorvane::cli
