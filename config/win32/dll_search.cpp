#include "config/win32/dll_search.h"

#include <windows.h>

namespace krovan {

// Windows 7 has SetDefaultDllDirectories only with KB2533623; without it, SetDllDirectoryW(L"")
// at least takes the current folder out of the search. Both are looked up in kernel32, which is
// always loaded, so that neither adds an import.
void RestrictDllSearch() {
  const HMODULE kernel = GetModuleHandleA("kernel32.dll");
  const auto set_default = reinterpret_cast<BOOL(WINAPI*)(DWORD)>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (set_default != nullptr && set_default(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
    return;
  }
  const auto set_directory = reinterpret_cast<BOOL(WINAPI*)(LPCWSTR)>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryW")));
  if (set_directory != nullptr) {
    set_directory(L"");
  }
}

}  // namespace krovan
