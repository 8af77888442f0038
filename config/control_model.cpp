#include "config/control_model.h"

#include "config/form_layout.h"
#include "config/settings/remove_file.h"

namespace krovan {

namespace {

int Index(auto control) {
  return static_cast<int>(control);
}

}  // namespace

ControlModel::ControlModel() {
  for (const form::DepthEntry& entry : form::kDepthEntries) {
    List(DropDownList::cmbDepth).items.emplace_back(entry.label);
  }
  for (const OptionButton button : form::kInitiallyOn) {
    option_on_.at(Index(button)) = true;
  }
  for (const CheckBox box : form::kInitiallyChecked) {
    box_values_.at(Index(box)) = 1;
  }
}

void ControlModel::ShowForm() {
  shown_ = true;
}

void ControlModel::CloseForm() {
  closed_ = true;
}

void ControlModel::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  messages_.push_back({std::string(text), std::string(title), icon});
}

void ControlModel::AppendItem(DropDownList list, std::string_view text) {
  List(list).items.emplace_back(text);
}

int ControlModel::GetListIndex(DropDownList list) const {
  return List(list).index;
}

bool ControlModel::SetListIndex(DropDownList list, int index) {
  ListState& state = List(list);
  if (index < -1 || index >= static_cast<int>(state.items.size())) {
    return false;
  }
  if (index == state.index) {
    return true;
  }
  state.index = index;
  Run(form::Row(list).routine);
  return true;
}

void ControlModel::SetEnabled(DropDownList list, bool enabled) {
  List(list).enabled = enabled;
}

bool ControlModel::IsOn(OptionButton button) const {
  return option_on_.at(Index(button));
}

void ControlModel::TurnOn(OptionButton button) {
  const int turned_on = Index(button);
  if (option_on_.at(turned_on)) {
    return;
  }
  for (const OptionButton member : form::GroupOf(button).Members()) {
    option_on_.at(Index(member)) = false;
  }
  option_on_[turned_on] = true;
  Run(form::Row(button).routine);
}

int ControlModel::GetValue(CheckBox box) const {
  return box_values_.at(Index(box));
}

void ControlModel::SetValue(CheckBox box, int value) {
  box_values_.at(Index(box)) = value != 0 ? 1 : 0;
}

int ControlModel::GetValue(Slider) const {
  return sound_volume_;
}

bool ControlModel::SetValue(Slider, int value) {
  if (value < form::kSliderMinimum || value > form::kSliderMaximum) {
    return false;
  }
  sound_volume_ = value;
  return true;
}

FileRemoval ControlModel::RemoveFile(const std::string& path) {
  return RemoveRegularFile(path);
}

void ControlModel::Press(Button button) {
  Run(form::Row(button).routine);
}

void ControlModel::Run(form::Routine routine) {
  if (routine != nullptr && events() != nullptr) {
    (events()->*routine)();
  }
}

bool ControlModel::IsEnabled(DropDownList list) const {
  return List(list).enabled;
}

int ControlModel::ItemCount(DropDownList list) const {
  return static_cast<int>(List(list).items.size());
}

std::string ControlModel::ItemText(DropDownList list, int index) const {
  const std::vector<std::string>& items = List(list).items;
  if (index < 0 || index >= static_cast<int>(items.size())) {
    return {};
  }
  return items[index];
}

ControlModel::ListState& ControlModel::List(DropDownList list) {
  return lists_.at(Index(list));
}

const ControlModel::ListState& ControlModel::List(DropDownList list) const {
  return lists_.at(Index(list));
}

}  // namespace krovan
