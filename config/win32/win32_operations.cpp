// The native operations of the Win32 window: what the toolkit operations do to its controls and
// its message boxes.
#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>

#include "config/form_layout.h"
#include "config/text/utf16.h"
#include "config/win32/win32_window.h"

namespace krovan {

void Win32Window::NativeShow() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
  SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

void Win32Window::NativeClose() {
  DestroyWindow(window_);
}

void Win32Window::NativeShowMessage(std::string_view text, std::string_view title,
                                    MessageIcon icon) {
  const UINT icon_style = icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(), MB_OK | icon_style);
}

void Win32Window::NativeAppend(ControlIndex list, std::span<const std::string_view> texts) {
  for (const std::string_view text : texts) {
    Send(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  }
}

int Win32Window::NativeItemCount(ControlIndex list) const {
  return static_cast<int>(Send(list, CB_GETCOUNT));
}

int Win32Window::NativeListIndex(ControlIndex list) const {
  return static_cast<int>(Send(list, CB_GETCURSEL));
}

void Win32Window::NativeSelect(ControlIndex list, int index) {
  // Sends no notification: a change made by code runs its routine through the operations.
  Send(list, CB_SETCURSEL, static_cast<WPARAM>(index));
}

void Win32Window::NativeEnable(ControlIndex list, bool enabled) {
  EnableWindow(Control(list), enabled ? TRUE : FALSE);
}

bool Win32Window::NativeIsOn(ControlIndex control) const {
  return Send(control, BM_GETCHECK) == BST_CHECKED;
}

void Win32Window::NativeSetOn(ControlIndex control, bool on) {
  Send(control, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
  // Only the option button that is on is a Tab stop, so Tab never lands on (and so selects)
  // another.
  if (form::Row(control).kind == form::ControlKind::kOptionButton) {
    SetTabStop(control, on);
  }
}

int Win32Window::NativeSliderValue(ControlIndex slider) const {
  return static_cast<int>(Send(slider, TBM_GETPOS));
}

void Win32Window::NativeSetSliderValue(ControlIndex slider, int value) {
  Send(slider, TBM_SETPOS, TRUE, value);
}

}  // namespace krovan
