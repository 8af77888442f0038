#pragma once

#include <windows.h>

#include <string>

#include "config/text/utf16.h"

namespace krovan {

// For the Windows file layer: the system's description of an error, as
// FormatMessage gives it (full stop included) minus the line end; "Error <code>" for a code
// Windows has no text for.
inline std::string SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer, length);
  LocalFree(buffer);
  text.erase(text.find_last_not_of(L" \t\r\n") + 1);
  // The number is appended: putting text in front of a string calls the one member that
  // libstdc++ 13 and later keeps compiled in its library, which links its exception runtime.
  return text.empty() ? std::string("Error ").append(std::to_string(error)) : Narrow(text);
}

}  // namespace krovan
