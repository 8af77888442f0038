#include "tests/dialog/toolkit_conformance.h"

#include <gmock/gmock.h>

#include <array>
#include <climits>
#include <functional>
#include <set>
#include <string_view>

#include "tests/dialog/recording_events.h"
#include "tests/dialog/window_state.h"

namespace krovan::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using enum OptionButton;

std::set<OptionButton> OptionsOn(const ToolkitOperations& form) {
  std::set<OptionButton> on;
  for (const OptionButton button : kOptionButtons) {
    if (form.IsOn(button)) {
      on.insert(button);
    }
  }
  return on;
}

// A fresh implementation with the recorder connected.
struct Fixture {
  explicit Fixture(ToolkitFactory make) : ui(make()), events(ui->form()) {}
  ToolkitOperations& form() { return ui->form(); }

  std::unique_ptr<ToolkitUnderTest> ui;
  RecordingEvents events;
};

void FillKeyList(ToolkitOperations& form, KeySlot slot) {
  for (const char* name : {"ESCAPE", "1", "2"}) {
    form.AppendItem(cmbKeys(slot), name);
  }
}

TEST_P(ToolkitConformanceTest, StartsInTheDesignTimeState) {
  Fixture f(GetParam());
  EXPECT_THAT(f.ui->Items(DropDownList::cmbDepth), ElementsAre("16-bit", "24-bit", "32-bit"));
  EXPECT_EQ(f.form().GetListIndex(DropDownList::cmbDepth), -1);
  EXPECT_EQ(OptionsOn(f.form()), (std::set{optFullScreen, optLow, optClassic}));
  const std::array<int, 4> boxes = {0, 1, 1, 0};
  for (std::size_t box = 0; box < boxes.size(); ++box) {
    EXPECT_EQ(f.form().GetValue(static_cast<CheckBox>(box)), boxes[box]) << "box " << box;
  }
  EXPECT_EQ(f.form().GetValue(Slider::sdrSound), 75);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_THAT(f.ui->Items(cmbKeys(slot)), IsEmpty()) << "slot " << slot;
    EXPECT_EQ(f.form().GetListIndex(cmbKeys(slot)), -1) << "slot " << slot;
    EXPECT_TRUE(f.ui->IsEnabled(cmbKeys(slot))) << "slot " << slot;
  }
  EXPECT_THAT(f.ui->Messages(), IsEmpty());
  EXPECT_THAT(f.events.log, IsEmpty());
}

// A change runs its control's routine once, after the change and nested inside it; a change to
// the state already shown, and a change to any other control, runs nothing.
TEST_P(ToolkitConformanceTest, RoutinesRunOnceAfterTheirControlsChange) {
  const struct {
    const char* name;
    std::function<void(ToolkitUnderTest&)> change;
    std::vector<std::string> log;
  } kCases[] = {
      {"depth",
       [](auto& ui) { ui.form().SetListIndex(DropDownList::cmbDepth, 1); },
       {"cmbDepth_Click 1"}},
      {"depth twice to one entry",
       [](auto& ui) {
         ui.form().SetListIndex(DropDownList::cmbDepth, 2);
         ui.form().SetListIndex(DropDownList::cmbDepth, 2);
       },
       {"cmbDepth_Click 2"}},
      {"depth cleared",
       [](auto& ui) {
         ui.form().SetListIndex(DropDownList::cmbDepth, 0);
         ui.form().SetListIndex(DropDownList::cmbDepth, -1);
       },
       {"cmbDepth_Click 0", "cmbDepth_Click -1"}},
      {"schemes",
       [](auto& ui) {
         for (const OptionButton scheme : {optEnhanced, optCustom, optClassic, optCustom}) {
           ui.form().TurnOn(scheme);
         }
       },
       {"optEnhanced_Click optEnhanced", "optCustom_Click optCustom", "optClassic_Click optClassic",
        "optCustom_Click optCustom"}},
      {"scheme already on", [](auto& ui) { ui.form().TurnOn(optClassic); }, {}},
      {"other option buttons",
       [](auto& ui) {
         for (const OptionButton button : {optWindowed, optFullScreen, optHigh, optLow}) {
           ui.form().TurnOn(button);
         }
       },
       {}},
      {"check boxes and slider",
       [](auto& ui) {
         ui.form().SetValue(CheckBox::chkAntialiasing, 1);
         ui.form().SetValue(CheckBox::chkWBuffering, 0);
         ui.form().SetValue(Slider::sdrSound, 3);
       },
       {}},
      {"key list filled, selected and locked",
       [](auto& ui) {
         FillKeyList(ui.form(), 4);
         ui.form().SetListIndex(cmbKeys(4), 2);
         ui.form().SetEnabled(cmbKeys(4), false);
       },
       {}},
      {"buttons pressed",
       [](auto& ui) {
         for (const Button button : {Button::cmdReset, Button::cmdOK, Button::cmdCancel}) {
           ui.Press(button);
         }
       },
       {"cmdReset_Click", "cmdOK_Click", "cmdCancel_Click"}},
  };
  for (const auto& [name, change, log] : kCases) {
    Fixture f(GetParam());
    change(*f.ui);
    EXPECT_EQ(f.events.log, log) << name;
  }
}

TEST_P(ToolkitConformanceTest, TurningOnAnOptionTurnsOffTheOthersOfItsFrameOnly) {
  const struct {
    OptionButton button;
    std::set<OptionButton> on_after;
  } kCases[] = {
      {optWindowed, {optWindowed, optLow, optClassic}},
      {optHigh, {optFullScreen, optHigh, optClassic}},
      {optEnhanced, {optFullScreen, optLow, optEnhanced}},
      {optCustom, {optFullScreen, optLow, optCustom}},
  };
  for (const auto& [button, on_after] : kCases) {
    Fixture f(GetParam());
    f.form().TurnOn(button);
    EXPECT_EQ(OptionsOn(f.form()), on_after) << "button " << static_cast<int>(button);
  }
}

