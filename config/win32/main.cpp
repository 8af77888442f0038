#include <windows.h>

#include <cstdlib>

#include "config/frm_main.h"
#include "config/win32/executable_directory.h"
#include "config/win32/win32_window.h"

// Makes the loader take DLLs loaded by name from System32 only, never from the program's folder
// or the current one, where another user of a shared game folder could leave one. Windows 7
// has SetDefaultDllDirectories only with KB2533623; without it, SetDllDirectoryW(L"") at least
// takes the current folder out of the search. Both are looked up in kernel32, which is always
// loaded, so that neither adds an import.
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

// Creates the window in its initial state, runs the load routine, then serves the window's
// events until it is closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  RestrictDllSearch();
  krovan::Win32Window window(instance);
  if (window.Handle() == nullptr) {
    return EXIT_FAILURE;  // no window could be created: there is nothing to wait for
  }
  // The game's high scores, beside the program file; appended as plain text.
  krovan::SystemFiles files;
  krovan::frmMain form(window, files, {krovan::ExecutableDirectory() + "\\data\\highscore.dat"});
  form.Form_Load();
  return window.RunMessageLoop();
}
