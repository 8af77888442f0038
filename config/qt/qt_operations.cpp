// The native operations of the Qt window: what the toolkit operations do to its controls, its
// message boxes, and deleting a file.
#include <QAbstractButton>
#include <QComboBox>
#include <QMessageBox>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QStringList>
#include <array>

#include "config/qt/qt_convert.h"
#include "config/qt/qt_window.h"
#include "config/window_place.h"

namespace krovan {

namespace {

// The message box icon, by MessageIcon.
constexpr std::array kMessageIcons = {QMessageBox::Information, QMessageBox::Critical};

}  // namespace

QComboBox* QtWindow::ComboAt(ControlIndex list) const {
  return static_cast<QComboBox*>(widgets_[list]);
}

QAbstractButton* QtWindow::ButtonAt(ControlIndex button) const {
  return static_cast<QAbstractButton*>(widgets_[button]);
}

QSlider* QtWindow::SliderAt(ControlIndex slider) const {
  return static_cast<QSlider*>(widgets_[slider]);
}

void QtWindow::NativeShow() {
  if (!isVisible()) {
    const QRect available = screen()->availableGeometry();
    const ScreenPoint top_left = OpeningTopLeft(
        {available.x(), available.y(), available.width(), available.height()}, width(), height());
    move(top_left.x, top_left.y);
  }
  show();
}

void QtWindow::NativeClose() {
  close();
}

void QtWindow::NativeShowMessage(std::string_view text, std::string_view title, MessageIcon icon) {
  QMessageBox box(kMessageIcons.at(static_cast<std::size_t>(icon)), Text(title), Text(text),
                  QMessageBox::Ok, this);
  // The system's error text is shown as it is, never read as markup.
  box.setTextFormat(Qt::PlainText);
  const QScopedValueRollback showing(showing_message_, true);
  box.exec();
}

void QtWindow::NativeAppend(ControlIndex list, std::span<const std::string_view> texts) {
  QStringList items;
  items.reserve(static_cast<qsizetype>(texts.size()));
  for (const std::string_view text : texts) {
    items.append(Text(text));
  }
  QComboBox* combo = ComboAt(list);
  // Qt selects the first item added to an empty list; appending never changes the selection.
  // Added in one step, the items cost the list and its view one insertion, not one each.
  const QSignalBlocker blocker(combo);
  const int selected = combo->currentIndex();
  combo->addItems(items);
  combo->setCurrentIndex(selected);
}

int QtWindow::NativeItemCount(ControlIndex list) const {
  return ComboAt(list)->count();
}

int QtWindow::NativeListIndex(ControlIndex list) const {
  return ComboAt(list)->currentIndex();
}

void QtWindow::NativeSelect(ControlIndex list, int index) {
  const QScopedValueRollback from_code(changing_from_code_, true);
  ComboAt(list)->setCurrentIndex(index);
}

void QtWindow::NativeEnable(ControlIndex list, bool enabled) {
  ComboAt(list)->setEnabled(enabled);
}

bool QtWindow::NativeIsOn(ControlIndex control) const {
  return ButtonAt(control)->isChecked();
}

void QtWindow::NativeSetOn(ControlIndex control, bool on) {
  const QScopedValueRollback from_code(changing_from_code_, true);
  ButtonAt(control)->setChecked(on);
}

int QtWindow::NativeSliderValue(ControlIndex slider) const {
  return SliderAt(slider)->value();
}

void QtWindow::NativeSetSliderValue(ControlIndex slider, int value) {
  SliderAt(slider)->setValue(value);
}

}  // namespace krovan
