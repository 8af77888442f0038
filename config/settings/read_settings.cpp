#include <algorithm>
#include <filesystem>
#include <fstream>

#include "config/settings/settings_text.h"

namespace krovan {
namespace {

// Schemes whose keys are fixed presets: their key lines are not read.
constexpr std::array<std::int16_t, 2> kPresetSchemes = {1, 2};

// Reads the next field into `target`; false (and `target` untouched) when the field fails.
bool ReadInto(std::istream& in, std::int16_t& target, ReadResult& result) {
  const std::optional<std::int16_t> value = ReadField(in);
  if (!value) {
    return false;
  }
  target = *value;
  ++result.ValuesRead;
  return true;
}

}  // namespace

ReadResult ReadSettingsFrom(std::istream& in) {
  ReadResult result;
  GameSettings& settings = result.settings;
  for (const auto field : kLineFields) {
    if (!ReadInto(in, settings.*field, result)) {
      return result;
    }
  }
  if (std::ranges::find(kPresetSchemes, settings.ControlScheme) != kPresetSchemes.end()) {
    return result;
  }
  for (ScanCode& key : settings.Keys) {
    if (!ReadInto(in, key, result)) {
      return result;
    }
  }
  return result;
}

ReadResult ReadSettings() {
  // Only a regular file (or a link to one) is read: opening a named pipe would wait for a writer.
  std::error_code error;
  if (!std::filesystem::is_regular_file(kSettingsFileName, error)) {
    return {};
  }
  // Binary mode: line ends are the reader's business, on every platform alike. The stream
  // closes the file on every return path.
  std::ifstream file(kSettingsFileName, std::ios::binary);
  if (!file) {
    return {};
  }
  return ReadSettingsFrom(file);
}

}  // namespace krovan
