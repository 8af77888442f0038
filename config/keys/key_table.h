#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/keys/scan_code.h"

namespace krovan {

struct KeyRow {
  std::int16_t list_index;
  ScanCode scan_code;
  std::string_view name;
};

inline constexpr int kKeyCount = 144;

// The bindable keys in list order: row i is entry i of every key list.
extern const std::array<KeyRow, kKeyCount> KeyTable;

// Scan code to list index; 0 ("ESCAPE") for any value the table does not hold.
std::int16_t GetIndex(ScanCode code);

// List index to scan code; 0 (no key) for any index outside 0..143.
ScanCode GetKeyCode(std::int16_t list_index);

}  // namespace krovan
