#include "config/control_schemes.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "config/keys/key_table.h"
#include "tests/dialog/control_model.h"
#include "tests/dialog/recording_events.h"
#include "tests/dialog/window_state.h"
#include "tests/preset_keys.h"

namespace krovan::testing {
namespace {

using ::testing::IsEmpty;

// Ten key lists filled as the load sequence fills them, each showing another key, some of the
// other controls changed from the design-time state.
void FillAndPick(ControlModel& model) {
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    for (const KeyRow& key : KeyTable) {
      model.AppendItem(cmbKeys(slot), key.name);
    }
    model.SetListIndex(cmbKeys(slot), 143 - slot);
  }
  model.SetValue(CheckBox::chkDebug, 1);
  model.SetListIndex(DropDownList::cmbDepth, 2);
}

std::vector<ControlIndex> KeyLists() {
  std::vector<ControlIndex> lists;
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    lists.push_back(form::IndexOf(cmbKeys(slot)));
  }
  return lists;
}

// Whatever was picked before, and however often it runs, a preset shows its own keys locked;
// Custom unlocks the lists as they are. Neither changes anything else on the window, nor runs a
// routine.
TEST(ControlSchemesTest, PutTheirKeysIntoTheKeyListsOnly) {
  const struct {
    Scheme before;  // the keys picked under Custom, or Enhanced's locked
    Scheme scheme;
    const PresetKeys& shown;
    bool enabled;
  } kCases[] = {
      {Scheme::kCustom, Scheme::kClassic, kClassic, false},
      {Scheme::kCustom, Scheme::kEnhanced, kEnhanced, false},
      {Scheme::kEnhanced, Scheme::kCustom, kEnhanced, true},
  };
  for (const auto& [first, scheme, shown, enabled] : kCases) {
    ControlModel model;
    FillAndPick(model);
    ApplyScheme(model, first);
    const WindowState before = StateOf(model, model);
    RecordingEvents events(model);
    ApplyScheme(model, scheme);
    ApplyScheme(model, scheme);
    const WindowState after = StateOf(model, model);
    const std::string what = "scheme " + std::to_string(StoredValue(scheme));
    ExpectWindow(after, before, what, KeyLists());
    for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
      const ControlState key = after[form::IndexOf(cmbKeys(slot))];
      EXPECT_EQ(key, (ControlState{shown.indexes[slot], enabled})) << what << ", slot " << slot;
      EXPECT_EQ(model.ItemText(cmbKeys(slot), key.value), shown.names[slot]) << what;
      EXPECT_EQ(GetKeyCode(static_cast<std::int16_t>(key.value)), shown.codes[slot]) << what;
    }
    EXPECT_THAT(events.log, IsEmpty()) << what;
    EXPECT_THAT(model.Messages(), IsEmpty()) << what;
  }
}

}  // namespace
}  // namespace krovan::testing
