#include "config/control_schemes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>

#include "config/control_model.h"
#include "config/keys/key_table.h"

namespace krovan {
namespace {

using ::testing::InSequence;
using ::testing::Return;
using ::testing::StrictMock;

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

class MockToolkit : public ToolkitOperations {
 public:
  MOCK_METHOD(void, ShowForm, (), (override));
  MOCK_METHOD(void, CloseForm, (), (override));
  MOCK_METHOD(void, ShowMessage, (std::string_view, std::string_view, MessageIcon), (override));
  MOCK_METHOD(void, AppendItem, (DropDownList, std::string_view), (override));
  MOCK_METHOD(int, GetListIndex, (DropDownList), (const, override));
  MOCK_METHOD(bool, SetListIndex, (DropDownList, int), (override));
  MOCK_METHOD(void, SetEnabled, (DropDownList, bool), (override));
  MOCK_METHOD(bool, IsOn, (OptionButton), (const, override));
  MOCK_METHOD(void, TurnOn, (OptionButton), (override));
  MOCK_METHOD(int, GetValue, (CheckBox), (const, override));
  MOCK_METHOD(void, SetValue, (CheckBox, int), (override));
  MOCK_METHOD(int, GetValue, (Slider), (const, override));
  MOCK_METHOD(bool, SetValue, (Slider, int), (override));
  MOCK_METHOD(FileRemoval, RemoveFile, (const std::string&), (override));
};

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

void PrintTo(const Preset& preset, std::ostream* out) {
  *out << preset.name;
}

class PresetTest : public ::testing::TestWithParam<Preset> {};

TEST_P(PresetTest, SelectsAllTenThenLocksAllTenAndTouchesNothingElse) {
  StrictMock<MockToolkit> form;
  InSequence in_order;
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_CALL(form, SetListIndex(cmbKeys(slot), GetParam().indexes[slot])).WillOnce(Return(true));
  }
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_CALL(form, SetEnabled(cmbKeys(slot), false));
  }
  GetParam().routine(form);
}

TEST_P(PresetTest, ShowsThePresetKeysLockedWhateverWasPicked) {
  ControlModel model = FilledModel();
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    model.SetListIndex(cmbKeys(slot), 143 - slot);
  }
  GetParam().routine(model);
  GetParam().routine(model);
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    const int index = model.GetListIndex(cmbKeys(slot));
    EXPECT_EQ(model.ItemText(cmbKeys(slot), index), GetParam().keys[slot]) << "slot " << slot;
    EXPECT_EQ(GetKeyCode(static_cast<std::int16_t>(index)), GetParam().codes[slot]);
    EXPECT_FALSE(model.IsEnabled(cmbKeys(slot)));
  }
  EXPECT_TRUE(model.IsOn(OptionButton::optClassic)) << "the routine leaves the buttons alone";
}

INSTANTIATE_TEST_SUITE_P(Presets, PresetTest, ::testing::Values(kClassic, kEnhanced),
                         [](const auto& info) { return info.param.name; });

TEST(CustomSchemeTest, EnablesAllTenAndChangesNoSelection) {
  StrictMock<MockToolkit> form;
  InSequence in_order;
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    EXPECT_CALL(form, SetEnabled(cmbKeys(slot), true));
  }
  optCustom_Click(form);
}

}  // namespace
}  // namespace krovan
