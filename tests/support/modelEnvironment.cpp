#include "modelEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

#include "lorvane/document/modelRegistration.h"

namespace lorvane::test {

namespace {

std::unique_ptr<modelRegistrationC>& registration() {
  static std::unique_ptr<modelRegistrationC> instance;
  return instance;
}

class modelEnvironmentC : public ::testing::Environment {
public:
  void SetUp() override { restoreModelRegistration(); }
  void TearDown() override { dropModelRegistration(); }
};

[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new modelEnvironmentC);

}  // namespace

void dropModelRegistration() { registration().reset(); }

void restoreModelRegistration() {
  registration().reset();
  registration() = std::make_unique<modelRegistrationC>();
}

}  // namespace lorvane::test
