#pragma once

#include <windows.h>

#include <string>

#include "config/text/utf16.h"

namespace krovan::testing {

// What Windows says about an error code, without the line end it appends.
inline std::string SystemMessage(DWORD error) {
  wchar_t text[512] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     text, static_cast<DWORD>(std::size(text)), nullptr);
  std::wstring message(text, length);
  message.erase(message.find_last_not_of(L" \r\n") + 1);
  return Narrow(message);
}

}  // namespace krovan::testing
