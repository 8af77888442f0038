#include <gtest/gtest.h>

#include "tests/dialog/model_driver.h"
#include "tests/dialog/scenario.h"

namespace krovan::testing {
namespace {

class ModelScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(ModelScenarioTest, BehavesAsExpected) {
  ModelDriver driver;
  RunScenario(GetParam(), driver);
}

INSTANTIATE_TEST_SUITE_P(ControlModel, ModelScenarioTest, ::testing::ValuesIn(AllScenarios()),
                         ScenarioName);

}  // namespace
}  // namespace krovan::testing
