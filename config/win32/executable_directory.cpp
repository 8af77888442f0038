#include "config/win32/executable_directory.h"

#include <windows.h>

#include "config/text/utf16.h"

namespace krovan {

std::string ExecutableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const auto size = static_cast<DWORD>(path.size());
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) {
      return {};
    }
    if (length < size) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);  // the name was cut short: try again with more room
  }
  const std::size_t separator = path.find_last_of(L'\\');
  return Narrow(std::wstring_view(path).substr(0, separator == std::wstring::npos ? 0 : separator));
}

}  // namespace krovan
