#include <gtest/gtest.h>

#include <vector>

#include "config/settings/file_errors_win32.h"
#include "tests/dialog/scenario.h"
#include "tests/win32/system_message.h"
#include "tests/win32/win32_driver.h"

namespace krovan::testing {
namespace {

// The shared scenarios as they play out on Windows, which words a refusal its own way: a
// read-only krovan3d.cfg and a directory in place of krovan3d.cfg are denied access, and a
// folder in place of the high-score file is refused as a folder. The message keeps its own
// sentence, up to the reason.
std::vector<Scenario> WindowsScenarios() {
  std::vector<Scenario> scenarios = AllScenarios();
  for (Scenario& scenario : scenarios) {
    for (ShownMessage& message : scenario.messages) {
      if (message.icon == MessageIcon::Error) {
        const bool reset = message.text.starts_with("The high scores in ");
        message.text =
            message.text.substr(0, message.text.find(". ") + 2) +
            (reset ? DescribeWindowsError(kIsFolder) + "." : SystemMessage(ERROR_ACCESS_DENIED));
      }
    }
  }
  return scenarios;
}

class Win32ScenarioTest : public ::testing::TestWithParam<Scenario> {};

TEST_P(Win32ScenarioTest, BehavesAsExpected) {
  Win32Driver driver;
  RunScenario(GetParam(), driver);
}

INSTANTIATE_TEST_SUITE_P(Win32Window, Win32ScenarioTest, ::testing::ValuesIn(WindowsScenarios()),
                         ScenarioName);

}  // namespace
}  // namespace krovan::testing
