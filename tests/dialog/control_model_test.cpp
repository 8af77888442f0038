#include "config/control_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace krovan {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::array kAllOptions = {
    OptionButton::optFullScreen, OptionButton::optWindowed, OptionButton::optLow,
    OptionButton::optHigh,       OptionButton::optClassic,  OptionButton::optEnhanced,
    OptionButton::optCustom,
};

std::set<OptionButton> OptionsOn(const ControlModel& model) {
  std::set<OptionButton> on;
  for (const OptionButton button : kAllOptions) {
    if (model.IsOn(button)) {
      on.insert(button);
    }
  }
  return on;
}

// Records each routine the model runs, with the state it sees at that moment.
class RecordingEvents final : public FormEvents {
 public:
  explicit RecordingEvents(ControlModel& model) : model_(model) { model.Connect(*this); }

  void cmbDepth_Click() override {
    calls.push_back("cmbDepth_Click at " +
                    std::to_string(model_.GetListIndex(DropDownList::cmbDepth)));
  }
  void cmdOK_Click() override { calls.push_back("cmdOK_Click"); }
  void cmdCancel_Click() override { calls.push_back("cmdCancel_Click"); }
  void cmdReset_Click() override { calls.push_back("cmdReset_Click"); }
  void optClassic_Click() override { Scheme("optClassic_Click", OptionButton::optClassic); }
  void optEnhanced_Click() override { Scheme("optEnhanced_Click", OptionButton::optEnhanced); }
  void optCustom_Click() override { Scheme("optCustom_Click", OptionButton::optCustom); }

  std::vector<std::string> calls;

 private:
  void Scheme(const std::string& name, OptionButton button) {
    calls.push_back(name + (OptionsOn(model_).contains(button) ? " while on" : " while off"));
  }

  ControlModel& model_;
};

TEST(ControlModelTest, StartsInDesignTimeState) {
  const ControlModel model;
  EXPECT_EQ(model.ItemCount(DropDownList::cmbDepth), 3);
  EXPECT_EQ(model.ItemText(DropDownList::cmbDepth, 0), "16-bit");
  EXPECT_EQ(model.ItemText(DropDownList::cmbDepth, 1), "24-bit");
  EXPECT_EQ(model.ItemText(DropDownList::cmbDepth, 2), "32-bit");
  EXPECT_EQ(model.GetListIndex(DropDownList::cmbDepth), -1);
  EXPECT_EQ(OptionsOn(model), (std::set{OptionButton::optFullScreen, OptionButton::optLow,
                                        OptionButton::optClassic}));
  EXPECT_EQ(model.GetValue(CheckBox::chkAntialiasing), 0);
  EXPECT_EQ(model.GetValue(CheckBox::chkDithering), 1);
  EXPECT_EQ(model.GetValue(CheckBox::chkWBuffering), 1);
  EXPECT_EQ(model.GetValue(CheckBox::chkDebug), 0);
  EXPECT_EQ(model.GetValue(Slider::sdrSound), 75);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_EQ(model.ItemCount(cmbKeys(slot)), 0);
    EXPECT_EQ(model.GetListIndex(cmbKeys(slot)), -1);
    EXPECT_TRUE(model.IsEnabled(cmbKeys(slot)));
  }
  EXPECT_FALSE(model.IsShown());
  EXPECT_FALSE(model.IsClosed());
  EXPECT_THAT(model.Messages(), IsEmpty());
}

TEST(ControlModelTest, DepthChangeRunsRuleAfterTheIndexChanged) {
  ControlModel model;
  RecordingEvents events(model);
  EXPECT_TRUE(model.SetListIndex(DropDownList::cmbDepth, 2));
  EXPECT_TRUE(model.SetListIndex(DropDownList::cmbDepth, 2));
  EXPECT_TRUE(model.SetListIndex(DropDownList::cmbDepth, 0));
  EXPECT_THAT(events.calls, ElementsAre("cmbDepth_Click at 2", "cmbDepth_Click at 0"));
}

TEST(ControlModelTest, KeyListChangesRunNothing) {
  ControlModel model;
  RecordingEvents events(model);
  model.AppendItem(cmbKeys(3), "ESCAPE");
  model.AppendItem(cmbKeys(3), "1");
  EXPECT_TRUE(model.SetListIndex(cmbKeys(3), 1));
  model.SetEnabled(cmbKeys(3), false);
  EXPECT_EQ(model.GetListIndex(cmbKeys(3)), 1);
  EXPECT_FALSE(model.IsEnabled(cmbKeys(3)));
  EXPECT_THAT(events.calls, IsEmpty());
}

struct RefusedIndex {
  DropDownList list;
  int index;
};

void PrintTo(const RefusedIndex& refused, std::ostream* out) {
  *out << "list " << static_cast<int>(refused.list) << " index " << refused.index;
}

class RefusedIndexTest : public ::testing::TestWithParam<RefusedIndex> {};

