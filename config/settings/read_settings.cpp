#include <string>

#include "config/keys/scheme.h"
#include "config/settings/read_file.h"
#include "config/settings/settings_text.h"

namespace krovan {
namespace {

// Reads the next field into `target`; false (and `target` untouched) when the field fails.
bool ReadInto(FieldReader& fields, std::int16_t& target, ReadResult& result) {
  const std::optional<std::int16_t> value = fields.Next();
  if (!value) {
    return false;
  }
  target = *value;
  ++result.ValuesRead;
  return true;
}

}  // namespace

ReadResult ReadSettingsFrom(std::string_view text) {
  FieldReader fields(text);
  ReadResult result;
  GameSettings& settings = result.settings;
  for (int line = 1; line < kFirstKeyLine; ++line) {
    if (!ReadInto(fields, ValueOfLine(settings, line), result)) {
      return result;
    }
  }
  // A preset's keys are fixed: its key lines are not read.
  if (IsPreset(static_cast<Scheme>(settings.ControlScheme))) {
    return result;
  }
  for (int line = kFirstKeyLine; line <= kSettingsValueCount; ++line) {
    if (!ReadInto(fields, ValueOfLine(settings, line), result)) {
      return result;
    }
  }
  return result;
}

ReadResult ReadSettings() {
  // A short read (end of file or an error) leaves less text, which ends the read where it ends.
  return ReadSettingsFrom(ReadFileStart(kSettingsFileName, kMaxReadLength));
}

}  // namespace krovan
