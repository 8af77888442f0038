#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/toolkit.h"
#include "tests/dialog/user_driver.h"

namespace krovan::testing {

// One implementation of the toolkit operations, fresh in its design-time state, and what a test
// needs beyond the operations themselves: a user's press of a button, and what the screen shows.
class ToolkitUnderTest {
 public:
  virtual ~ToolkitUnderTest() = default;
  virtual ToolkitOperations& form() = 0;
  virtual void Press(Button button) = 0;
  virtual bool IsEnabled(DropDownList list) const = 0;
  virtual std::vector<std::string> Items(DropDownList list) const = 0;
  virtual std::vector<ShownMessage> Messages() const = 0;  // every message box so far, in order
};

using ToolkitFactory = std::unique_ptr<ToolkitUnderTest> (*)();

// The same cases for every implementation; each test program instantiates the suite with its
// own factory:
//   INSTANTIATE_TEST_SUITE_P(Qt, ToolkitConformanceTest, ::testing::Values(&MakeQtWindow));
class ToolkitConformanceTest : public ::testing::TestWithParam<ToolkitFactory> {};

}  // namespace krovan::testing