TEST_P(RefusedIndexTest, LeavesSelectionAndRunsNothing) {
  ControlModel model;
  model.AppendItem(cmbKeys(9), "ESCAPE");
  model.AppendItem(cmbKeys(9), "1");
  RecordingEvents events(model);
  EXPECT_FALSE(model.SetListIndex(GetParam().list, GetParam().index));
  EXPECT_EQ(model.GetListIndex(GetParam().list), -1);
  EXPECT_THAT(events.calls, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(OutsideTheList, RefusedIndexTest,
                         ::testing::Values(RefusedIndex{DropDownList::cmbDepth, -2},
                                           RefusedIndex{DropDownList::cmbDepth, 3},
                                           RefusedIndex{DropDownList::cmbDepth, INT_MIN},
                                           RefusedIndex{cmbKeys(9), 2},
                                           RefusedIndex{cmbKeys(9), INT_MAX},
                                           RefusedIndex{cmbKeys(0), 0}));

struct TurningOn {
  OptionButton button;
  std::set<OptionButton> on_after;
  std::vector<std::string> calls;
};

void PrintTo(const TurningOn& turning_on, std::ostream* out) {
  *out << "button " << static_cast<int>(turning_on.button);
}

class TurnOnTest : public ::testing::TestWithParam<TurningOn> {};

TEST_P(TurnOnTest, TurnsOffItsFrameOnlyAndRunsSchemeRoutine) {
  ControlModel model;
  RecordingEvents events(model);
  model.TurnOn(GetParam().button);
  EXPECT_EQ(OptionsOn(model), GetParam().on_after);
  EXPECT_EQ(events.calls, GetParam().calls);
  model.TurnOn(GetParam().button);
  EXPECT_EQ(events.calls, GetParam().calls) << "turning on a button that is on runs nothing";
}

using enum OptionButton;

INSTANTIATE_TEST_SUITE_P(
    FromDesignTimeState, TurnOnTest,
    ::testing::Values(
        TurningOn{optWindowed, {optWindowed, optLow, optClassic}, {}},
        TurningOn{optFullScreen, {optFullScreen, optLow, optClassic}, {}},
        TurningOn{optHigh, {optFullScreen, optHigh, optClassic}, {}},
        TurningOn{optClassic, {optFullScreen, optLow, optClassic}, {}},
        TurningOn{
            optEnhanced, {optFullScreen, optLow, optEnhanced}, {"optEnhanced_Click while on"}},
        TurningOn{optCustom, {optFullScreen, optLow, optCustom}, {"optCustom_Click while on"}}));

TEST(ControlModelTest, SchemeTurnedOnAgainAfterAnotherRunsAgain) {
  ControlModel model;
  RecordingEvents events(model);
  model.TurnOn(optCustom);
  model.TurnOn(optClassic);
  model.TurnOn(optCustom);
  EXPECT_THAT(events.calls, ElementsAre("optCustom_Click while on", "optClassic_Click while on",
                                        "optCustom_Click while on"));
}

struct SliderCase {
  int value;
  bool accepted;
};

void PrintTo(const SliderCase& slider, std::ostream* out) {
  *out << slider.value;
}

class SliderTest : public ::testing::TestWithParam<SliderCase> {};

TEST_P(SliderTest, AcceptsOnlyItsRange) {
  ControlModel model;
  EXPECT_EQ(model.SetValue(Slider::sdrSound, GetParam().value), GetParam().accepted);
  EXPECT_EQ(model.GetValue(Slider::sdrSound), GetParam().accepted ? GetParam().value : 75);
}

INSTANTIATE_TEST_SUITE_P(Bounds, SliderTest,
                         ::testing::Values(SliderCase{0, true}, SliderCase{100, true},
                                           SliderCase{42, true}, SliderCase{-1, false},
                                           SliderCase{101, false}, SliderCase{INT_MIN, false},
                                           SliderCase{INT_MAX, false}));

TEST(ControlModelTest, ButtonsRunTheirRoutines) {
  ControlModel model;
  RecordingEvents events(model);
  model.Press(Button::cmdReset);
  model.Press(Button::cmdOK);
  model.Press(Button::cmdCancel);
  EXPECT_THAT(events.calls, ElementsAre("cmdReset_Click", "cmdOK_Click", "cmdCancel_Click"));
}

TEST(ControlModelTest, RemoveFileDeletesFilesOnlyAndTellsWhatHappened) {
  namespace fs = std::filesystem;
  const fs::path directory = fs::temp_directory_path() /
                             ("krovan-control-model-" + std::to_string(std::random_device()()));
  fs::create_directories(directory / "folder");
  std::ofstream(directory / "file") << "x";
  std::ofstream(directory / "plain") << "x";
  using enum FileRemoval::Outcome;
  const struct {
    const char* path;
    FileRemoval expected;
  } kCases[] = {
      {"file", {kRemoved}},
      {"file", {kAbsent}},
      {"missing/file", {kAbsent}},
      {"plain/file", {kAbsent}},
      {"folder", {kFailed, "Is a directory"}},
  };
  ControlModel model;
  for (const auto& [path, expected] : kCases) {
    EXPECT_EQ(model.RemoveFile((directory / path).string()), expected) << path;
  }
  EXPECT_TRUE(fs::is_directory(directory / "folder"));
  fs::remove_all(directory);
}

}  // namespace
}  // namespace krovan
