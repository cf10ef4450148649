#include "lorvane/metatree/metaObjectRef.h"

#include <cstring>

#include "lorvane/metatree/binaryAttribute.h"
#include "lorvane/metatree/metaRegistry.h"
#include "referenceTable.h"

namespace lorvane {
namespace {

// Addresses are kept least significant byte first, as wide as a pointer.
// True when the attribute kept its nodes (see writeBinary).
bool writeAddressBytes(metaTreeC* key, std::uintptr_t address) {
  unsigned char bytes[sizeof(std::uintptr_t)];
  for (std::size_t i = 0; i < sizeof bytes; ++i) bytes[i] = static_cast<unsigned char>(address >> (8 * i));
  return writeBinary(key, bytes, sizeof bytes, 0);
}

bool isBelow(const metaTreeC* node, const metaTreeC* ancestor) {
  for (const metaTreeC* up = node ? node->parent() : nullptr; up; up = up->parent())
    if (up == ancestor) return true;
  return false;
}

std::uintptr_t readAddressBytes(const metaTreeC* key) {
  unsigned char bytes[sizeof(std::uintptr_t)] = {};
  const std::int32_t count = readBinary(key, bytes, sizeof bytes);
  std::uintptr_t address = 0;
  for (std::int32_t i = 0; i < count; ++i) address |= static_cast<std::uintptr_t>(bytes[i]) << (8 * i);
  return address;
}

// Stored references carry a signed 32-bit position number instead.
void writePosition(metaTreeC* key, std::int32_t position) {
  const auto value = static_cast<std::uint32_t>(position);
  unsigned char bytes[4];
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
  writeBinary(key, bytes, sizeof bytes, 0);
}

std::int64_t readPosition(const metaTreeC* key) {
  unsigned char bytes[4] = {};
  const std::int32_t count = readBinary(key, bytes, sizeof bytes);
  if (count <= 0) return 0;
  std::uint32_t value = 0;
  for (std::int32_t i = 0; i < count; ++i) value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
  if (count < 4) return value;  // shorter numbers are zero-extended
  return static_cast<std::int32_t>(value);
}

// One prototype per registry; the runtime registers them itself.
struct prototypesC {
  metaObjectRefC forStorage;
  metaObjectRefC forCopy;
  prototypesC() {
    customStorageRegistry().registerInterface(metaObjectRefC::kClassName,
                                              static_cast<metaObjectCustomStorageC*>(&forStorage), 3);
    customCopyRegistry().registerInterface(metaObjectRefC::kClassName, static_cast<metaObjectCustomCopyC*>(&forCopy),
                                           3);
  }
  ~prototypesC() {
    customStorageRegistry().unregisterInterface(static_cast<metaObjectCustomStorageC*>(&forStorage));
    customCopyRegistry().unregisterInterface(static_cast<metaObjectCustomCopyC*>(&forCopy));
  }
};
const prototypesC gPrototypes;

}  // namespace

metaObjectRefC metaObjectRefC::create(metaTreeC* target) {
  metaObjectRefC reference(metaTreeC::createKeyNode(kClassName), false);
  try {
    reference.setTarget(target);
  } catch (...) {
    delete reference.node();
    throw;
  }
  return reference;
}

metaTreeC* metaObjectRefC::getTarget() const {
  return reinterpret_cast<metaTreeC*>(readAddressBytes(findChild(kTargetKey)));
}

void metaObjectRefC::setTarget(metaTreeC* target) {
  if (!node()) return;
  writeAddressBytes(getOrAddChild(kTargetKey), reinterpret_cast<std::uintptr_t>(target));
}

metaTreeC* metaObjectRefC::copyNode(metaTreeC*) { return nullptr; }

std::int32_t metaObjectRefC::beforeCopy(metaTreeC*) {
  referenceTable().forgetRoot();
  if (metaTreeC* target = getTarget()) target->setCopyTarget(target);
  return 1;
}

std::int32_t metaObjectRefC::afterCopy(metaTreeC* copyRoot) {
  referenceTableC& table = referenceTable();
  table.setRoot(copyRoot);
  metaTreeC* oldTarget = getTarget();
  setTarget(oldTarget ? table.copyOf(oldTarget) : nullptr);
  return 1;
}

std::intptr_t metaObjectRefC::store(metaTreeC* root) {
  referenceTableC& table = referenceTable();
  table.setRoot(root);
  metaTreeC* target = getTarget();
  const auto position = target ? static_cast<std::int32_t>(table.positionOf(target)) : -1;
  metaTreeC* copy = metaTreeC::copySubtree(node());
  try {
    writePosition(metaObjectC(copy).getOrAddChild(kTargetKey), position);
  } catch (...) {
    delete copy;
    throw;
  }
  return reinterpret_cast<std::intptr_t>(copy);
}

std::intptr_t metaObjectRefC::restore(metaTreeC* root) {
  referenceTableC& table = referenceTable();
  table.setRoot(root);
  metaTreeC* key = findChild(kTargetKey);
  metaTreeC* target = table.nodeAt(readPosition(key));
  if (!key) {
    setTarget(target);  // adds the attribute
    return 1;
  }
  // A stored attribute keeps its nodes as the address goes in, so that a
  // target among them (the reference's own DATA) stays. One of another shape
  // is rebuilt: a target that was inside it is gone, and the reference has none.
  if (!writeAddressBytes(key, reinterpret_cast<std::uintptr_t>(target)) && isBelow(target, key)) setTarget(nullptr);
  return 1;
}

std::intptr_t metaObjectRefC::endStore(metaTreeC*) {
  referenceTable().forgetRoot();
  return 1;
}

std::intptr_t metaObjectRefC::endRestore(metaTreeC*) {
  referenceTable().forgetRoot();
  return 1;
}

}  // namespace lorvane
