#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lorvane/writers/me10/me10Part.h"

namespace lorvane {

// The drawing as the ME10 system sees it: parts in figure order, the layer
// names in order of first registration, and the record numbers that the MI
// file gives them.
class ME10Model {
public:
  ME10Model() = default;
  ME10Model(const ME10Model&) = delete;
  ME10Model& operator=(const ME10Model&) = delete;

  // The index of the layer name (compared byte by byte), registered on first use.
  std::int32_t layerIndex(std::string_view name);

  // A new empty part, owned by the model and appended to its parts. The part
  // before it counts as complete.
  ME10Part& addPart();

  // Stored with every '~' made '_'.
  void setModelName(std::string_view name);

  // Removes the empty parts while more than one part remains.
  void pruneParts();
  // Numbers the status record, the layers, the assemblies and then each
  // part's points, elements and texts, in the order the file writes them.
  void numberRecords();

  // Numbers while the file is written: 1, 2, 3, ...
  void restartNumbers() { nextNumber_ = 1; }
  std::int32_t takeNumber() {
    const std::int32_t number = nextNumber_;
    nextNumber_ = addNumbers(nextNumber_, 1);
    return number;
  }
  std::int32_t nextNumber() const { return nextNumber_; }

  const std::vector<std::unique_ptr<ME10Part>>& parts() const { return parts_; }
  const std::vector<std::string>& layers() const { return layers_; }
  const std::string& modelName() const { return modelName_; }
  const std::array<double, 4>& extents() const { return extents_; }
  const std::array<double, 4>& assemblyPlacement() const { return assemblyPlacement_; }
  std::int32_t statusNumber() const { return statusNumber_; }
  std::int32_t layerBase() const { return layerBase_; }
  std::int32_t firstAssemblyNumber() const { return firstAssemblyNumber_; }
  std::int32_t lastNumber() const { return lastNumber_; }

private:
  std::vector<std::unique_ptr<ME10Part>> parts_;
  std::vector<std::string> layers_;
  std::unordered_map<std::string, std::int32_t> layerLookup_;  // name -> index in layers_
  std::string modelName_;
  std::array<double, 4> extents_{};
  std::array<double, 4> assemblyPlacement_{};
  std::int32_t statusNumber_ = 1;
  std::int32_t layerBase_ = 2;
  std::int32_t firstAssemblyNumber_ = 0;
  std::int32_t lastNumber_ = 0;
  std::int32_t nextNumber_ = 1;
};

}  // namespace lorvane
