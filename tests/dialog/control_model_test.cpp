#include "tests/dialog/control_model.h"

#include <gtest/gtest.h>

#include <csignal>

#include "tests/dialog/toolkit_conformance.h"

namespace krovan::testing {
namespace {

class ModelUnderTest final : public ToolkitUnderTest {
 public:
  ToolkitOperations& form() override { return model_; }
  void Press(Button button) override { model_.Press(button); }
  bool IsEnabled(DropDownList list) const override { return model_.IsEnabled(list); }
  std::vector<std::string> Items(DropDownList list) const override {
    std::vector<std::string> items;
    for (int index = 0; index < model_.ItemCount(list); ++index) {
      items.push_back(model_.ItemText(list, index));
    }
    return items;
  }
  std::vector<ShownMessage> Messages() const override {
    std::vector<ShownMessage> messages;
    for (const auto& [text, title, icon] : model_.Messages()) {
      messages.push_back({text, title, icon});
    }
    return messages;
  }

 private:
  ControlModel model_;
};

std::unique_ptr<ToolkitUnderTest> MakeModel() {
  return std::make_unique<ModelUnderTest>();
}

INSTANTIATE_TEST_SUITE_P(ControlModel, ToolkitConformanceTest, ::testing::Values(&MakeModel));

// The program stops with std::abort(), which prints nothing: the signal, or on Windows the exit
// code 3 that abort() ends with, is what tells that stop from any other death, a crash among them.
#ifdef _WIN32
#define EXPECT_ABORTS(statement) EXPECT_EXIT(statement, ::testing::ExitedWithCode(3), "")
#else
#define EXPECT_ABORTS(statement) EXPECT_EXIT(statement, ::testing::KilledBySignal(SIGABRT), "")
#endif

// A name outside its kind's rows in the window's table stops the program where the call is made,
// before any toolkit reaches a control by it.
TEST(ControlModelDeathTest, CallsOnControlsOutsideTheTableStopTheProgram) {
  ControlModel model;
  const auto stray = [](auto name) { return static_cast<decltype(name)>(99); };
  EXPECT_ABORTS(model.SetListIndex(stray(DropDownList::cmbDepth), 0));
  EXPECT_ABORTS(model.SetEnabled(cmbKeys(kDropDownListCount), false));
  // One slot past the last key list would be the colour-depth list.
  EXPECT_ABORTS(model.SetListIndex(cmbKeys(kKeySlotCount), 0));
  EXPECT_ABORTS(model.GetListIndex(cmbKeys(-1)));
  EXPECT_ABORTS(model.TurnOn(stray(OptionButton::optCustom)));
  EXPECT_ABORTS(model.SetValue(static_cast<CheckBox>(-1), 1));
  EXPECT_ABORTS(model.GetValue(stray(Slider::sdrSound)));
  EXPECT_ABORTS(model.Press(stray(Button::cmdOK)));
}

TEST(ControlModelTest, IsShownAndClosedOnlyWhenTold) {
  ControlModel model;
  EXPECT_FALSE(model.IsShown());
  EXPECT_FALSE(model.IsClosed());
  model.ShowForm();
  EXPECT_TRUE(model.IsShown());
  EXPECT_FALSE(model.IsClosed());
  model.CloseForm();
  EXPECT_TRUE(model.IsClosed());
}

}  // namespace
}  // namespace krovan::testing
