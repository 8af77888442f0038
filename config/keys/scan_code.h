#pragma once

#include <cstdint>

namespace krovan {

// A DirectInput keyboard scan code (the key's DIK_ value); 0 is no key.
using ScanCode = std::int16_t;

// One key binding: 0-4 the Black Tank's Move Up, Move Right, Move Down, Move Left and Fire,
// 5-9 the White Tank's in the same order. Also the index of the key list that shows it.
using KeySlot = int;
inline constexpr KeySlot kKeySlotCount = 10;

}  // namespace krovan
