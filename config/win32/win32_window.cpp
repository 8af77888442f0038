#include "config/win32/win32_window.h"

#include <commctrl.h>

#include <algorithm>

#include "config/form_layout.h"
#include "config/text/utf16.h"
#include "config/win32/accessible_names.h"
#include "config/win32/dpi.h"
#include "config/win32/layout.h"
#include "config/win32/resource.h"
#include "config/window_place.h"

namespace krovan {
namespace {

using form::ControlKind;

constexpr wchar_t kClassName[] = L"KrovanConfigWindow";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = 0;

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
    case ControlKind::kLabel:
      return {WC_STATICW, SS_LEFT};
    case ControlKind::kFrame:
      return {WC_BUTTONW, BS_GROUPBOX};
    case ControlKind::kButton:
      return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON};
    case ControlKind::kOptionButton:
      return {WC_BUTTONW, BS_RADIOBUTTON};
    case ControlKind::kCheckBox:
      return {WC_BUTTONW, WS_TABSTOP | BS_AUTOCHECKBOX};
    case ControlKind::kDropDownList:
      return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST};
    case ControlKind::kSlider:
      return {TRACKBAR_CLASSW, WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | TBS_BOTTOM};
  }
  return {WC_STATICW, 0};
}

HICON LoadProgramIcon(HINSTANCE instance, int metric_x, int metric_y) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                       GetSystemMetrics(metric_x), GetSystemMetrics(metric_y),
                                       LR_DEFAULTCOLOR));
}

// Registers the window class once per process, with its icons: a later window (the tests make
// many) finds it registered and loads nothing, so no icon handle is left over.
void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  if (GetClassInfoExW(instance, kClassName, &window_class)) {
    return;
  }
  window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = DLGWINDOWEXTRA;
  window_class.hInstance = instance;
  window_class.hIcon = LoadProgramIcon(instance, SM_CXICON, SM_CYICON);
  window_class.hIconSm = LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
}

// The controls in creation order, which is their z-order and so the order in which Tab visits
// them: the tab order, except that the frames, which never take the focus, come last, so that
// they lie beneath the controls drawn inside them.
constexpr std::array<ControlIndex, form::kControlCount> kCreationOrder = [] {
  std::array<ControlIndex, form::kControlCount> order = form::kTabOrder;
  std::ranges::sort(order, {}, [](ControlIndex control) {
    const form::Control& row = form::Row(control);
    return std::array{row.kind == ControlKind::kFrame ? 1 : 0, row.tab_index};
  });
  return order;
}();

// Registers the common controls' classes (the slider among them). comctl32 is loaded here rather
// than imported: as an import, the loader would map it and the DLLs it imports in turn (uxtheme
// among them, which is none of the KnownDLLs) before the program's first line, looking in the
// program's folder first. Loaded once the DLL search is narrowed (RestrictDllSearch), it comes
// from WinSxS, in the version 6 that the manifest names, and its DLLs from System32.
void RegisterCommonControls() {
  const auto init =
      reinterpret_cast<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>(reinterpret_cast<void*>(
          GetProcAddress(LoadLibraryW(L"comctl32.dll"), "InitCommonControlsEx")));
  const INITCOMMONCONTROLSEX common_controls{sizeof(common_controls),
                                             ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  if (init != nullptr) {
    init(&common_controls);
  }
}

}  // namespace

Win32Window::Win32Window(HINSTANCE instance) {
  RegisterCommonControls();
  RegisterWindowClass(instance, &Win32Window::WindowProc);
  CreateWindowExW(kWindowExStyle, kClassName, Widen(form::kWindowCaption).c_str(), kWindowStyle,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                  instance, this);
  CreateControls(instance);
  win32::NameForScreenReaders(controls_);
  ApplyLayout(win32::WindowDpi(window_));
  PlaceOnScreen();
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
  for (const ControlIndex control : kCreationOrder) {
    const form::Control& row = form::Row(control);
    const ClassStyle kind = StyleOf(row.kind);
    const int id = kFirstControlId + control;
    controls_[control] = CreateWindowExW(
        0, kind.window_class, Widen(row.caption).c_str(), kChildStyle | kind.style, 0, 0, 0, 0,
        window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  }
  const ControlIndex depth = form::IndexOf(DropDownList::cmbDepth);
  for (const form::DepthEntry& entry : form::kDepthEntries) {
    Send(depth, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(entry.label).c_str()));
  }
  for (int list = 0; list < kDropDownListCount; ++list) {
    Send(form::kFirstDropDownList + list, CB_SETMINVISIBLE, kVisibleListItems);
  }
  const ControlIndex slider = form::IndexOf(Slider::sdrSound);
  Send(slider, TBM_SETRANGEMIN, FALSE, form::kSliderMinimum);
  Send(slider, TBM_SETRANGEMAX, FALSE, form::kSliderMaximum);
  Send(slider, TBM_SETTICFREQ, form::kSliderTickInterval);
  Send(slider, TBM_SETLINESIZE, 0, form::kSliderSmallChange);
  Send(slider, TBM_SETPAGESIZE, 0, form::kSliderLargeChange);
  Send(slider, TBM_SETPOS, TRUE, form::kSliderInitial);
  for (OptionButton button : form::kInitiallyOn) {
    NativeSetOn(form::IndexOf(button), true);
  }
  for (CheckBox box : form::kInitiallyChecked) {
    NativeSetOn(form::IndexOf(box), true);
  }
}

void Win32Window::ApplyLayout(UINT dpi) {
  const HFONT font = win32::CreateDialogFont(dpi);
  const HDC dc = GetDC(window_);
  const HGDIOBJ previous = SelectObject(dc, font);
  scale_ = win32::LayoutScale(dc, dpi);
  SelectObject(dc, previous);
  ReleaseDC(window_, dc);

  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const HWND handle = Control(control);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const RECT rect = win32::PixelRect(control, scale_);
    int height = rect.bottom - rect.top;
    if (form::Row(control).kind == ControlKind::kDropDownList) {
      // A drop-down list's window height is that of the field and its open list together.
      height += kVisibleListItems * static_cast<int>(SendMessageW(handle, CB_GETITEMHEIGHT, 0, 0));
    }
    SetWindowPos(handle, nullptr, rect.left, rect.top, rect.right - rect.left, height,
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

void Win32Window::PlaceOnScreen() {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
  RECT rect{};
  GetWindowRect(window_, &rect);
  const RECT& work = monitor.rcWork;
  const ScreenPoint top_left =
      OpeningTopLeft({work.left, work.top, work.right - work.left, work.bottom - work.top},
                     rect.right - rect.left, rect.bottom - rect.top);
  SetWindowPos(window_, nullptr, top_left.x, top_left.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace krovan
