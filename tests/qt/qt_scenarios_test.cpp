#include <gtest/gtest.h>

#include "tests/dialog/scenario.h"
#include "tests/qt/qt_user_driver.h"

namespace krovan::testing {
namespace {

class QtScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(QtScenarioTest, BehavesAsExpected) {
  QtUserDriver driver;
  RunScenario(GetParam(), driver);
}

INSTANTIATE_TEST_SUITE_P(QtWindow, QtScenarioTest, ::testing::ValuesIn(AllScenarios()),
                         ScenarioName);

}  // namespace
}  // namespace krovan::testing
