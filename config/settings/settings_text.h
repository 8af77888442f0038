#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings/game_settings.h"

namespace krovan {

// The text form of krovan3d.cfg, shared by ReadSettings, WriteSettings and the fuzzer, which
// parses from memory.

// A field longer than this (terminator not counted) is not a number.
inline constexpr std::size_t kMaxFieldLength = 64;

// The most of the file that a read can depend on: 21 fields of at most kMaxFieldLength
// characters, each followed by a line end of at most two. Whatever lies beyond this cannot
// change what is read, so ReadSettings reads no further.
inline constexpr std::size_t kMaxReadLength = kSettingsValueCount * (kMaxFieldLength + 2);

// Reads the fields of a text one at a time. A field is everything up to a comma, a line end
// (CR LF, LF or CR alone) or the end of the text, and must be an optionally signed decimal
// number from -32768 to 32767 with nothing else but blanks (spaces, tabs) around it.
class FieldReader {
 public:
  explicit FieldReader(std::string_view text) : rest_(text) {}

  // The next field's value, its terminator consumed; nothing for anything that is not a
  // number, an empty field included. Looks at no more than kMaxFieldLength + 2 characters.
  std::optional<std::int16_t> Next();

 private:
  std::string_view rest_;
};

// Reads the record as ReadSettings reads krovan3d.cfg: lines 1 to 11, then the ten keys unless
// the scheme read is Classic (1) or Enhanced (2), stopping at the first field that fails.
ReadResult ReadSettingsFrom(std::string_view text);

// The exact bytes that WriteSettings stores: 21 lines, each a decimal value and CR LF, with
// 1024 by 768 in place of the resolution when the width is 0.
std::string FormatSettings(const GameSettings& settings);

}  // namespace krovan
