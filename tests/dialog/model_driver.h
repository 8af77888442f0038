#pragma once

#include <memory>
#include <string>
#include <vector>

#include "config/frm_main.h"
#include "tests/dialog/control_model.h"
#include "tests/dialog/user_driver.h"

namespace krovan::testing {

// Drives the in-memory control model as a user would drive the window.
class ModelDriver final : public UserDriver {
 public:
  void Start(const std::vector<std::string>& high_score_files) override;

  void ChooseDepth(int index) override;
  void Click(CheckBox box) override;
  void Click(OptionButton button) override;
  void PickKey(KeySlot slot, int index) override;
  void MoveSlider(int value) override;
  void Press(Button button) override;
  void CloseBox() override;

  const ToolkitOperations& form() const override { return *model_; }
  bool IsEnabled(DropDownList list) const override;
  int ItemCount(DropDownList list) const override;
  std::string ItemText(DropDownList list, int index) const override;
  bool IsVisible() const override;
  std::vector<ShownMessage> Messages() const override;

 private:
  std::unique_ptr<ControlModel> model_;
  SystemFiles files_;
  std::unique_ptr<frmMain> routines_;
};

}  // namespace krovan::testing
