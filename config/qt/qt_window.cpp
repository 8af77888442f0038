#include "config/qt/qt_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <algorithm>
#include <utility>
#include <vector>

#include "config/key_names.h"
#include "config/qt/keyboard_habits.h"
#include "config/qt/layout_scale.h"
#include "config/qt/list_popup.h"
#include "config/qt/screen_reader.h"
#include "config/qt/widest_text.h"
#include "config/qt/window_place.h"
#include "config/remove_file.h"

// kIconXpm: the window's icon, drawn by draw_icon.sh. Built in as XPM, which Qt reads without
// looking for image format plug-ins, a few milliseconds at start-up.
#include "config/qt/krovan3d-config.xpm"

namespace krovan {

namespace {

using Routine = void (FormEvents::*)();

// The routine each button runs, by Button.
constexpr std::array<Routine, form::kButtonCount> kButtonRoutines = {
    &FormEvents::cmdReset_Click,
    &FormEvents::cmdOK_Click,
    &FormEvents::cmdCancel_Click,
};

// The routine that turning on a scheme button runs.
struct SchemeRoutine {
  OptionButton button;
  Routine routine;
};
constexpr std::array<SchemeRoutine, 3> kSchemeRoutines = {{
    {OptionButton::optClassic, &FormEvents::optClassic_Click},
    {OptionButton::optEnhanced, &FormEvents::optEnhanced_Click},
    {OptionButton::optCustom, &FormEvents::optCustom_Click},
}};

// How many rows of a list show when it drops down; the 144 key names scroll.
constexpr int kListRows = 16;

// The message box icon, by MessageIcon.
constexpr std::array kMessageIcons = {QMessageBox::Information, QMessageBox::Critical};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int Index(auto control) {
  return static_cast<int>(control);
}

template <typename Widget>
Widget* Create(QWidget* container, const form::Control& control) {
  auto* widget = new Widget(container);
  widget->setObjectName(Text(control.name));
  if (!control.accessible_name.empty()) {
    widget->setAccessibleName(Text(control.accessible_name));
  }
  return widget;
}

// The size a control asks for to show its caption or contents whole; a frame, which has no
// layout, asks for room for its caption.
QSize PreferredSize(const QWidget& widget) {
  const QSize hint = widget.sizeHint();
  return hint.isValid() ? hint : widget.minimumSizeHint();
}

// The size a key list asks for once the load sequence has filled it with the key names: that of
// a list holding only the widest name.
QSize FilledKeyListSizeHint() {
  QStringList names;
  names.reserve(static_cast<qsizetype>(KeyNames().size()));
  for (const std::string_view name : KeyNames()) {
    names.append(Text(name));
  }
  QComboBox sample;
  sample.addItem(names.at(WidestText(sample.fontMetrics(), names)));
  return sample.sizeHint();
}

}  // namespace

QtWindow::QtWindow() {
  setObjectName("frmMain");
  setWindowTitle(Text(form::kWindowCaption));
  AnnounceAsDialog(*this);
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
  for (std::string_view item : form::kDepthItems) {
    depth->addItem(Text(item));
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
  connect(List(DropDownList::cmbDepth), &QComboBox::currentIndexChanged, this,
          [this] { RunRoutine(&FormEvents::cmbDepth_Click); });
  for (const SchemeRoutine& scheme : kSchemeRoutines) {
    connect(Option(scheme.button), &QRadioButton::toggled, this, [this, scheme](bool on) {
      if (on) {
        RunRoutine(scheme.routine);
      }
    });
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    connect(buttons_[i], &QPushButton::clicked, this,
            [this, routine = kButtonRoutines[i]] { RunRoutine(routine); });
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

void QtWindow::PlaceControls() {
  std::vector<std::pair<QWidget*, form::Twips>> places;
  std::vector<layout::SizeNeed> needs;
  const auto place = [&](QWidget* widget, const form::Control& control, QSize preferred,
                         const form::Twips& room) {
    places.emplace_back(widget, control.rect);
    needs.push_back({preferred, room});
  };
  const auto place_all = [&](const auto& widgets, const auto& controls) {
    for (std::size_t i = 0; i < widgets.size(); ++i) {
      place(widgets[i], controls[i], PreferredSize(*widgets[i]), controls[i].rect);
    }
  };
  place_all(frames_, form::kFrames);
  place_all(option_buttons_, form::kOptionButtons);
  place_all(check_boxes_, form::kCheckBoxes);
  place_all(buttons_, form::kButtons);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const form::Control& label = form::kLabels[i];
    place(labels_[i], label, PreferredSize(*labels_[i]), form::LabelRoom(label));
  }
  const QSize key_list = FilledKeyListSizeHint();
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    const form::Control& list = form::kDropDownLists[slot];
    place(lists_[slot], list, key_list, list.rect);
  }
  const form::Control& depth = form::kDropDownLists[Index(DropDownList::cmbDepth)];
  place(List(DropDownList::cmbDepth), depth, PreferredSize(*List(DropDownList::cmbDepth)),
        depth.rect);
  place(slider_, form::kSlider, PreferredSize(*slider_), form::kSlider.rect);

  scale_factor_ = layout::ChooseScaleFactor(needs, logicalDpiY());
  for (const auto& [widget, rect] : places) {
    widget->setGeometry(layout::Pixels(rect, scale_factor_));
  }
  setFixedSize(layout::Pixels(form::kClientWidth, scale_factor_),
               layout::Pixels(form::kClientHeight, scale_factor_));
}

void QtWindow::RunRoutine(Routine routine) {
  if (FormEvents* form_events = events()) {
    (form_events->*routine)();
  }
}

QWidget* QtWindow::ContainerOf(const form::Control& control) {
  return control.container == form::Container::Window
             ? static_cast<QWidget*>(this)
             : frames_[Index(control.container) - Index(form::Container::Frame1)];
}

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
  box.exec();
}

void QtWindow::AppendItem(DropDownList list, std::string_view text) {
  QComboBox* combo = List(list);
  // Qt selects the first item added to an empty list; appending never changes the selection.
  const QSignalBlocker blocker(combo);
  const int selected = combo->currentIndex();
  combo->addItem(Text(text));
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
