#include "config/toolkit.h"

#include <cstdlib>

#include "config/form_layout.h"

namespace krovan {

namespace {

// A control outside the table, a name that names no control of its kind, is a fault of the
// caller: it stops the program at once, where it happened, rather than reach another control.
ControlIndex InTable(ControlIndex control) {
  if (control < 0 || control >= form::kControlCount) {
    std::abort();
  }
  return control;
}

ControlIndex IndexIn(auto name) {
  return InTable(form::IndexOf(name));
}

}  // namespace

void ToolkitOperations::ShowForm() {
  NativeShow();
}

void ToolkitOperations::CloseForm() {
  NativeClose();
}

void ToolkitOperations::ShowMessage(std::string_view text, std::string_view title,
                                    MessageIcon icon) {
  NativeShowMessage(text, title, icon);
}

void ToolkitOperations::AppendItem(DropDownList list, std::string_view text) {
  NativeAppend(IndexIn(list), {&text, 1});
}

void ToolkitOperations::AppendItems(DropDownList list, std::span<const std::string_view> texts) {
  NativeAppend(IndexIn(list), texts);
}

int ToolkitOperations::GetListIndex(DropDownList list) const {
  return NativeListIndex(IndexIn(list));
}

bool ToolkitOperations::SetListIndex(DropDownList list, int index) {
  const ControlIndex control = IndexIn(list);
  if (index < -1 || index >= NativeItemCount(control)) {
    return false;
  }
  if (index != NativeListIndex(control)) {
    NativeSelect(control, index);
    RunRoutine(control);
  }
  return true;
}

void ToolkitOperations::SetEnabled(DropDownList list, bool enabled) {
  NativeEnable(IndexIn(list), enabled);
}

bool ToolkitOperations::IsOn(OptionButton button) const {
  return NativeIsOn(IndexIn(button));
}

void ToolkitOperations::TurnOn(OptionButton button) {
  TurnOnAt(IndexIn(button));
}

int ToolkitOperations::GetValue(CheckBox box) const {
  return NativeIsOn(IndexIn(box)) ? 1 : 0;
}

void ToolkitOperations::SetValue(CheckBox box, int value) {
  NativeSetOn(IndexIn(box), value != 0);
}

int ToolkitOperations::GetValue(Slider slider) const {
  return NativeSliderValue(IndexIn(slider));
}

bool ToolkitOperations::SetValue(Slider slider, int value) {
  const ControlIndex control = IndexIn(slider);
  if (value < form::kSliderMinimum || value > form::kSliderMaximum) {
    return false;
  }
  NativeSetSliderValue(control, value);
  return true;
}

void ToolkitOperations::RunRoutine(ControlIndex control) {
  if (const form::Routine routine = form::Row(InTable(control)).routine;
      routine != nullptr && events_ != nullptr) {
    (events_->*routine)();
  }
}

void ToolkitOperations::TurnOnAt(ControlIndex button) {
  if (NativeIsOn(button)) {
    return;
  }
  // On first: a toolkit whose buttons turn each other off refuses to turn off the one that is on.
  NativeSetOn(button, true);
  for (const OptionButton member : form::GroupOf(form::OptionButtonAt(button)).Members()) {
    if (const ControlIndex other = form::IndexOf(member); other != button) {
      NativeSetOn(other, false);
    }
  }
  RunRoutine(button);
}

}  // namespace krovan
