// The Win32 window's messages and keyboard: which control's notification runs which routine,
// the option buttons' groups and arrow keys, Alt+F4, and the message loop.
#include <windows.h>
// windows.h first: commctrl.h builds on it.
#include <commctrl.h>

#include <algorithm>
#include <span>

#include "config/form_layout.h"
#include "config/win32/win32_window.h"

namespace krovan {
namespace {

using form::ControlKind;

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
  const ControlIndex control = id - kFirstControlId;
  if (control < 0 || control >= form::kControlCount) {
    return;
  }
  switch (form::Row(control).kind) {
    case ControlKind::kButton:
      if (code == BN_CLICKED) {
        RunRoutine(control);
      }
      break;
    case ControlKind::kOptionButton:
      if (code == BN_CLICKED) {
        TurnOnAt(control);
      }
      break;
    case ControlKind::kDropDownList:
      if (code == CBN_SELCHANGE) {
        RunRoutine(control);
      }
      break;
    default:
      break;
  }
}

void Win32Window::SetTabStop(ControlIndex control, bool tab_stop) {
  const HWND handle = Control(control);
  const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
  SetWindowLongPtrW(handle, GWL_STYLE, tab_stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

LRESULT Win32Window::Send(ControlIndex control, UINT message, WPARAM wparam, LPARAM lparam) const {
  return SendMessageW(Control(control), message, wparam, lparam);
}

bool Win32Window::MoveAmongOptionButtons(const MSG& message) {
  const int step = message.message == WM_KEYDOWN ? ArrowStep(message.wParam) : 0;
  if (step == 0) {
    return false;
  }
  const auto focused = std::ranges::find(controls_, GetFocus());
  const auto control = static_cast<ControlIndex>(focused - controls_.begin());
  if (focused == controls_.end() || form::Row(control).kind != ControlKind::kOptionButton) {
    return false;
  }
  const OptionButton button = form::OptionButtonAt(control);
  const std::span<const OptionButton> members = form::GroupOf(button).Members();
  const auto size = static_cast<std::ptrdiff_t>(members.size());
  const std::ptrdiff_t position = std::ranges::find(members, button) - members.begin();
  const ControlIndex next =
      form::IndexOf(members[static_cast<std::size_t>((position + step + size) % size)]);
  TurnOnAt(next);
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
