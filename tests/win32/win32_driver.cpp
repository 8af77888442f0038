#include "tests/win32/win32_driver.h"

#include <commctrl.h>

#include "config/form_layout.h"
#include "config/text/utf16.h"

namespace krovan::testing {

void Win32Driver::Start(const std::vector<std::string>& high_score_files) {
  window_ = std::make_unique<Win32Window>(GetModuleHandleW(nullptr));
  routines_ = std::make_unique<frmMain>(*window_, files_, high_score_files);
  routines_->Form_Load();
  PumpMessages();
}

void Win32Driver::Pick(DropDownList list, int index) {
  const HWND control = Control(form::IndexOf(list));
  const auto count = static_cast<int>(SendMessageW(control, CB_GETCOUNT, 0, 0));
  if (!IsWindowEnabled(control) || index < 0 || index >= count ||
      SendMessageW(control, CB_GETCURSEL, 0, 0) == static_cast<LRESULT>(index)) {
    return;  // a locked list, no such item, or the item already shown: nothing changes
  }
  // What the list does when the user picks an item: select it, then tell its parent.
  SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(control));
  PumpMessages();
}

void Win32Driver::ChooseDepth(int index) {
  Pick(DropDownList::cmbDepth, index);
}

void Win32Driver::PickKey(KeySlot slot, int index) {
  Pick(cmbKeys(slot), index);
}

void Win32Driver::Click(CheckBox box) {
  SendMessageW(Control(form::IndexOf(box)), BM_CLICK, 0, 0);
  PumpMessages();
}

void Win32Driver::Click(OptionButton button) {
  SendMessageW(Control(form::IndexOf(button)), BM_CLICK, 0, 0);
  PumpMessages();
}

void Win32Driver::MoveSlider(int value) {
  const HWND slider = Control(form::IndexOf(Slider::sdrSound));
  SendMessageW(slider, WM_KEYDOWN, VK_HOME, 0);
  for (int step = 0; step < value; ++step) {
    SendMessageW(slider, WM_KEYDOWN, VK_RIGHT, 0);
  }
  PumpMessages();
}

void Win32Driver::Press(Button button) {
  SendMessageW(Control(form::IndexOf(button)), BM_CLICK, 0, 0);
  PumpMessages();
}

void Win32Driver::CloseBox() {
  SendMessageW(window_->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
  PumpMessages();
}

bool Win32Driver::IsEnabled(DropDownList list) const {
  return IsWindowEnabled(Control(form::IndexOf(list))) != FALSE;
}

int Win32Driver::ItemCount(DropDownList list) const {
  return static_cast<int>(SendMessageW(Control(form::IndexOf(list)), CB_GETCOUNT, 0, 0));
}

std::string Win32Driver::ItemText(DropDownList list, int index) const {
  const HWND control = Control(form::IndexOf(list));
  const LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) {
    return {};
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return Narrow(text);
}

bool Win32Driver::IsVisible() const {
  return window_->Handle() != nullptr && IsWindowVisible(window_->Handle()) != FALSE;
}

}  // namespace krovan::testing
