#include "lorvane/writers/me10/me10Model.h"

#include <algorithm>

namespace lorvane {

std::int32_t ME10Model::layerIndex(std::string_view name) {
  std::string key(name);
  if (const auto found = layerLookup_.find(key); found != layerLookup_.end()) return found->second;
  const auto index = static_cast<std::int32_t>(layers_.size());
  layers_.push_back(key);
  layerLookup_.emplace(std::move(key), index);
  return index;
}

ME10Part& ME10Model::addPart() {
  auto part = std::make_unique<ME10Part>(this);
  if (!parts_.empty()) part->follow(*parts_.back());
  parts_.push_back(std::move(part));
  return *parts_.back();
}

void ME10Model::setModelName(std::string_view name) {
  modelName_.assign(name);
  std::replace(modelName_.begin(), modelName_.end(), '~', '_');
}

void ME10Model::pruneParts() {
  // Walking from the first part and dropping each empty one while another
  // part remains leaves every non-empty part, or the last part when all are
  // empty. That result is built here in one pass.
  const bool anyFilled = std::any_of(parts_.begin(), parts_.end(), [](const auto& p) { return !p->isEmpty(); });
  if (anyFilled) {
    std::erase_if(parts_, [](const auto& p) { return p->isEmpty(); });
  } else if (parts_.size() > 1) {
    parts_.erase(parts_.begin(), parts_.end() - 1);
  }
}

void ME10Model::numberRecords() {
  statusNumber_ = 1;
  layerBase_ = 2;
  firstAssemblyNumber_ = addNumbers(layerBase_, static_cast<std::int64_t>(layers_.size()));
  // Without parts the highest number in the file is the last layer's (or the
  // status record's), the one before the first assembly.
  lastNumber_ = addNumbers(firstAssemblyNumber_, -1);
  const bool topAssembly = parts_.size() > 1;
  std::int32_t next =
      addNumbers(firstAssemblyNumber_, static_cast<std::int64_t>(parts_.size()) + (topAssembly ? 1 : 0));
  for (const auto& part : parts_) {
    lastNumber_ = part->assignNumbers(next);
    next = addNumbers(lastNumber_, 1);
  }
}

}  // namespace lorvane
