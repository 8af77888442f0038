#pragma once

#include <array>
#include <string_view>

#include "config/keys/scan_code.h"

// The keys of the two preset schemes, by KeySlot (the Black Tank's Move Up, Move Right, Move
// Down, Move Left and Fire, then the White Tank's), as the key table gives them: display name,
// list index and scan code. Every test that needs them takes them from here.
namespace krovan::testing {

struct PresetKeys {
  std::array<std::string_view, kKeySlotCount> names;
  std::array<int, kKeySlotCount> indexes;
  std::array<ScanCode, kKeySlotCount> codes;
};

inline constexpr PresetKeys kClassic = {
    {"E", "D", "X", "S", "Q", "I", "K", "M", "J", "Return/Enter"},
    {17, 31, 44, 30, 15, 22, 36, 49, 35, 27},
    {18, 32, 45, 31, 16, 23, 37, 50, 36, 28},
};

inline constexpr PresetKeys kEnhanced = {
    {"Up", "Right", "Down", "Left", "Right Control", "W", "D", "S", "A", "Left Control"},
    {120, 123, 125, 122, 106, 16, 31, 30, 29, 28},
    {200, 205, 208, 203, 157, 17, 32, 31, 30, 29},
};

}  // namespace krovan::testing