// A value outside the control's range is refused and changes nothing, so runs nothing.
TEST_P(ToolkitConformanceTest, RefusesValuesOutsideTheRange) {
  const struct {
    const char* name;
    std::function<bool(ToolkitOperations&)> set;
  } kCases[] = {
      {"depth -2", [](auto& form) { return form.SetListIndex(DropDownList::cmbDepth, -2); }},
      {"depth 3", [](auto& form) { return form.SetListIndex(DropDownList::cmbDepth, 3); }},
      {"depth INT_MIN",
       [](auto& form) { return form.SetListIndex(DropDownList::cmbDepth, INT_MIN); }},
      {"depth INT_MAX",
       [](auto& form) { return form.SetListIndex(DropDownList::cmbDepth, INT_MAX); }},
      {"key 3 of 3", [](auto& form) { return form.SetListIndex(cmbKeys(9), 3); }},
      {"key -2", [](auto& form) { return form.SetListIndex(cmbKeys(9), -2); }},
      {"empty key list", [](auto& form) { return form.SetListIndex(cmbKeys(0), 0); }},
      {"volume -1", [](auto& form) { return form.SetValue(Slider::sdrSound, -1); }},
      {"volume 101", [](auto& form) { return form.SetValue(Slider::sdrSound, 101); }},
      {"volume 32767", [](auto& form) { return form.SetValue(Slider::sdrSound, 32767); }},
      {"volume INT_MIN", [](auto& form) { return form.SetValue(Slider::sdrSound, INT_MIN); }},
  };
  for (const auto& [name, set] : kCases) {
    Fixture f(GetParam());
    FillKeyList(f.form(), 9);
    ASSERT_TRUE(f.form().SetListIndex(DropDownList::cmbDepth, 1));
    ASSERT_TRUE(f.form().SetListIndex(cmbKeys(9), 1));
    EXPECT_FALSE(set(f.form())) << name;
    EXPECT_EQ(f.form().GetListIndex(DropDownList::cmbDepth), 1) << name;
    EXPECT_EQ(f.form().GetListIndex(cmbKeys(9)), 1) << name;
    EXPECT_EQ(f.form().GetListIndex(cmbKeys(0)), -1) << name;
    EXPECT_EQ(f.form().GetValue(Slider::sdrSound), 75) << name;
    EXPECT_THAT(f.events.log, ElementsAre("cmbDepth_Click 1")) << name;
  }
}

TEST_P(ToolkitConformanceTest, AcceptsEveryValueInTheRange) {
  Fixture f(GetParam());
  for (const int volume : {0, 100, 42}) {
    EXPECT_TRUE(f.form().SetValue(Slider::sdrSound, volume));
    EXPECT_EQ(f.form().GetValue(Slider::sdrSound), volume);
  }
  for (const int value : {1, 0}) {
    f.form().SetValue(CheckBox::chkDebug, value);
    EXPECT_EQ(f.form().GetValue(CheckBox::chkDebug), value);
  }
  EXPECT_TRUE(f.form().SetListIndex(cmbKeys(0), -1)) << "no selection is always allowed";
}

TEST_P(ToolkitConformanceTest, AppendedItemsKeepTheirOrderAndTheSelection) {
  Fixture f(GetParam());
  FillKeyList(f.form(), 9);
  EXPECT_THAT(f.ui->Items(cmbKeys(9)), ElementsAre("ESCAPE", "1", "2"));
  EXPECT_EQ(f.form().GetListIndex(cmbKeys(9)), -1);
  ASSERT_TRUE(f.form().SetListIndex(cmbKeys(9), 2));
  f.form().AppendItem(cmbKeys(9), "0");
  EXPECT_EQ(f.form().GetListIndex(cmbKeys(9)), 2);
  const std::array<std::string_view, 2> more = {"Minus (-)", "Equals (=)"};
  f.form().AppendItems(cmbKeys(9), more);
  f.form().AppendItems(cmbKeys(8), more);
  EXPECT_THAT(f.ui->Items(cmbKeys(9)),
              ElementsAre("ESCAPE", "1", "2", "0", "Minus (-)", "Equals (=)"));
  EXPECT_EQ(f.form().GetListIndex(cmbKeys(9)), 2);
  EXPECT_THAT(f.ui->Items(cmbKeys(8)), ElementsAre("Minus (-)", "Equals (=)"));
  EXPECT_EQ(f.form().GetListIndex(cmbKeys(8)), -1) << "an empty list filled selects nothing";
  EXPECT_THAT(f.events.log, IsEmpty());
  f.form().SetEnabled(cmbKeys(9), false);
  EXPECT_FALSE(f.ui->IsEnabled(cmbKeys(9)));
  EXPECT_TRUE(f.ui->IsEnabled(cmbKeys(8)));
}

TEST_P(ToolkitConformanceTest, MessageBoxesShowTextAsItIsWithTitleAndIcon) {
  Fixture f(GetParam());
  const std::vector<ShownMessage> shown = {
      {"Permission <b>denied</b>: \xC3\x9C", "Error", MessageIcon::Error},
      {"High scores have been reset.", "Notice", MessageIcon::Information},
  };
  for (const ShownMessage& message : shown) {
    f.form().ShowMessage(message.text, message.title, message.icon);
  }
  EXPECT_EQ(f.ui->Messages(), shown);
}

}  // namespace
}  // namespace krovan::testing
