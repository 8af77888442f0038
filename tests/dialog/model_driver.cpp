#include "tests/dialog/model_driver.h"

namespace krovan::testing {

void ModelDriver::Start(const std::vector<std::string>& high_score_files) {
  model_ = std::make_unique<ControlModel>();
  routines_ = std::make_unique<frmMain>(*model_, files_, high_score_files);
  routines_->Form_Load();
}

void ModelDriver::ChooseDepth(int index) {
  model_->SetListIndex(DropDownList::cmbDepth, index);
}

void ModelDriver::Click(CheckBox box) {
  model_->SetValue(box, model_->GetValue(box) == 1 ? 0 : 1);
}

void ModelDriver::Click(OptionButton button) {
  model_->TurnOn(button);
}

void ModelDriver::PickKey(KeySlot slot, int index) {
  if (model_->IsEnabled(cmbKeys(slot))) {
    model_->SetListIndex(cmbKeys(slot), index);
  }
}

void ModelDriver::MoveSlider(int value) {
  model_->SetValue(Slider::sdrSound, value);
}

void ModelDriver::Press(Button button) {
  model_->Press(button);
}

void ModelDriver::CloseBox() {
  model_->CloseForm();
}

bool ModelDriver::IsEnabled(DropDownList list) const {
  return model_->IsEnabled(list);
}

int ModelDriver::ItemCount(DropDownList list) const {
  return model_->ItemCount(list);
}

std::string ModelDriver::ItemText(DropDownList list, int index) const {
  return model_->ItemText(list, index);
}

bool ModelDriver::IsVisible() const {
  return model_->IsShown() && !model_->IsClosed();
}

std::vector<ShownMessage> ModelDriver::Messages() const {
  std::vector<ShownMessage> messages;
  for (const RecordedMessage& message : model_->Messages()) {
    messages.push_back({message.text, message.title, message.icon});
  }
  return messages;
}

}  // namespace krovan::testing
