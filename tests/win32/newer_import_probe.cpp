// A program that imports GetSystemTimePreciseAsFileTime, which came with Windows 8.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<int>(now.dwLowDateTime & 1);
}
