#include "config/keys/key_table.h"

#include <algorithm>

namespace krovan {

// DirectInput keyboard scan codes (DIK_ values) of the bindable keys, in the order the key lists
// show them. The only copy of the table: the lists are filled from it and both lookups search it.
constexpr std::array<KeyRow, kKeyCount> KeyTable = {{
    {0, 1, "ESCAPE"},
    {1, 2, "1"},
    {2, 3, "2"},
    {3, 4, "3"},
    {4, 5, "4"},
    {5, 6, "5"},
    {6, 7, "6"},
    {7, 8, "7"},
    {8, 9, "8"},
    {9, 10, "9"},
    {10, 11, "0"},
    {11, 12, "Minus (-)"},
    {12, 13, "Equals (=)"},
    {13, 14, "Backspace"},
    {14, 15, "Tab"},
    {15, 16, "Q"},
    {16, 17, "W"},
    {17, 18, "E"},
    {18, 19, "R"},
    {19, 20, "T"},
    {20, 21, "Y"},
    {21, 22, "U"},
    {22, 23, "I"},
    {23, 24, "O"},
    {24, 25, "P"},
    {25, 26, "Left Bracket ([)"},
    {26, 27, "Right Bracket (])"},
    {27, 28, "Return/Enter"},
    {28, 29, "Left Control"},
    {29, 30, "A"},
    {30, 31, "S"},
    {31, 32, "D"},
    {32, 33, "F"},
    {33, 34, "G"},
    {34, 35, "H"},
    {35, 36, "J"},
    {36, 37, "K"},
    {37, 38, "L"},
    {38, 39, "Semi-Colon (;)"},
    {39, 40, "Apostrophe (')"},
    {40, 41, "Grave"},
    {41, 42, "Left Shift"},
    {42, 43, "Backslash (\\)"},
    {43, 44, "Z"},
    {44, 45, "X"},
    {45, 46, "C"},
    {46, 47, "V"},
    {47, 48, "B"},
    {48, 49, "N"},
    {49, 50, "M"},
    {50, 51, "Comma (,)"},
    {51, 52, "Period (.)"},
    {52, 53, "Slash (/)"},
    {53, 54, "Right Shift"},
    {54, 55, "Multiply (*)"},
    {55, 56, "Left Alt/Menu"},
    {56, 57, "Space"},
    {57, 58, "Capital"},
    {58, 59, "F1"},
    {59, 60, "F2"},
    {60, 61, "F3"},
    {61, 62, "F4"},
    {62, 63, "F5"},
    {63, 64, "F6"},
    {64, 65, "F7"},
    {65, 66, "F8"},
    {66, 67, "F9"},
    {67, 68, "F10"},
    {68, 69, "NumLock"},
    {69, 70, "Scroll Lock"},
    {70, 71, "NumPad 7"},
    {71, 72, "NumPad 8"},
    {72, 73, "NumPad 9"},
    {73, 74, "Subtract (-)"},
    {74, 75, "NumPad 4"},
    {75, 76, "NumPad 5"},
    {76, 77, "NumPad 6"},
    {77, 78, "Add (+)"},
    {78, 79, "NumPad 1"},
    {79, 80, "NumPad 2"},
    {80, 81, "NumPad 3"},
    {81, 82, "NumPad 0"},
    {82, 83, "Decimal (.)"},
    {83, 86, "OEM_102"},
    {84, 87, "F11"},
    {85, 88, "F12"},
    {86, 100, "F13"},
    {87, 101, "F14"},
    {88, 102, "F15"},
    {89, 112, "Kana"},
    {90, 115, "ABNT_C1"},
    {91, 121, "Convert"},
    {92, 123, "NoConvert"},
    {93, 125, "Yen"},
    {94, 126, "ABNT_C2"},
    {95, 141, "Equals"},
    {96, 144, "PrevTrack"},
    {97, 145, "AT"},
    {98, 146, "Colon (:)"},
    {99, 147, "Underline"},
    {100, 148, "Kanji"},
    {101, 149, "Stop"},
    {102, 150, "AX"},
    {103, 151, "Unlabeled"},
    {104, 153, "Next Track"},
    {105, 156, "Enter"},
    {106, 157, "Right Control"},
    {107, 160, "Mute"},
    {108, 161, "Calculator"},
    {109, 162, "Play/Pause"},
    {110, 164, "Media Stop"},
    {111, 174, "Volume Down"},
    {112, 176, "Volume Up"},
    {113, 178, "Web Home"},
    {114, 179, "Comma (,)"},
    {115, 181, "Divide (/)"},
    {116, 183, "SysReq"},
    {117, 184, "Right Alt/Menu"},
    {118, 197, "Pause"},
    {119, 199, "Home"},
    {120, 200, "Up"},
    {121, 201, "Page Up/Prior"},
    {122, 203, "Left"},
    {123, 205, "Right"},
    {124, 207, "End"},
    {125, 208, "Down"},
    {126, 209, "Next"},
    {127, 210, "Insert"},
    {128, 211, "Delete"},
    {129, 219, "Left Windows"},
    {130, 220, "Right Windows"},
    {131, 221, "Apps"},
    {132, 222, "Power"},
    {133, 223, "Sleep"},
    {134, 227, "Wake"},
    {135, 229, "Web Search"},
    {136, 230, "Web Favorites"},
    {137, 231, "Web Refresh"},
    {138, 232, "Web Stop"},
    {139, 233, "Web Forward"},
    {140, 234, "Web Back"},
    {141, 235, "My Computer"},
    {142, 236, "Mail"},
    {143, 237, "Media Select"},
}};

namespace {

constexpr bool RowsAreInListOrderWithAscendingCodes() {
  for (int row = 0; row < kKeyCount; ++row) {
    if (KeyTable[row].list_index != row) {
      return false;
    }
    if (row > 0 && KeyTable[row].scan_code <= KeyTable[row - 1].scan_code) {
      return false;
    }
  }
  return true;
}

// GetIndex relies on the codes being sorted; GetKeyCode on list index == row.
static_assert(RowsAreInListOrderWithAscendingCodes());

// Names the lists show, as written here in C++ escapes: the backslash key's name holds one
// backslash, and two keys share the name "Comma (,)".
static_assert(KeyTable[0].name == "ESCAPE" && KeyTable[27].name == "Return/Enter" &&
              KeyTable[39].name == "Apostrophe (')" && KeyTable[42].name == "Backslash (\\)" &&
              KeyTable[42].name.size() == 13 && KeyTable[56].name == "Space" &&
              KeyTable[106].name == "Right Control" && KeyTable[120].name == "Up" &&
              KeyTable[143].name == "Media Select");
static_assert(KeyTable[50].name == "Comma (,)" && KeyTable[114].name == "Comma (,)" &&
              std::ranges::count(KeyTable, std::string_view("Comma (,)"), &KeyRow::name) == 2);

}  // namespace

std::int16_t GetIndex(ScanCode code) {
  const auto row = std::ranges::lower_bound(KeyTable, code, {}, &KeyRow::scan_code);
  if (row == KeyTable.end() || row->scan_code != code) {
    return 0;
  }
  return row->list_index;
}

ScanCode GetKeyCode(std::int16_t list_index) {
  if (list_index < 0 || list_index >= kKeyCount) {
    return 0;
  }
  return KeyTable[list_index].scan_code;
}

}  // namespace krovan
