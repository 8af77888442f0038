#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/frm_main.h"
#include "config/qt/qt_window.h"
#include "tests/dialog/user_driver.h"
#include "tests/qt/message_box_watcher.h"

class QComboBox;

namespace krovan::testing {

// Drives the real Qt window with mouse and key events on its widgets, as a user does.
class QtUserDriver final : public UserDriver {
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
  QComboBox* List(DropDownList list) const;
  void PickItem(DropDownList list, int index);

  MessageBoxWatcher watcher_;
  std::unique_ptr<QtWindow> window_;
  SystemFiles files_;
  std::unique_ptr<frmMain> routines_;
};

}  // namespace krovan::testing
