#include "config/win32/dpi.h"

namespace krovan::win32 {
namespace {

template <typename Function>
void LookUp(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

DpiFunctions& InUse() {
  static DpiFunctions functions = LookUpDpiFunctions();
  return functions;
}

// The DPI of the whole desktop, which Windows 7 gives every DPI-aware window.
UINT SystemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return static_cast<UINT>(dpi);
}

// A length that the system gives at its own DPI, at `dpi`. Windows 8.1 announces a monitor
// of another DPI with WM_DPICHANGED but has no functions that measure for it.
int FromSystemDpi(int length, UINT dpi) {
  return MulDiv(length, static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

}  // namespace

DpiFunctions LookUpDpiFunctions() {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) {
    return {};
  }
  DpiFunctions functions;
  LookUp(user32, "GetDpiForWindow", functions.get_dpi_for_window);
  LookUp(user32, "SystemParametersInfoForDpi", functions.system_parameters_info_for_dpi);
  LookUp(user32, "GetSystemMetricsForDpi", functions.get_system_metrics_for_dpi);
  LookUp(user32, "AdjustWindowRectExForDpi", functions.adjust_window_rect_ex_for_dpi);
  return functions.Complete() ? functions : DpiFunctions{};
}

void UseDpiFunctions(const DpiFunctions& functions) {
  InUse() = functions.Complete() ? functions : DpiFunctions{};
}

UINT WindowDpi(HWND window) {
  const DpiFunctions& functions = InUse();
  return functions.Complete() ? functions.get_dpi_for_window(window) : SystemDpi();
}

LOGFONTW MessageFont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  const DpiFunctions& functions = InUse();
  if (functions.Complete()) {
    functions.system_parameters_info_for_dpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                             dpi);
  } else {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    metrics.lfMessageFont.lfHeight = FromSystemDpi(metrics.lfMessageFont.lfHeight, dpi);
  }
  return metrics.lfMessageFont;
}

int SystemMetric(int index, UINT dpi) {
  const DpiFunctions& functions = InUse();
  return functions.Complete() ? functions.get_system_metrics_for_dpi(index, dpi)
                              : FromSystemDpi(GetSystemMetrics(index), dpi);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD ex_style, UINT dpi) {
  const DpiFunctions& functions = InUse();
  if (functions.Complete()) {
    functions.adjust_window_rect_ex_for_dpi(&rect, style, FALSE, ex_style, dpi);
  } else {
    AdjustWindowRectEx(&rect, style, FALSE, ex_style);
  }
}

}  // namespace krovan::win32
