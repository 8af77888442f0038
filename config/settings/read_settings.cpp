#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

#include "config/settings/settings_text.h"

namespace krovan {
namespace {

// Schemes whose keys are fixed presets: their key lines are not read.
constexpr std::array<std::int16_t, 2> kPresetSchemes = {1, 2};

// Opening a named pipe would wait for a writer, so only a regular file (or a link to one) is
// read. stat() is in the C runtime of every platform the program is built for; std::filesystem
// would add most of a megabyte to the Windows program.
bool IsRegularFile(const char* path) {
  struct stat status {};
  return stat(path, &status) == 0 && (status.st_mode & S_IFMT) == S_IFREG;
}

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
  for (const auto field : kLineFields) {
    if (!ReadInto(fields, settings.*field, result)) {
      return result;
    }
  }
  if (std::ranges::find(kPresetSchemes, settings.ControlScheme) != kPresetSchemes.end()) {
    return result;
  }
  for (ScanCode& key : settings.Keys) {
    if (!ReadInto(fields, key, result)) {
      return result;
    }
  }
  return result;
}

ReadResult ReadSettings() {
  if (!IsRegularFile(kSettingsFileName)) {
    return {};
  }
  // Binary mode: line ends are the reader's business, on every platform alike.
  const std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(kSettingsFileName, "rb"),
                                                                &std::fclose);
  if (!file) {
    return {};
  }
  // A short read (end of file or an error) leaves less text, which ends the read where it ends.
  std::string text(kMaxReadLength, '\0');
  text.resize(std::fread(text.data(), 1, text.size(), file.get()));
  return ReadSettingsFrom(text);
}

}  // namespace krovan
