#include <string>
#include <utility>

#include "config/settings/replace_file.h"
#include "config/settings/settings_text.h"

namespace krovan {
namespace {

// Written in place of the resolution when no width was read, or the width read was 0.
constexpr std::int16_t kDefaultWidth = 1024;
constexpr std::int16_t kDefaultHeight = 768;

void AppendLine(std::string& text, std::int16_t value) {
  text += std::to_string(value);
  text += "\r\n";
}

}  // namespace

std::string FormatSettings(const GameSettings& settings) {
  GameSettings out = settings;
  if (out.ScreenWidth == 0) {
    out.ScreenWidth = kDefaultWidth;
    out.ScreenHeight = kDefaultHeight;
  }
  std::string text;
  for (int line = 1; line <= kSettingsValueCount; ++line) {
    AppendLine(text, ValueOfLine(out, line));
  }
  return text;
}

WriteResult WriteSettings(const GameSettings& settings) {
  std::string error = ReplaceFile(kSettingsFileName, FormatSettings(settings));
  return {.ok = error.empty(), .error = std::move(error)};
}

}  // namespace krovan
