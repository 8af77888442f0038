#include "config/qt/qt_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <utility>
#include <vector>

#include "config/qt/keyboard_habits.h"
#include "config/qt/list_popup.h"
#include "config/qt/qt_convert.h"
#include "config/qt/screen_reader.h"

// kIconXpm: the window's icon, drawn by draw_icon.sh. Built in as XPM, which Qt reads without
// looking for image format plug-ins, a few milliseconds at start-up.
#include "config/qt/krovan3d-config.xpm"

namespace krovan {

namespace {

// How many rows of a list show when it drops down; the 144 key names scroll.
constexpr int kListRows = 16;

template <typename Widget>
Widget* Create(QWidget* container, const form::Control& control) {
  auto* widget = new Widget(container);
  widget->setObjectName(Text(control.name));
  if (!control.accessible_name.empty()) {
    widget->setAccessibleName(Text(control.accessible_name));
  }
  return widget;
}

}  // namespace

QtWindow::QtWindow() {
  // First: a screen reader's view of the window is fixed by the first accessibility event about
  // it, which the title already sends.
  AnnounceAsDialog(*this);
  setObjectName("frmMain");
  setWindowTitle(Text(form::kWindowCaption));
  setWindowIcon(QIcon(QPixmap(kIconXpm)));
  // A fixed frame with a close box only: no minimize or maximize box.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  CreateControls();
  SetInitialState();
  ConnectEvents();
  SetUpKeyboard();
  PlaceControls();
}

void QtWindow::CreateControls() {
  for (std::size_t i = 0; i < frames_.size(); ++i) {
    frames_[i] = Create<QGroupBox>(this, form::kFrames[i]);
    frames_[i]->setTitle(Text(form::kFrames[i].caption));
  }
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const form::Control& label = form::kLabels[i];
    labels_[i] = Create<QLabel>(ContainerOf(label), label);
    labels_[i]->setText(Text(label.caption));
    labels_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Painted beneath every other control: a box that reaches under a list is covered by it.
    labels_[i]->lower();
  }
  for (std::size_t i = 0; i < option_buttons_.size(); ++i) {
    const form::Control& option = form::kOptionButtons[i];
    option_buttons_[i] = Create<QRadioButton>(ContainerOf(option), option);
    option_buttons_[i]->setText(Text(option.caption));
  }
  for (std::size_t i = 0; i < check_boxes_.size(); ++i) {
    check_boxes_[i] = Create<QCheckBox>(ContainerOf(form::kCheckBoxes[i]), form::kCheckBoxes[i]);
    check_boxes_[i]->setText(Text(form::kCheckBoxes[i].caption));
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = Create<QPushButton>(ContainerOf(form::kButtons[i]), form::kButtons[i]);
    buttons_[i]->setText(Text(form::kButtons[i].caption));
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i] = Create<QComboBox>(ContainerOf(form::kDropDownLists[i]), form::kDropDownLists[i]);
  }
  DropDownsScroll(lists_, kListRows);
  slider_ = Create<QSlider>(ContainerOf(form::kSlider), form::kSlider);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    if (!form::kLabels[i].buddy.empty()) {
      labels_[i]->setBuddy(findChild<QWidget*>(Text(form::kLabels[i].buddy)));
      NameAfterBuddy(*labels_[i]);
    }
  }
}

void QtWindow::SetInitialState() {
  QComboBox* depth = List(DropDownList::cmbDepth);
  for (const form::DepthEntry& entry : form::kDepthEntries) {
    depth->addItem(Text(entry.label));
  }
  // Adding the first item selected it; the list starts with no selection.
  depth->setCurrentIndex(-1);
  for (OptionButton button : form::kInitiallyOn) {
    Option(button)->setChecked(true);
  }
  for (CheckBox box : form::kInitiallyChecked) {
    Box(box)->setChecked(true);
  }
  slider_->setOrientation(Qt::Horizontal);
  slider_->setRange(form::kSliderMinimum, form::kSliderMaximum);
  slider_->setValue(form::kSliderInitial);
  slider_->setSingleStep(form::kSliderSmallChange);
  slider_->setPageStep(form::kSliderLargeChange);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(form::kSliderTickInterval);
}

void QtWindow::ConnectEvents() {
  // Qt emits these synchronously, for changes from code as well as from the user, so a routine
  // started by a step of another routine runs nested inside that step.
  // A list runs its routine when its selection changes, an option button when it is turned on,
  // a button when it is pressed.
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    if (const form::Routine routine = form::kDropDownLists[i].routine) {
      connect(lists_[i], &QComboBox::currentIndexChanged, this,
              [this, routine] { RunRoutine(routine); });
    }
  }
  for (std::size_t i = 0; i < option_buttons_.size(); ++i) {
    if (const form::Routine routine = form::kOptionButtons[i].routine) {
      connect(option_buttons_[i], &QRadioButton::toggled, this, [this, routine](bool on) {
        if (on) {
          RunRoutine(routine);
        }
      });
    }
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (const form::Routine routine = form::kButtons[i].routine) {
      connect(buttons_[i], &QPushButton::clicked, this, [this, routine] { RunRoutine(routine); });
    }
  }
}

void QtWindow::SetUpKeyboard() {
  std::vector<std::pair<int, QWidget*>> focus_order;
  for (std::size_t i = 0; i < option_buttons_.size(); ++i) {
    ClickOnAcceleratorAtOnce(*option_buttons_[i]);
    KeepTabStopOnCheckedOption(*option_buttons_[i]);
    focus_order.emplace_back(form::kOptionButtons[i].tab_index, option_buttons_[i]);
  }
  for (std::size_t i = 0; i < check_boxes_.size(); ++i) {
    ClickOnAcceleratorAtOnce(*check_boxes_[i]);
    focus_order.emplace_back(form::kCheckBoxes[i].tab_index, check_boxes_[i]);
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    ClickOnAcceleratorAtOnce(*buttons_[i]);
    // Enter presses the button that has the focus; the window has no default button, so Enter
    // elsewhere presses nothing. Escape is bound to nothing: this is not a QDialog.
    buttons_[i]->setAutoDefault(true);
    focus_order.emplace_back(form::kButtons[i].tab_index, buttons_[i]);
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    focus_order.emplace_back(form::kDropDownLists[i].tab_index, lists_[i]);
  }
  focus_order.emplace_back(form::kSlider.tab_index, slider_);
  std::ranges::sort(focus_order);
  for (std::size_t i = 1; i < focus_order.size(); ++i) {
    setTabOrder(focus_order[i - 1].second, focus_order[i].second);
  }
  // The window opens with the focus on the first control of the tab order, which is never
  // locked; left to Qt it would go to a key list that the load sequence then locks.
  focus_order.front().second->setFocus(Qt::OtherFocusReason);
}

void QtWindow::closeEvent(QCloseEvent* event) {
  // No user action is handled while a message box is up. X11 and Windows hold back the window
  // manager's close themselves; Qt's Wayland plug-in delivers the compositor's close anyway,
  // and the program would end in the middle of a routine.
  if (showing_message_) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

void QtWindow::RunRoutine(form::Routine routine) {
  if (FormEvents* form_events = events()) {
    (form_events->*routine)();
  }
}

QWidget* QtWindow::ContainerOf(const form::Control& control) {
  return control.container == form::Container::Window
             ? static_cast<QWidget*>(this)
             : frames_[Index(control.container) - Index(form::Container::Frame1)];
}

}  // namespace krovan
