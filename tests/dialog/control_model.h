#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "config/form_controls.h"
#include "config/toolkit.h"

namespace krovan::testing {

// A message box as the program showed it.
struct RecordedMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  bool operator==(const RecordedMessage&) const = default;
};

// The window's controls held in memory, without a screen, in the window's design-time state.
// Message boxes return at once and are recorded.
class ControlModel final : public ToolkitOperations {
 public:
  ControlModel();

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
  // What a control shows: the items, selection and state of a list, whether an option button
  // or check box is on, the slider's value.
  struct ControlState {
    std::vector<std::string> items;
    int index = -1;
    bool enabled = true;
    bool on = false;
    int value = 0;
  };

  void NativeShow() override;
  void NativeClose() override;
  void NativeShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
  void NativeAppend(ControlIndex list, std::span<const std::string_view> texts) override;
  int NativeItemCount(ControlIndex list) const override;
  int NativeListIndex(ControlIndex list) const override;
  void NativeSelect(ControlIndex list, int index) override;
  void NativeEnable(ControlIndex list, bool enabled) override;
  bool NativeIsOn(ControlIndex control) const override;
  void NativeSetOn(ControlIndex control, bool on) override;
  int NativeSliderValue(ControlIndex slider) const override;
  void NativeSetSliderValue(ControlIndex slider, int value) override;

  const ControlState& State(auto name) const;

  std::array<ControlState, form::kControlCount> controls_;
  bool shown_ = false;
  bool closed_ = false;
  std::vector<RecordedMessage> messages_;
};

}  // namespace krovan::testing
