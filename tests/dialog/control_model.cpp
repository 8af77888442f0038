#include "tests/dialog/control_model.h"

#include "config/form_layout.h"

namespace krovan::testing {

ControlModel::ControlModel() {
  for (const form::DepthEntry& entry : form::kDepthEntries) {
    controls_[form::IndexOf(DropDownList::cmbDepth)].items.emplace_back(entry.label);
  }
  for (const OptionButton button : form::kInitiallyOn) {
    controls_[form::IndexOf(button)].on = true;
  }
  for (const CheckBox box : form::kInitiallyChecked) {
    controls_[form::IndexOf(box)].on = true;
  }
  controls_[form::IndexOf(Slider::sdrSound)].value = form::kSliderInitial;
}

void ControlModel::Press(Button button) {
  RunRoutine(form::IndexOf(button));
}

bool ControlModel::IsEnabled(DropDownList list) const {
  return State(list).enabled;
}

int ControlModel::ItemCount(DropDownList list) const {
  return static_cast<int>(State(list).items.size());
}

std::string ControlModel::ItemText(DropDownList list, int index) const {
  const std::vector<std::string>& items = State(list).items;
  if (index < 0 || index >= static_cast<int>(items.size())) {
    return {};
  }
  return items[index];
}

const ControlModel::ControlState& ControlModel::State(auto name) const {
  return controls_.at(form::IndexOf(name));
}

void ControlModel::NativeShow() {
  shown_ = true;
}

void ControlModel::NativeClose() {
  closed_ = true;
}

void ControlModel::NativeShowMessage(std::string_view text, std::string_view title,
                                     MessageIcon icon) {
  messages_.push_back({std::string(text), std::string(title), icon});
}

void ControlModel::NativeAppend(ControlIndex list, std::span<const std::string_view> texts) {
  controls_[list].items.insert(controls_[list].items.end(), texts.begin(), texts.end());
}

int ControlModel::NativeItemCount(ControlIndex list) const {
  return static_cast<int>(controls_[list].items.size());
}

int ControlModel::NativeListIndex(ControlIndex list) const {
  return controls_[list].index;
}

void ControlModel::NativeSelect(ControlIndex list, int index) {
  controls_[list].index = index;
}

void ControlModel::NativeEnable(ControlIndex list, bool enabled) {
  controls_[list].enabled = enabled;
}

bool ControlModel::NativeIsOn(ControlIndex control) const {
  return controls_[control].on;
}

void ControlModel::NativeSetOn(ControlIndex control, bool on) {
  controls_[control].on = on;
}

int ControlModel::NativeSliderValue(ControlIndex slider) const {
  return controls_[slider].value;
}

void ControlModel::NativeSetSliderValue(ControlIndex slider, int value) {
  controls_[slider].value = value;
}

}  // namespace krovan::testing
