#include "config/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>

#include "config/text/utf16.h"
#include "config/win32/accessible_names.h"
#include "config/win32/dpi.h"
#include "config/win32/layout.h"
#include "config/win32/resource.h"

namespace krovan {
namespace {

using win32::ControlId;
using win32::ControlKind;

constexpr wchar_t kClassName[] = L"KrovanConfigWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = 0;

// Control ids start above IDOK and IDCANCEL, which the dialog manager sends for Enter and Escape:
// the window has no default and no cancel button, so those two reach no control.
constexpr int kFirstControlId = 100;

// How many items an open drop-down list shows before it scrolls.
constexpr int kVisibleListItems = 16;

struct ClassStyle {
  const wchar_t* window_class;
  DWORD style;
};

// Every control is its own group for the dialog manager; the option buttons' groups are this
// window's own (see MoveAmongOptionButtons), as their Tab order leaves them apart.
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_GROUP;

constexpr ClassStyle StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
      return {WC_STATICW, SS_LEFT};
    case ControlKind::Frame:
      return {WC_BUTTONW, BS_GROUPBOX};
    case ControlKind::Button:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::OptionButton:
      return {WC_BUTTONW, BS_RADIOBUTTON};
    case ControlKind::CheckBox:
      return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX};
    case ControlKind::DropDownList:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
    case ControlKind::Slider:
      return {TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM};
  }
  return {WC_STATICW, 0};
}

struct Routine {
  ControlId control;
  void (FormEvents::*run)();
};

constexpr std::array<Routine, 7> kRoutines = {{
    {ControlId::cmbDepth, &FormEvents::cmbDepth_Click},
    {ControlId::cmdOK, &FormEvents::cmdOK_Click},
    {ControlId::cmdCancel, &FormEvents::cmdCancel_Click},
    {ControlId::cmdReset, &FormEvents::cmdReset_Click},
    {ControlId::optClassic, &FormEvents::optClassic_Click},
    {ControlId::optEnhanced, &FormEvents::optEnhanced_Click},
    {ControlId::optCustom, &FormEvents::optCustom_Click},
}};

std::span<const ControlId> OptionGroupOf(ControlId button) {
  for (std::span<const ControlId> group : win32::kOptionGroups) {
    if (std::ranges::find(group, button) != group.end()) {
      return group;
    }
  }
  return {};
}

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

void SetTabStop(HWND control, bool tab_stop) {
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  SetWindowLongPtrW(control, GWL_STYLE, tab_stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

HICON LoadProgramIcon(HINSTANCE instance, int metric_x, int metric_y) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                       GetSystemMetrics(metric_x), GetSystemMetrics(metric_y),
                                       LR_DEFAULTCOLOR));
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = DLGWINDOWEXTRA;
  window_class.hInstance = instance;
  window_class.hIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
  window_class.hIconSm = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);  // fails harmlessly when a previous window registered it
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance) {
  INITCOMMONCONTROLSEX common_controls{sizeof(common_controls),
                                       ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&common_controls);
  RegisterWindowClass(instance, &Win32Window::WindowProc);
  CreateWindowExW(kWindowExStyle, kClassName, Widen(form::kWindowCaption).c_str(), kWindowStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  instance, this);
  CreateControls(instance);
  win32::NameForScreenReaders(controls_);
  ApplyLayout(win32::WindowDpi(window_));
  CentreOnScreen();
}

Win32Window::~Win32Window() {
  if (window_ != nullptr) {
    DestroyWindow(window_);
  }
  if (font_ != nullptr) {
    DeleteObject(font_);
  }
}

void Win32Window::CreateControls(HINSTANCE instance) {
  for (const win32::ControlSpec& spec : win32::kControls) {
    const ClassStyle kind = StyleOf(spec.kind);
    const int id = kFirstControlId + static_cast<int>(spec.id);
    controls_[static_cast<std::size_t>(spec.id)] = CreateWindowExW(
        0, kind.window_class, Widen(spec.caption).c_str(), kChildStyle | kind.style, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  }
  for (std::string_view item : form::kDepthItems) {
    Send(ControlId::cmbDepth, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  }
  for (const win32::ControlSpec& spec : win32::kControls) {
    if (spec.kind == ControlKind::DropDownList) {
      Send(spec.id, CB_SETMINVISIBLE, kVisibleListItems);
    }
  }
  Send(ControlId::sdrSound, TBM_SETRANGEMIN, FALSE, form::kSliderMinimum);
  Send(ControlId::sdrSound, TBM_SETRANGEMAX, FALSE, form::kSliderMaximum);
  Send(ControlId::sdrSound, TBM_SETTICFREQ, form::kSliderTickInterval);
  Send(ControlId::sdrSound, TBM_SETLINESIZE, 0, form::kSliderSmallChange);
  Send(ControlId::sdrSound, TBM_SETPAGESIZE, 0, form::kSliderLargeChange);
  Send(ControlId::sdrSound, TBM_SETPOS, TRUE, form::kSliderInitial);
  for (OptionButton button : form::kInitiallyOn) {
    Send(win32::ControlOf(button), BM_SETCHECK, BST_CHECKED);
    SetTabStop(Control(win32::ControlOf(button)), true);
  }
  for (CheckBox box : form::kInitiallyChecked) {
    Send(win32::ControlOf(box), BM_SETCHECK, BST_CHECKED);
  }
}

void Win32Window::ApplyLayout(UINT dpi) {
  const HFONT font = win32::CreateDialogFont(dpi);
  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, font);
  scale_ = win32::LayoutScale(dc, dpi);
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);

  for (const win32::ControlSpec& spec : win32::kControls) {
    const HWND control = Control(spec.id);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT rect = win32::PixelRect(spec, scale_);
    int height = rect.bottom - rect.top;
    if (spec.kind == ControlKind::DropDownList) {
      // A drop-down list's window height is that of the field and its open list together.
      height += kVisibleListItems * static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
    }
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const SIZE client = win32::ClientSize(scale_);
  RECT frame{0, 0, client.cx, client.cy};
  win32::AdjustWindowRectForDpi(frame, kWindowStyle, kWindowExStyle, dpi);
  SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);

  if (font_ != nullptr) {
    DeleteObject(font_);
  }
  font_ = font;
}

void Win32Window::CentreOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT rect{};
  GetWindowRect(window_, &rect);
  const RECT& work = monitor.rcWork;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
               work.top + (work.bottom - work.top - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

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
  if (Send(button, BM_GETCHECK) == BST_CHECKED) {
    return;
  }
  // Only the button that is on is a Tab stop, so Tab never lands on (and so selects) another.
  for (ControlId member : OptionGroupOf(button)) {
    const bool on = member == button;
    Send(member, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED);
    SetTabStop(Control(member), on);
  }
  RunRoutine(button);
}

void Win32Window::RunRoutine(ControlId control) {
  const auto routine = std::ranges::find(kRoutines, control, &Routine::control);
  if (routine != kRoutines.end() && events() != nullptr) {
    (events()->*(routine->run))();
  }
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
  const auto button = static_cast<ControlId>(focused - controls_.begin());
  const std::span<const ControlId> group = OptionGroupOf(button);
  if (group.empty()) {
    return false;
  }
  const auto size = static_cast<std::ptrdiff_t>(group.size());
  const std::ptrdiff_t position = std::ranges::find(group, button) - group.begin();
  const ControlId next = group[static_cast<std::size_t>((position + step + size) % size)];
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
