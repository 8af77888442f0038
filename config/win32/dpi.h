#pragma once

#include <windows.h>

namespace krovan::win32 {

// The per-monitor DPI functions of user32. They first shipped in Windows 10 version 1607, so
// config.exe looks them up when it runs instead of importing them: an exe that imports them
// does not start on Windows 7, 8 or 8.1.
struct DpiFunctions {
  UINT(WINAPI* get_dpi_for_window)(HWND) = nullptr;
  BOOL(WINAPI* system_parameters_info_for_dpi)(UINT, UINT, PVOID, UINT, UINT) = nullptr;
  int(WINAPI* get_system_metrics_for_dpi)(int, UINT) = nullptr;
  BOOL(WINAPI* adjust_window_rect_ex_for_dpi)(RECT*, DWORD, BOOL, DWORD, UINT) = nullptr;

  bool Complete() const {
    return get_dpi_for_window != nullptr && system_parameters_info_for_dpi != nullptr &&
           get_system_metrics_for_dpi != nullptr && adjust_window_rect_ex_for_dpi != nullptr;
  }
};

// user32's functions when it has all four; otherwise none, and the system DPI stands in.
DpiFunctions LookUpDpiFunctions();

// Replaces the functions in use (at first those of LookUpDpiFunctions). Empty functions select
// what Windows 7 has: the system DPI, with metrics scaled from it.
void UseDpiFunctions(const DpiFunctions& functions);

// The DPI that `window` is drawn at.
UINT WindowDpi(HWND window);

// The system's message font, the one dialogs use, at `dpi`.
LOGFONTW MessageFont(UINT dpi);

// A GetSystemMetrics value at `dpi`.
int SystemMetric(int index, UINT dpi);

// Grows a client rectangle to the window rectangle with that style at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi);

}  // namespace krovan::win32
