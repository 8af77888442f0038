#include "tests/qt/qt_user_driver.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionButton>
#include <QTest>
#include <QWindow>

#include "tests/qt/widgets.h"

namespace krovan::testing {

namespace {

constexpr int kSliderPage = 10;

// A click on the button's indicator, where a click always hits whatever the caption's length.
void ClickIndicator(QAbstractButton& button, QStyle::SubElement indicator) {
  QStyleOptionButton option;
  option.initFrom(&button);
  const QRect rect = button.style()->subElementRect(indicator, &option, &button);
  QTest::mouseClick(&button, Qt::LeftButton, {}, rect.center());
}

}  // namespace

void QtUserDriver::Start(const std::vector<std::string>& high_score_files) {
  window_ = std::make_unique<QtWindow>();
  routines_ = std::make_unique<frmMain>(*window_, files_, high_score_files);
  routines_->Form_Load();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
}

void QtUserDriver::ChooseDepth(int index) {
  PickItem(DropDownList::cmbDepth, index);
}

void QtUserDriver::Click(CheckBox box) {
  ClickIndicator(Find<QCheckBox>(*window_, NameOf(box)), QStyle::SE_CheckBoxIndicator);
}

void QtUserDriver::Click(OptionButton button) {
  ClickIndicator(Find<QRadioButton>(*window_, NameOf(button)), QStyle::SE_RadioButtonIndicator);
}

void QtUserDriver::PickKey(KeySlot slot, int index) {
  PickItem(cmbKeys(slot), index);
}

void QtUserDriver::MoveSlider(int value) {
  // From the left end, Page Up by tens and the arrow key by ones.
  auto& slider = Find<QSlider>(*window_, NameOf(Slider::sdrSound));
  QTest::keyClick(&slider, Qt::Key_Home);
  for (int page = 0; page < value / kSliderPage; ++page) {
    QTest::keyClick(&slider, Qt::Key_PageUp);
  }
  for (int step = 0; step < value % kSliderPage; ++step) {
    QTest::keyClick(&slider, Qt::Key_Right);
  }
}

void QtUserDriver::Press(Button button) {
  QTest::mouseClick(&Find<QPushButton>(*window_, NameOf(button)), Qt::LeftButton);
}

void QtUserDriver::CloseBox() {
  // The window manager's close command arrives at the platform window as a close request.
  window_->windowHandle()->close();
}

bool QtUserDriver::IsEnabled(DropDownList list) const {
  return List(list)->isEnabled();
}

int QtUserDriver::ItemCount(DropDownList list) const {
  return List(list)->count();
}

std::string QtUserDriver::ItemText(DropDownList list, int index) const {
  return List(list)->itemText(index).toStdString();
}

bool QtUserDriver::IsVisible() const {
  return window_->isVisible();
}

QComboBox* QtUserDriver::List(DropDownList list) const {
  return &Find<QComboBox>(*window_, NameOf(list));
}

void QtUserDriver::PickItem(DropDownList list, int index) {
  // Opens the list with a click (a locked list does not open), moves to the item and takes it
  // with Enter.
  QComboBox* combo = List(list);
  QTest::mouseClick(combo, Qt::LeftButton);
  QAbstractItemView* view = combo->view();
  if (!view->isVisible()) {
    return;
  }
  view->setCurrentIndex(combo->model()->index(index, combo->modelColumn()));
  QTest::keyClick(view, Qt::Key_Return);
}

}  // namespace krovan::testing
