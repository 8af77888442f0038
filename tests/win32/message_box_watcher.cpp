#include "tests/win32/message_box_watcher.h"

#include <string>

#include "config/text/utf16.h"

namespace krovan::testing {
namespace {

thread_local MessageBoxWatcher* watcher = nullptr;

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// Keeps in `found` the icon of `child` when it is an icon control. A function of its own: the
// callback's calling convention is stdcall on 32-bit Windows, which a lambda cannot take.
BOOL CALLBACK KeepIcon(HWND child, LPARAM found) {
  if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    *reinterpret_cast<HICON*>(found) =
        reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
  }
  return TRUE;
}

// The icon a message box shows: the one its icon control holds, told apart by the shared
// system icons the box loads for MB_ICONINFORMATION and MB_ICONERROR.
MessageIcon IconOf(HWND box) {
  HICON shown = nullptr;
  EnumChildWindows(box, &KeepIcon, reinterpret_cast<LPARAM>(&shown));
  return shown == LoadIconW(nullptr, IDI_ERROR) ? MessageIcon::Error : MessageIcon::Information;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() {
  watcher = this;
  hook_ =
      SetWindowsHookExW(WH_CBT, &MessageBoxWatcher::OnWindowEvent, nullptr, GetCurrentThreadId());
}

MessageBoxWatcher::~MessageBoxWatcher() {
  UnhookWindowsHookEx(hook_);
  watcher = nullptr;
}

LRESULT CALLBACK MessageBoxWatcher::OnWindowEvent(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_ACTIVATE && watcher != nullptr) {
    const auto window = reinterpret_cast<HWND>(wparam);
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, static_cast<int>(std::size(class_name)));
    if (std::wstring_view(class_name) == kDialogClass) {
      watcher->Record(window);
    }
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void MessageBoxWatcher::Record(HWND box) {
  messages_.push_back(
      {Narrow(WindowText(GetDlgItem(box, kMessageTextId))), Narrow(WindowText(box)), IconOf(box)});
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

bool PumpMessages() {
  bool quit = false;
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return quit;
}

}  // namespace krovan::testing
