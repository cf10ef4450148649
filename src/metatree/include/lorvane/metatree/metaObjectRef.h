#pragma once
#include "lorvane/metatree/metaCustomCopy.h"

namespace lorvane {

// A reference to another node of the same process: a "MOREF" key whose
// binary attribute "REFTRGPTR" holds the target's address. Copies of a tree
// carry their references over to the copies of the targets; storing a tree
// turns addresses into position numbers.
class LORVANE_RUNTIME_API metaObjectRefC : public metaObjectCustomStorageC, public metaObjectCustomCopyC {
public:
  static constexpr const char* kClassName = "MOREF";
  static constexpr const char* kTargetKey = "REFTRGPTR";

  explicit metaObjectRefC(metaTreeC* node = nullptr, bool owns = false) : metaObjectVirtualDataBaseC(node, owns) {}

  // A new free-standing "MOREF" node, not owned by the view.
  static metaObjectRefC create(metaTreeC* target);

  metaTreeC* getTarget() const;
  void setTarget(metaTreeC* target);

  metaTreeC* copyNode(metaTreeC* copyRoot) override;
  std::int32_t beforeCopy(metaTreeC* sourceRoot) override;
  std::int32_t afterCopy(metaTreeC* copyRoot) override;

  std::intptr_t restore(metaTreeC* root) override;
  std::intptr_t store(metaTreeC* root) override;
  std::intptr_t endStore(metaTreeC* root) override;
  std::intptr_t endRestore(metaTreeC* root) override;
};

}  // namespace lorvane
