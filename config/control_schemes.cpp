#include "config/control_schemes.h"

#include <array>

#include "config/keys/key_table.h"

namespace krovan {

namespace {

enum Preset { kClassic, kEnhanced };

using PresetKeys = std::array<ScanCode, kKeySlotCount>;

// The scan code each preset binds, by KeySlot: the Black Tank's Move Up, Move Right, Move Down,
// Move Left and Fire, then the White Tank's.
constexpr std::array<PresetKeys, 2> kPresetKeys = {{
    // E, D, X, S, Q; I, K, M, J, Return/Enter
    {18, 32, 45, 31, 16, 23, 37, 50, 36, 28},
    // Up, Right, Down, Left, Right Control; W, D, S, A, Left Control
    {200, 205, 208, 203, 157, 17, 32, 31, 30, 29},
}};

// Selects the preset's key in every list first, then locks them all.
void ApplyPreset(ToolkitOperations& form, Preset preset) {
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    form.SetListIndex(cmbKeys(slot), GetIndex(kPresetKeys[preset][slot]));
  }
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    form.SetEnabled(cmbKeys(slot), false);
  }
}

}  // namespace

void optClassic_Click(ToolkitOperations& form) {
  ApplyPreset(form, kClassic);
}

void optEnhanced_Click(ToolkitOperations& form) {
  ApplyPreset(form, kEnhanced);
}

void optCustom_Click(ToolkitOperations& form) {
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    form.SetEnabled(cmbKeys(slot), true);
  }
}

}  // namespace krovan
