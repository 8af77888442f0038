// The toolkit operations of the Qt window: what the routines do to its controls, its message
// boxes, and deleting a file.
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStringList>
#include <array>

#include "config/qt/qt_convert.h"
#include "config/qt/qt_window.h"
#include "config/qt/window_place.h"
#include "config/settings/remove_file.h"

namespace krovan {

namespace {

// The message box icon, by MessageIcon.
constexpr std::array kMessageIcons = {QMessageBox::Information, QMessageBox::Critical};

}  // namespace

QComboBox* QtWindow::List(DropDownList list) const {
  return lists_.at(Index(list));
}

QRadioButton* QtWindow::Option(OptionButton button) const {
  return option_buttons_.at(Index(button));
}

QCheckBox* QtWindow::Box(CheckBox box) const {
  return check_boxes_.at(Index(box));
}

void QtWindow::ShowForm() {
  if (!isVisible()) {
    move(OpeningTopLeft(screen()->availableGeometry(), size()));
  }
  show();
}

void QtWindow::CloseForm() {
  close();
}

void QtWindow::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  QMessageBox box(kMessageIcons.at(Index(icon)), Text(title), Text(text), QMessageBox::Ok, this);
  // The system's error text is shown as it is, never read as markup.
  box.setTextFormat(Qt::PlainText);
  const QScopedValueRollback showing(showing_message_, true);
  box.exec();
}

void QtWindow::AppendItem(DropDownList list, std::string_view text) {
  AppendItems(list, {&text, 1});
}

void QtWindow::AppendItems(DropDownList list, std::span<const std::string_view> texts) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string_view text : texts) {
    items.append(Text(text));
  }
  QComboBox* combo = List(list);
  // Qt selects the first item added to an empty list; appending never changes the selection.
  // Added in one step, the items cost the list and its view one insertion, not one each.
  const QSignalBlocker blocker(combo);
  const int selected = combo->currentIndex();
  combo->addItems(items);
  combo->setCurrentIndex(selected);
}

int QtWindow::GetListIndex(DropDownList list) const {
  return List(list)->currentIndex();
}

bool QtWindow::SetListIndex(DropDownList list, int index) {
  QComboBox* combo = List(list);
  if (index < -1 || index >= combo->count()) {
    return false;
  }
  combo->setCurrentIndex(index);
  return true;
}

void QtWindow::SetEnabled(DropDownList list, bool enabled) {
  List(list)->setEnabled(enabled);
}

bool QtWindow::IsOn(OptionButton button) const {
  return Option(button)->isChecked();
}

void QtWindow::TurnOn(OptionButton button) {
  Option(button)->setChecked(true);
}

int QtWindow::GetValue(CheckBox box) const {
  return Box(box)->isChecked() ? 1 : 0;
}

void QtWindow::SetValue(CheckBox box, int value) {
  Box(box)->setChecked(value != 0);
}

int QtWindow::GetValue(Slider) const {
  return slider_->value();
}

bool QtWindow::SetValue(Slider, int value) {
  if (value < slider_->minimum() || value > slider_->maximum()) {
    return false;
  }
  slider_->setValue(value);
  return true;
}

FileRemoval QtWindow::RemoveFile(const std::string& path) {
  return RemoveRegularFile(path);
}

}  // namespace krovan
