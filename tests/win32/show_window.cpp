#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "config/frm_main.h"
#include "config/win32/dpi.h"
#include "config/win32/executable_directory.h"
#include "config/win32/win32_window.h"

// config.exe's window, loaded as config.exe loads it; with --system-dpi it is laid out as on
// Windows 7 to 10 1511, which lack the per-monitor DPI functions. For side-by-side screenshots.
int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"--system-dpi") == 0) {
    krovan::win32::UseDpiFunctions({});
  }
  krovan::Win32Window window(GetModuleHandleW(nullptr));
  if (window.Handle() == nullptr) {
    return EXIT_FAILURE;
  }
  krovan::SystemFiles files;
  krovan::frmMain form(window, files, {krovan::ExecutableDirectory() + "\\data\\highscore.dat"});
  form.Form_Load();
  return window.RunMessageLoop();
}
