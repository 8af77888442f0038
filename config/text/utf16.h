#pragma once

#include <string>
#include <string_view>

namespace krovan {

// Conversions between the UTF-8 the routines use and the UTF-16 of the Win32 W functions, in
// standard C++ so that the file and window layers share them without the platform's headers.
// Text that is not well formed (a stray byte, a lone surrogate) becomes U+FFFD, as the system's
// own conversions do.
std::u16string Utf16(std::string_view utf8);
std::string Utf8(std::u16string_view utf16);

// The same for wchar_t text, which holds UTF-16 code units on Windows.
inline std::wstring Widen(std::string_view utf8) {
  const std::u16string utf16 = Utf16(utf8);
  return {utf16.begin(), utf16.end()};
}

inline std::string Narrow(std::wstring_view wide) {
  return Utf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace krovan
