#include <gtest/gtest.h>

#include <memory>

#include "lorvane/document/modelRegistration.h"

namespace lorvane {
namespace {

// The classes are registered once for the program, as a loaded module would.
class modelEnvironmentC : public ::testing::Environment {
public:
  void SetUp() override { registration_ = std::make_unique<modelRegistrationC>(); }
  void TearDown() override { registration_.reset(); }

private:
  std::unique_ptr<modelRegistrationC> registration_;
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new modelEnvironmentC);

}  // namespace
}  // namespace lorvane
