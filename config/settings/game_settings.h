#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/keys/scan_code.h"

namespace krovan {

// The values of krovan3d.cfg, in file order (lines 1 to 21). A fresh record is all 0.
struct GameSettings {
  std::int16_t ScreenWidth = 0;
  std::int16_t ScreenHeight = 0;
  std::int16_t ColorDepth = 0;
  std::int16_t ScreenMode = 0;
  std::int16_t Antialiasing = 0;
  std::int16_t Dithering = 0;
  std::int16_t WBuffering = 0;
  std::int16_t DetailLevel = 0;
  std::int16_t DebugInfo = 0;
  std::int16_t SoundVolume = 0;
  std::int16_t ControlScheme = 0;
  std::array<ScanCode, kKeySlotCount> Keys{};

  bool operator==(const GameSettings&) const = default;
};

inline constexpr int kSettingsValueCount = 21;

// The fields of lines 1 to 11, in file order; lines 12 to 21 are Keys, one slot a line. The
// reader, the writer and the window's load and save all take the file's order from here.
inline constexpr std::array<std::int16_t GameSettings::*, 11> kLineFields = {
    &GameSettings::ScreenWidth, &GameSettings::ScreenHeight,  &GameSettings::ColorDepth,
    &GameSettings::ScreenMode,  &GameSettings::Antialiasing,  &GameSettings::Dithering,
    &GameSettings::WBuffering,  &GameSettings::DetailLevel,   &GameSettings::DebugInfo,
    &GameSettings::SoundVolume, &GameSettings::ControlScheme,
};
inline constexpr int kFirstKeyLine = static_cast<int>(kLineFields.size()) + 1;
static_assert(kFirstKeyLine + kKeySlotCount - 1 == kSettingsValueCount);

// The value of a line of the file, 1 to kSettingsValueCount.
constexpr std::int16_t& ValueOfLine(GameSettings& settings, int line) {
  return line < kFirstKeyLine ? settings.*kLineFields[line - 1]
                              : settings.Keys[line - kFirstKeyLine];
}
constexpr std::int16_t ValueOfLine(const GameSettings& settings, int line) {
  return line < kFirstKeyLine ? settings.*kLineFields[line - 1]
                              : settings.Keys[line - kFirstKeyLine];
}
inline constexpr char kSettingsFileName[] = "krovan3d.cfg";

struct ReadResult {
  GameSettings settings;
  int ValuesRead = 0;  // how many values, counted from line 1, were read (0 to 21)
};

// Reads krovan3d.cfg from the current directory. Never fails: a missing or damaged file ends
// the read, and ValuesRead tells how far it got.
ReadResult ReadSettings();

struct WriteResult {
  bool ok = true;
  std::string error;  // the system's description of the failure when !ok
};

// Writes the whole file (21 lines, CR LF) to krovan3d.cfg in the current directory, replacing
// the old one only once the new one is complete.
WriteResult WriteSettings(const GameSettings& settings);

}  // namespace krovan
