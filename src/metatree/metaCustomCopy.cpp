#include "lorvane/metatree/metaCustomCopy.h"

#include <vector>

#include "lorvane/metatree/metaRegistry.h"
#include "referenceTable.h"

namespace lorvane {

metaTreeC* metaObjectCustomCopyC::copyNode(metaTreeC* copyRoot) {
  return forwardToPrototype(customCopyRegistry(), this, static_cast<metaTreeC*>(nullptr),
                            [&](metaObjectCustomCopyC& p) { return p.copyNode(copyRoot); });
}
std::int32_t metaObjectCustomCopyC::beforeCopy(metaTreeC* sourceRoot) {
  return forwardToPrototype(customCopyRegistry(), this, std::int32_t{0},
                            [&](metaObjectCustomCopyC& p) { return p.beforeCopy(sourceRoot); });
}
std::int32_t metaObjectCustomCopyC::afterCopy(metaTreeC* copyRoot) {
  return forwardToPrototype(customCopyRegistry(), this, std::int32_t{0},
                            [&](metaObjectCustomCopyC& p) { return p.afterCopy(copyRoot); });
}

#define LORVANE_FORWARD_STORAGE(op)                                                           \
  std::intptr_t metaObjectCustomStorageC::op(metaTreeC* root) {                               \
    return forwardToPrototype(customStorageRegistry(), this, std::intptr_t{0},                \
                              [&](metaObjectCustomStorageC& p) { return p.op(root); });       \
  }
LORVANE_FORWARD_STORAGE(restore)
LORVANE_FORWARD_STORAGE(store)
LORVANE_FORWARD_STORAGE(endStore)
LORVANE_FORWARD_STORAGE(beginStore)
LORVANE_FORWARD_STORAGE(endRestore)
LORVANE_FORWARD_STORAGE(beginRestore)
#undef LORVANE_FORWARD_STORAGE

namespace {

// Visits every node of a subtree (or of a whole chain with its subtrees),
// each node's child chain before the node itself.
template <class Visit>
void visitChildrenFirst(metaTreeC* start, bool wholeChain, Visit visit) {
  struct frame {
    metaTreeC* node;
    bool followSiblings;
    bool childrenDone;
  };
  std::vector<frame> stack;
  stack.push_back({start, wholeChain, false});
  while (!stack.empty()) {
    frame& top = stack.back();
    if (!top.childrenDone) {
      top.childrenDone = true;
      if (metaTreeC* child = top.node->firstChild()) stack.push_back({child, true, false});
      continue;
    }
    const frame done = top;
    stack.pop_back();
    metaTreeC* following = done.followSiblings ? done.node->next() : nullptr;
    visit(done.node);
    if (following) stack.push_back({following, true, false});
  }
}

bool holdsRegisteredKey(metaTreeC* start, bool wholeChain, const metaObjectInterfaceListC& registry) {
  if (registry.size() == 0) return false;
  bool found = false;
  visitChildrenFirst(start, wholeChain, [&](metaTreeC* node) {
    if (!found && node->isKey() && registry.findInterface(node->value().text().view())) found = true;
  });
  return found;
}

// The deep copy with a replacement: replace() may hand a node that stands
// for the copy of a source node.
template <class Replace>
metaTreeC* copyWithReplacement(metaTreeC* source, bool wholeChain, Replace replace) {
  const auto trampoline = [](const metaTreeC* node, void* context) {
    return (*static_cast<Replace*>(context))(const_cast<metaTreeC*>(node));
  };
  return metaTreeC::copyNodes(source, wholeChain, trampoline, &replace);
}

void clearCopyTargets(metaTreeC* start, bool wholeChain) {
  visitChildrenFirst(start, wholeChain, [](metaTreeC* node) { node->setCopyTarget(nullptr); });
}

}  // namespace

metaTreeC* customCopyTree(metaTreeC* node, bool subtreeOnly) {
  if (!node) return nullptr;
  const bool wholeChain = !subtreeOnly;
  if (!holdsRegisteredKey(node, wholeChain, customCopyRegistry()))
    return wholeChain ? metaTreeC::copyChain(node) : metaTreeC::copySubtree(node);

  const auto sourceRoot = node;
  metaTreeC* copy = nullptr;
  try {
    visitChildrenFirst(node, wholeChain, [&](metaTreeC* n) { metaObjectCustomCopyC(n).beforeCopy(sourceRoot); });
    copy = copyWithReplacement(node, wholeChain,
                               [&](metaTreeC* n) { return metaObjectCustomCopyC(n).copyNode(sourceRoot); });
    visitChildrenFirst(copy, wholeChain, [&](metaTreeC* n) { metaObjectCustomCopyC(n).afterCopy(copy); });
  } catch (...) {
    clearCopyTargets(node, wholeChain);
    delete copy;
    referenceTable().forgetRoot();
    throw;
  }
  // The marks have served; left in place they would tie later copies to
  // nodes of this pass.
  clearCopyTargets(node, wholeChain);
  clearCopyTargets(copy, wholeChain);
  referenceTable().forgetRoot();
  return copy;
}

metaTreeC* storeTreeCopy(metaTreeC* chain) {
  if (!chain || !holdsRegisteredKey(chain, true, customStorageRegistry())) return nullptr;
  metaTreeC* lastStored = nullptr;
  metaTreeC* copy = copyWithReplacement(chain, true, [&](metaTreeC* n) {
    auto* stored = reinterpret_cast<metaTreeC*>(metaObjectCustomStorageC(n).store(chain));
    if (stored) lastStored = n;
    return stored;
  });
  if (lastStored) metaObjectCustomStorageC(lastStored).endStore(chain);
  referenceTable().forgetRoot();
  return copy;
}

void restoreTree(metaTreeC* chain) {
  if (!chain || !holdsRegisteredKey(chain, true, customStorageRegistry())) return;
  // Every position is resolved against the tree as it was read, before any
  // reference is rewritten.
  std::vector<metaTreeC*> registered;
  visitChildrenFirst(chain, true, [&](metaTreeC* n) {
    if (n->isKey() && customStorageRegistry().findInterface(n->value().text().view())) registered.push_back(n);
  });
  for (metaTreeC* n : registered) metaObjectCustomStorageC(n).restore(chain);
  metaObjectCustomStorageC(registered.front()).endRestore(chain);
  referenceTable().forgetRoot();
}

}  // namespace lorvane
