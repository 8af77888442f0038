// The Win32 window's messages and keyboard: which control's notification runs which routine,
// the option buttons' groups and arrow keys, Alt+F4, and the message loop.
#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <span>

#include "config/win32/win32_window.h"

namespace krovan {
namespace {

using win32::ControlId;
using win32::ControlKind;

// -1 for Left and Up, +1 for Right and Down, 0 for any other key.
int ArrowStep(WPARAM key) {
  switch (key) {
    case VK_LEFT:
    case VK_UP:
      return -1;
    case VK_RIGHT:
    case VK_DOWN:
      return 1;
    default:
      return 0;
  }
}

}  // namespace

LRESULT CALLBACK Win32Window::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* self =
        static_cast<Win32Window*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) {
    return DefDlgProcW(window, message, wparam, lparam);
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
    self->controls_ = {};
    return DefDlgProcW(window, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT Win32Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_CLOSE:
      // The close box: the program ends without running a routine, so nothing is written.
      DestroyWindow(window_);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_DPICHANGED: {
      ApplyLayout(HIWORD(wparam));
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      return 0;
    }
    default:
      return DefDlgProcW(window_, message, wparam, lparam);
  }
}

void Win32Window::OnCommand(int id, int code) {
  const int index = id - kFirstControlId;
  if (index < 0 || index >= static_cast<int>(win32::kControlCount)) {
    return;
  }
  const auto control = static_cast<ControlId>(index);
  switch (win32::Spec(control).kind) {
    case ControlKind::Button:
      if (code == BN_CLICKED) {
        RunRoutine(control);
      }
      break;
    case ControlKind::OptionButton:
      if (code == BN_CLICKED) {
        TurnOn(control);
      }
      break;
    case ControlKind::DropDownList:
      if (code == CBN_SELCHANGE) {
        RunRoutine(control);
      }
      break;
    default:
      break;
  }
}

void Win32Window::TurnOn(ControlId button) {
  const std::optional<OptionButton> option = win32::OptionButtonOf(button);
  if (!option || Send(button, BM_GETCHECK) == BST_CHECKED) {
    return;
  }
  // Only the button that is on is a Tab stop, so Tab never lands on (and so selects) another.
  for (const OptionButton member : form::GroupOf(*option).Members()) {
    const bool on = member == *option;
    Send(win32::ControlOf(member), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
    SetTabStop(win32::ControlOf(member), on);
  }
  RunRoutine(button);
}

void Win32Window::RunRoutine(ControlId control) {
  if (const form::Routine routine = win32::RowOf(control).routine;
      routine != nullptr && events() != nullptr) {
    (events()->*routine)();
  }
}

void Win32Window::SetTabStop(ControlId id, bool tab_stop) {
  const HWND control = Control(id);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  SetWindowLongPtrW(control, GWL_STYLE, tab_stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

LRESULT Win32Window::Send(ControlId id, UINT message, WPARAM wparam, LPARAM lparam) const {
  return SendMessageW(Control(id), message, wparam, lparam);
}

bool Win32Window::MoveAmongOptionButtons(const MSG& message) {
  const int step = message.message == WM_KEYDOWN ? ArrowStep(message.wParam) : 0;
  if (step == 0) {
    return false;
  }
  const auto focused = std::ranges::find(controls_, GetFocus());
  if (focused == controls_.end()) {
    return false;
  }
  const std::optional<OptionButton> button =
      win32::OptionButtonOf(static_cast<ControlId>(focused - controls_.begin()));
  if (!button) {
    return false;
  }
  const form::OptionGroup& group = form::GroupOf(*button);
  const std::span<const OptionButton> members = group.Members();
  const auto size = static_cast<std::ptrdiff_t>(members.size());
  const std::ptrdiff_t position = std::ranges::find(members, *button) - members.begin();
  const ControlId next =
      win32::ControlOf(members[static_cast<std::size_t>((position + step + size) % size)]);
  TurnOn(next);
  if (window_ != nullptr) {
    SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(next)), TRUE);
  }
  return true;
}

// Alt+F4 closes the window from whichever control has the focus; a drop-down list would
// otherwise keep the key to itself.
bool Win32Window::CloseOnAltF4(const MSG& message) {
  if (message.message != WM_SYSKEYDOWN || message.wParam != VK_F4) {
    return false;
  }
  SendMessageW(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
  return true;
}

bool Win32Window::TranslateDialogMessage(MSG& message) {
  if (window_ == nullptr) {
    return false;
  }
  return CloseOnAltF4(message) || MoveAmongOptionButtons(message) ||
         IsDialogMessageW(window_, &message);
}

int Win32Window::RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!TranslateDialogMessage(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

}  // namespace krovan
