// Feeds arbitrary bytes to the reader as the contents of krovan3d.cfg and checks what it
// delivers, that reading the file (which stops after the first bytes a read can need) gives
// the same as parsing all of them, then saves that record with WriteSettings and checks that
// ReadSettings reads the saved file back as the record. Aborts on the first broken invariant.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/settings/settings_text.h"
#include "tests/scratch_directory.h"

namespace krovan {
namespace {

void Check(bool condition, const char* invariant) {
  if (!condition) {
    std::fprintf(stderr, "broken invariant: %s\n", invariant);
    std::abort();
  }
}

bool IsPreset(std::int16_t scheme) {
  return scheme == 1 || scheme == 2;
}

// The fields after the first ValuesRead are those of a fresh record.
bool UnreadFieldsAreZero(const ReadResult& result) {
  GameSettings read_part = result.settings;
  int line = 0;
  for (const auto field : kLineFields) {
    if (line++ < result.ValuesRead) {
      read_part.*field = 0;
    }
  }
  for (ScanCode& key : read_part.Keys) {
    if (line++ < result.ValuesRead) {
      key = 0;
    }
  }
  return read_part == GameSettings{};
}

// The record that reading the saved file gives: the resolution defaulted as the writer does it,
// and no keys for the preset schemes, whose key lines are not read.
GameSettings SavedAndReread(GameSettings settings) {
  if (settings.ScreenWidth == 0) {
    settings.ScreenWidth = 1024;
    settings.ScreenHeight = 768;
  }
  if (IsPreset(settings.ControlScheme)) {
    settings.Keys = {};
  }
  return settings;
}

}  // namespace
}  // namespace krovan

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The saved files go to a directory of their own, removed when the fuzzer exits normally.
  static const krovan::ScratchDirectory directory(krovan::ScratchDirectory::kMakeCurrent);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace krovan;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ReadResult read = ReadSettingsFrom(text);
  Check(read.ValuesRead >= 0 && read.ValuesRead <= kSettingsValueCount, "ValuesRead in 0..21");
  Check(read.ValuesRead < 11 || !IsPreset(read.settings.ControlScheme) || read.ValuesRead == 11,
        "no key is read for the Classic and Enhanced schemes");
  Check(UnreadFieldsAreZero(read), "fields that were not read stay 0");

  std::FILE* const file = std::fopen(kSettingsFileName, "wb");
  Check(file != nullptr && std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0,
        "the input can be stored as krovan3d.cfg");
  const ReadResult from_file = ReadSettings();
  Check(from_file.ValuesRead == read.ValuesRead && from_file.settings == read.settings,
        "the file reads as its whole text parses");

  const WriteResult written = WriteSettings(read.settings);
  Check(written.ok, "the record can be saved");
  const ReadResult reread = ReadSettings();
  Check(reread.ValuesRead == (IsPreset(read.settings.ControlScheme) ? 11 : kSettingsValueCount),
        "a saved file is read completely");
  Check(reread.settings == SavedAndReread(read.settings), "a saved file reads back the record");
  return 0;
}
