#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "config/form_layout.h"
#include "config/toolkit.h"

namespace krovan {

// A message box as the program showed it.
struct RecordedMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  bool operator==(const RecordedMessage&) const = default;
};

// The window's controls held in memory, without a screen. It is created in the window's
// design-time state and follows the same rules as the real window: changing cmbDepth's
// selection and turning on a scheme button run their routines nested in the change, option
// buttons are exclusive within their frame, lists never sort, out-of-range list indexes and
// slider values are refused. Message boxes return at once and are recorded.
class ControlModel final : public ToolkitOperations {
 public:
  ControlModel();

  void ShowForm() override;
  void CloseForm() override;
  void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;

  void AppendItem(DropDownList list, std::string_view text) override;
  int GetListIndex(DropDownList list) const override;
  bool SetListIndex(DropDownList list, int index) override;
  void SetEnabled(DropDownList list, bool enabled) override;

  bool IsOn(OptionButton button) const override;
  void TurnOn(OptionButton button) override;

  int GetValue(CheckBox box) const override;
  void SetValue(CheckBox box, int value) override;

  int GetValue(Slider slider) const override;
  bool SetValue(Slider slider, int value) override;

  FileRemoval RemoveFile(const std::string& path) override;

  // A press of one of the three buttons: runs its routine.
  void Press(Button button);

  // What the screen would show.
  bool IsEnabled(DropDownList list) const;
  int ItemCount(DropDownList list) const;
  std::string ItemText(DropDownList list, int index) const;  // "" outside the list
  bool IsShown() const { return shown_; }
  bool IsClosed() const { return closed_; }
  const std::vector<RecordedMessage>& Messages() const { return messages_; }

 private:
  struct ListState {
    std::vector<std::string> items;
    int index = -1;
    bool enabled = true;
  };

  // Runs a control's routine, if it has one.
  void Run(form::Routine routine);
  ListState& List(DropDownList list);
  const ListState& List(DropDownList list) const;

  std::array<ListState, kKeySlotCount + 1> lists_;
  std::array<bool, form::kOptionButtonCount> option_on_{};  // by OptionButton
  std::array<int, form::kCheckBoxCount> box_values_{};      // by CheckBox
  int sound_volume_ = form::kSliderInitial;
  bool shown_ = false;
  bool closed_ = false;
  std::vector<RecordedMessage> messages_;
};

}  // namespace krovan
