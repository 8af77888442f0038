#include <windows.h>

#include <cstdlib>

#include "config/frm_main.h"
#include "config/win32/dll_search.h"
#include "config/win32/executable_directory.h"
#include "config/win32/win32_window.h"

// Creates the window in its initial state, runs the load routine, then serves the window's
// events until it is closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  krovan::RestrictDllSearch();
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
