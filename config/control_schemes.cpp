#include "config/control_schemes.h"

#include <algorithm>
#include <array>

#include "config/keys/key_table.h"

namespace krovan {

namespace {

struct PresetKeys {
  Scheme scheme;
  std::array<ScanCode, kKeySlotCount> codes;  // by KeySlot
};

// The scan code each preset binds, by KeySlot: the Black Tank's Move Up, Move Right, Move Down,
// Move Left and Fire, then the White Tank's.
constexpr std::array<PresetKeys, 2> kPresets = {{
    // E, D, X, S, Q; I, K, M, J, Return/Enter
    {Scheme::kClassic, {18, 32, 45, 31, 16, 23, 37, 50, 36, 28}},
    // Up, Right, Down, Left, Right Control; W, D, S, A, Left Control
    {Scheme::kEnhanced, {200, 205, 208, 203, 157, 17, 32, 31, 30, 29}},
}};
static_assert(std::ranges::all_of(std::array{Scheme::kClassic, Scheme::kEnhanced, Scheme::kCustom},
                                  [](Scheme scheme) {
                                    return IsPreset(scheme) ==
                                           (std::ranges::find(kPresets, scheme,
                                                              &PresetKeys::scheme) !=
                                            kPresets.end());
                                  }),
              "the keys of every preset, and of nothing else");

}  // namespace

void ApplyScheme(ToolkitOperations& form, Scheme scheme) {
  if (!IsPreset(scheme)) {
    for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
      form.SetEnabled(cmbKeys(slot), true);
    }
    return;
  }
  const PresetKeys& preset = *std::ranges::find(kPresets, scheme, &PresetKeys::scheme);
  // Every list's key first, then every list locked.
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    form.SetListIndex(cmbKeys(slot), GetIndex(preset.codes[slot]));
  }
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    form.SetEnabled(cmbKeys(slot), false);
  }
}

}  // namespace krovan
