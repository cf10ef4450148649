#pragma once
#include <cstdint>

#include "lorvane/metatree/metaObject.h"

namespace lorvane {

// Objects that take part in tree copies. A generic view forwards each
// operation to the prototype registered for its node's key in the custom copy
// registry, so only registered classes act.
class LORVANE_RUNTIME_API metaObjectCustomCopyC : public metaObjectC {
public:
  explicit metaObjectCustomCopyC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  // A node that replaces the default copy of this object's node, or null.
  virtual metaTreeC* copyNode(metaTreeC* copyRoot);
  // Numbers of objects prepared and fixed up; the pass adds them up.
  virtual std::int32_t beforeCopy(metaTreeC* sourceRoot);
  virtual std::int32_t afterCopy(metaTreeC* copyRoot);
};

// Objects that take part in storing a tree outside the process and restoring
// it (addresses become position numbers and back).
class LORVANE_RUNTIME_API metaObjectCustomStorageC : public metaObjectC {
public:
  explicit metaObjectCustomStorageC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  virtual std::intptr_t restore(metaTreeC* root);     // slot 0
  virtual std::intptr_t store(metaTreeC* root);       // slot 1: a converted copy, or 0
  virtual std::intptr_t endStore(metaTreeC* root);    // slot 2
  virtual std::intptr_t beginStore(metaTreeC* root);  // slot 3
  virtual std::intptr_t endRestore(metaTreeC* root);  // slot 4
  virtual std::intptr_t beginRestore(metaTreeC* root);// slot 5
};

// Deep copy of a node (or of its whole chain) through the custom copy of the
// registered classes; the plain copy when no node of the source has one.
LORVANE_RUNTIME_API metaTreeC* customCopyTree(metaTreeC* node, bool subtreeOnly);

// The store pass: a copy of the chain in which every registered object is
// replaced by its stored form, or null when the chain holds no such object.
LORVANE_RUNTIME_API metaTreeC* storeTreeCopy(metaTreeC* chain);
// The restore pass, in place.
LORVANE_RUNTIME_API void restoreTree(metaTreeC* chain);

}  // namespace lorvane
