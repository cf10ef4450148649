#pragma once
#include <cstddef>
#include <string_view>

#include "lorvane/metatree/metaTree.h"

namespace lorvane {

// Calls f(child, i) for the children of a keyed list that carry the key, i
// counting them from 0, while i is below limit; other children are passed
// over. The list is walked by its links: reading the items may change the
// tree, which would make a cached list view search from the start again.
template <class F>
void forEachListItem(metaTreeC* list, std::string_view key, std::size_t limit, F&& f) {
  std::size_t i = 0;
  for (metaTreeC* child = list ? list->firstChild() : nullptr; child && i < limit; child = child->next()) {
    if (child->hasKey(key)) f(child, i++);
  }
}

}  // namespace lorvane
