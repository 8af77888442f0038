// The toolkit operations of the Win32 window: what the routines do to its controls, its
// message boxes, and deleting a file.
#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>

#include "config/settings/system_error_win32.h"
#include "config/text/utf16.h"
#include "config/win32/win32_window.h"

namespace krovan {

using win32::ControlId;
using win32::ControlOf;

void Win32Window::ShowForm() {
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  const HWND first = GetNextDlgTabItem(window_, nullptr, FALSE);
  SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(first), TRUE);
}

void Win32Window::CloseForm() {
  DestroyWindow(window_);
}

void Win32Window::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  const UINT icon_style = icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONINFORMATION;
  MessageBoxW(window_, Widen(text).c_str(), Widen(title).c_str(), MB_OK | icon_style);
}

void Win32Window::AppendItem(DropDownList list, std::string_view text) {
  Send(ControlOf(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

int Win32Window::GetListIndex(DropDownList list) const {
  return static_cast<int>(Send(ControlOf(list), CB_GETCURSEL));
}

bool Win32Window::SetListIndex(DropDownList list, int index) {
  const ControlId control = ControlOf(list);
  if (index < -1 || index >= static_cast<int>(Send(control, CB_GETCOUNT))) {
    return false;
  }
  if (index == GetListIndex(list)) {
    return true;
  }
  // The list sends no notification for a change made by code: run its routine here instead.
  Send(control, CB_SETCURSEL, static_cast<WPARAM>(index));
  RunRoutine(control);
  return true;
}

void Win32Window::SetEnabled(DropDownList list, bool enabled) {
  EnableWindow(Control(ControlOf(list)), enabled ? TRUE : FALSE);
}

bool Win32Window::IsOn(OptionButton button) const {
  return Send(ControlOf(button), BM_GETCHECK) == BST_CHECKED;
}

void Win32Window::TurnOn(OptionButton button) {
  TurnOn(ControlOf(button));
}

int Win32Window::GetValue(CheckBox box) const {
  return Send(ControlOf(box), BM_GETCHECK) == BST_CHECKED ? 1 : 0;
}

void Win32Window::SetValue(CheckBox box, int value) {
  Send(ControlOf(box), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED);
}

int Win32Window::GetValue(Slider slider) const {
  return static_cast<int>(Send(ControlOf(slider), TBM_GETPOS));
}

bool Win32Window::SetValue(Slider slider, int value) {
  if (value < form::kSliderMinimum || value > form::kSliderMaximum) {
    return false;
  }
  Send(ControlOf(slider), TBM_SETPOS, TRUE, value);
  return true;
}

FileRemoval Win32Window::RemoveFile(const std::string& path) {
  using enum FileRemoval::Outcome;
  if (DeleteFileW(Widen(path).c_str())) {
    return {kRemoved};
  }
  // A missing folder on the way is as good as a missing file.
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return {kAbsent};
  }
  return {kFailed, SystemErrorText(error)};
}

}  // namespace krovan
