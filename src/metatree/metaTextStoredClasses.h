#pragma once
#include <string_view>
#include <vector>

#include "lorvane/metatree/metaRegistry.h"

namespace lorvane::metaText {

// The class names registered for custom storage, taken once per read or
// write. Trees that hold none of them need no store or restore pass, and
// this check costs less per key than a registry lookup.
class storedClassesC {
public:
  storedClassesC() {
    const metaObjectInterfaceListC& registry = customStorageRegistry();
    for (std::size_t i = 0; i < registry.size(); ++i) names_.push_back(registry.entry(i).name.view());
  }
  bool any() const { return !names_.empty(); }
  bool holds(std::string_view key) const {
    for (std::string_view name : names_) {
      if (name == key) return true;
    }
    return false;
  }

private:
  std::vector<std::string_view> names_;
};

}  // namespace lorvane::metaText
