#include "referenceTable.h"

#include <algorithm>
#include <functional>
#include <vector>

namespace lorvane {
namespace {

template <class Less>
void sortPositions(pageMemT<int, 3>& positions, Less less) {
  std::vector<int> sorted(positions.size());
  for (std::size_t i = 0; i < sorted.size(); ++i) sorted[i] = positions[i];
  std::sort(sorted.begin(), sorted.end(), less);
  for (std::size_t i = 0; i < sorted.size(); ++i) positions[i] = sorted[i];
}

// Index into positions of the first entry whose key is not below the key.
template <class KeyOf>
std::size_t lowerBound(const pageMemT<int, 3>& positions, std::uintptr_t key, KeyOf keyOf) {
  std::size_t low = 0;
  std::size_t high = positions.size();
  while (low < high) {
    const std::size_t mid = low + (high - low) / 2;
    if (keyOf(positions[mid]) < key) low = mid + 1;
    else high = mid;
  }
  return low;
}

std::uintptr_t addressOf(const metaTreeC* node) { return reinterpret_cast<std::uintptr_t>(node); }

}  // namespace

void referenceTableC::setRoot(metaTreeC* root) {
  if (root == root_) return;
  root_ = root;
  stamp_ = -1;
  if (!root) {
    // Between passes the table holds no pooled memory.
    nodes_.release();
    byAddress_.release();
    byCopyTarget_.release();
  }
}

void referenceTableC::build() {
  if (stamp_ != -1) return;
  nodes_.clear();
  byAddress_.clear();
  byCopyTarget_.clear();
  if (root_) {
    // Pre-order along the root's chain: a node, its child chain, its next sibling.
    std::vector<metaTreeC*> resume;
    metaTreeC* node = root_;
    while (node || !resume.empty()) {
      if (!node) {
        node = resume.back();
        resume.pop_back();
        continue;
      }
      nodes_.append(node);
      if (node->firstChild()) {
        if (node->next()) resume.push_back(node->next());
        node = node->firstChild();
      } else {
        node = node->next();
      }
    }
  }
  for (std::size_t i = 0; i < nodes_.size(); ++i) {
    byAddress_.append(static_cast<int>(i));
    if (nodes_[i]->copyTarget()) byCopyTarget_.append(static_cast<int>(i));
  }
  sortPositions(byAddress_, [this](int a, int b) { return std::less<>()(addressOf(nodes_[a]), addressOf(nodes_[b])); });
  sortPositions(byCopyTarget_, [this](int a, int b) {
    return addressOf(nodes_[a]->copyTarget()) < addressOf(nodes_[b]->copyTarget());
  });
  stamp_ = metaTreeChangeCount;
}

std::size_t referenceTableC::positionOf(const metaTreeC* node) {
  build();
  const auto keyOf = [this](int i) { return addressOf(nodes_[i]); };
  const std::size_t at = lowerBound(byAddress_, addressOf(node), keyOf);
  if (at < byAddress_.size() && nodes_[byAddress_[at]] == node) return static_cast<std::size_t>(byAddress_[at]) + 1;
  return 0;
}

metaTreeC* referenceTableC::nodeAt(std::int64_t position) {
  build();
  if (position <= 0 || static_cast<std::uint64_t>(position) > nodes_.size()) return nullptr;
  return nodes_[static_cast<std::size_t>(position - 1)];
}

metaTreeC* referenceTableC::copyOf(const metaTreeC* oldAddress) {
  build();
  const auto keyOf = [this](int i) { return addressOf(nodes_[i]->copyTarget()); };
  const std::size_t at = lowerBound(byCopyTarget_, addressOf(oldAddress), keyOf);
  if (at < byCopyTarget_.size() && nodes_[byCopyTarget_[at]]->copyTarget() == oldAddress)
    return nodes_[byCopyTarget_[at]];
  return nullptr;
}

referenceTableC& referenceTable() {
  static referenceTableC table;
  return table;
}

}  // namespace lorvane
