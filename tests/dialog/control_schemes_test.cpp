#include "config/control_schemes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "config/control_model.h"
#include "config/keys/key_table.h"

namespace krovan {
namespace {

using ::testing::IsEmpty;

using SchemeRoutine = void (*)(ToolkitOperations&);

struct Preset {
  std::string name;
  SchemeRoutine routine;
  std::array<std::string, kKeySlotCount> keys;
  std::array<int, kKeySlotCount> indexes;
  std::array<ScanCode, kKeySlotCount> codes;
};

const Preset kClassic{"Classic",
                      &optClassic_Click,
                      {"E", "D", "X", "S", "Q", "I", "K", "M", "J", "Return/Enter"},
                      {17, 31, 44, 30, 15, 22, 36, 49, 35, 27},
                      {18, 32, 45, 31, 16, 23, 37, 50, 36, 28}};
const Preset kEnhanced{
    "Enhanced",
    &optEnhanced_Click,
    {"Up", "Right", "Down", "Left", "Right Control", "W", "D", "S", "A", "Left Control"},
    {120, 123, 125, 122, 106, 16, 31, 30, 29, 28},
    {200, 205, 208, 203, 157, 17, 32, 31, 30, 29}};

// Ten key lists filled as the load sequence fills them.
ControlModel FilledModel() {
  ControlModel model;
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    for (const KeyRow& key : KeyTable) {
      model.AppendItem(cmbKeys(slot), key.name);
    }
  }
  return model;
}

// Everything on the window but the key lists, to tell that a routine left it alone.
struct OtherControls {
  int depth;
  std::vector<bool> options;
  std::vector<int> values;
  bool operator==(const OtherControls&) const = default;
};

OtherControls OtherControlsOf(const ControlModel& model) {
  OtherControls other{model.GetListIndex(DropDownList::cmbDepth), {}, {}};
  using enum OptionButton;
  for (const OptionButton button :
       {optFullScreen, optWindowed, optLow, optHigh, optClassic, optEnhanced, optCustom}) {
    other.options.push_back(model.IsOn(button));
  }
  using enum CheckBox;
  for (const CheckBox box : {chkAntialiasing, chkDithering, chkWBuffering, chkDebug}) {
    other.values.push_back(model.GetValue(box));
  }
  other.values.push_back(model.GetValue(Slider::sdrSound));
  return other;
}

// Records that no routine runs.
struct NoRoutine final : FormEvents {
  void cmbDepth_Click() override { ran = true; }
  void cmdOK_Click() override { ran = true; }
  void cmdCancel_Click() override { ran = true; }
  void cmdReset_Click() override { ran = true; }
  void optClassic_Click() override { ran = true; }
  void optEnhanced_Click() override { ran = true; }
  void optCustom_Click() override { ran = true; }
  bool ran = false;
};

void PrintTo(const Preset& preset, std::ostream* out) {
  *out << preset.name;
}

class PresetTest : public ::testing::TestWithParam<Preset> {};

// Whatever was picked before, and however often it runs, a preset shows its own keys locked
// and changes nothing else on the window.
TEST_P(PresetTest, ShowsThePresetKeysLockedAndTouchesNothingElse) {
  ControlModel model = FilledModel();
  model.SetValue(CheckBox::chkDebug, 1);
  model.SetListIndex(DropDownList::cmbDepth, 2);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    model.SetListIndex(cmbKeys(slot), 143 - slot);
  }
  const OtherControls before = OtherControlsOf(model);
  NoRoutine events;
  model.Connect(events);
  GetParam().routine(model);
  GetParam().routine(model);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    const int index = model.GetListIndex(cmbKeys(slot));
    EXPECT_EQ(index, GetParam().indexes[slot]) << "slot " << slot;
    EXPECT_EQ(model.ItemText(cmbKeys(slot), index), GetParam().keys[slot]) << "slot " << slot;
    EXPECT_EQ(GetKeyCode(static_cast<std::int16_t>(index)), GetParam().codes[slot]);
    EXPECT_FALSE(model.IsEnabled(cmbKeys(slot)));
  }
  EXPECT_EQ(OtherControlsOf(model), before);
  EXPECT_FALSE(events.ran);
  EXPECT_THAT(model.Messages(), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Presets, PresetTest, ::testing::Values(kClassic, kEnhanced),
                         [](const auto& info) { return info.param.name; });

// After a preset locked the lists, Custom unlocks all ten and keeps the preset's keys.
TEST(CustomSchemeTest, EnablesAllTenAndChangesNoSelection) {
  ControlModel model = FilledModel();
  optEnhanced_Click(model);
  const OtherControls before = OtherControlsOf(model);
  optCustom_Click(model);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_TRUE(model.IsEnabled(cmbKeys(slot))) << "slot " << slot;
    EXPECT_EQ(model.GetListIndex(cmbKeys(slot)), kEnhanced.indexes[slot]) << "slot " << slot;
  }
  EXPECT_EQ(OtherControlsOf(model), before);
}

}  // namespace
}  // namespace krovan
