#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/frm_main.h"
#include "config/win32/win32_window.h"
#include "tests/dialog/user_driver.h"
#include "tests/win32/message_box_watcher.h"

namespace krovan::testing {

// Drives the real Win32 window as a user does: clicks reach the controls as BM_CLICK, picks in
// a list as the list's own selection change and notification, the slider through its keys, the
// close box as the system command. Message boxes are real ones, recorded and answered with OK.
class Win32Driver final : public UserDriver {
 public:
  void Start(const std::vector<std::string>& high_score_files) override;

  void ChooseDepth(int index) override;
  void Click(CheckBox box) override;
  void Click(OptionButton button) override;
  void PickKey(KeySlot slot, int index) override;
  void MoveSlider(int value) override;
  void Press(Button button) override;
  void CloseBox() override;

  const ToolkitOperations& form() const override { return *window_; }
  bool IsEnabled(DropDownList list) const override;
  int ItemCount(DropDownList list) const override;
  std::string ItemText(DropDownList list, int index) const override;
  bool IsVisible() const override;
  std::vector<ShownMessage> Messages() const override { return watcher_.Messages(); }

 private:
  HWND Control(ControlIndex id) const { return window_->Control(id); }
  void Pick(DropDownList list, int index);

  MessageBoxWatcher watcher_;
  std::unique_ptr<Win32Window> window_;
  SystemFiles files_;
  std::unique_ptr<frmMain> routines_;
};

}  // namespace krovan::testing
