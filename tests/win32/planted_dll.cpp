// A DLL that another user could leave beside the program, under a name the program never asks
// for itself: the DLL-search test asks for it by name.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
