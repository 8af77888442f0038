#include "config/qt/qt_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
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
#include <QStringListModel>
#include <algorithm>
#include <utility>
#include <vector>

#include "config/keys/key_table.h"
#include "config/qt/keyboard_habits.h"
#include "config/qt/layout_scale.h"

// kIconXpm: the window's icon, drawn by draw_icon.sh. Built in as XPM, which Qt reads without
// looking for image format plug-ins, a few milliseconds at start-up.
#include "config/qt/krovan3d-config.xpm"

namespace krovan {

namespace {

using Routine = void (FormEvents::*)();

// The routine each button runs, by Button.
constexpr std::array<Routine, layout::kButtonCount> kButtonRoutines = {
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

// The message box icon, by MessageIcon.
constexpr std::array kMessageIcons = {QMessageBox::Information, QMessageBox::Critical};

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int Index(auto control) {
  return static_cast<int>(control);
}

template <typename Widget>
Widget* Create(QWidget* container, const layout::Control& control) {
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
  QComboBox sample;
  const QFontMetrics metrics = sample.fontMetrics();
  const auto widest = std::ranges::max(KeyTable, {}, [&metrics](const KeyRow& key) {
    return metrics.horizontalAdvance(Text(key.name));
  });
  sample.addItem(Text(widest.name));
  return sample.sizeHint();
}

}  // namespace

QtWindow::QtWindow(std::string program_directory)
    : program_directory_(std::move(program_directory)) {
  setObjectName("frmMain");
  setWindowTitle(Text(layout::kWindowCaption));
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
    frames_[i] = Create<QGroupBox>(this, layout::kFrames[i]);
    frames_[i]->setTitle(Text(layout::kFrames[i].caption));
  }
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const layout::Control& label = layout::kLabels[i];
    labels_[i] = Create<QLabel>(ContainerOf(label), label);
    labels_[i]->setText(Text(label.caption));
    labels_[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Painted beneath every other control: a box that reaches under a list is covered by it.
    labels_[i]->lower();
  }
  for (std::size_t i = 0; i < option_buttons_.size(); ++i) {
    const layout::Control& option = layout::kOptionButtons[i];
    option_buttons_[i] = Create<QRadioButton>(ContainerOf(option), option);
    option_buttons_[i]->setText(Text(option.caption));
  }
  for (std::size_t i = 0; i < check_boxes_.size(); ++i) {
    check_boxes_[i] =
        Create<QCheckBox>(ContainerOf(layout::kCheckBoxes[i]), layout::kCheckBoxes[i]);
    check_boxes_[i]->setText(Text(layout::kCheckBoxes[i].caption));
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i] = Create<QPushButton>(ContainerOf(layout::kButtons[i]), layout::kButtons[i]);
    buttons_[i]->setText(Text(layout::kButtons[i].caption));
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    lists_[i] =
        Create<QComboBox>(ContainerOf(layout::kDropDownLists[i]), layout::kDropDownLists[i]);
    // The items are plain text: a string list takes the 1440 key names at start-up in half the
    // time of the default item model.
    lists_[i]->setModel(new QStringListModel(lists_[i]));
  }
  slider_ = Create<QSlider>(ContainerOf(layout::kSlider), layout::kSlider);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    if (!layout::kLabels[i].buddy.empty()) {
      labels_[i]->setBuddy(findChild<QWidget*>(Text(layout::kLabels[i].buddy)));
    }
  }
}

void QtWindow::SetInitialState() {
  QComboBox* depth = List(DropDownList::cmbDepth);
  for (std::string_view item : layout::kDepthItems) {
    depth->addItem(Text(item));
  }
  // Adding the first item selected it; the list starts with no selection.
  depth->setCurrentIndex(-1);
  for (OptionButton button : layout::kInitiallyOn) {
    Option(button)->setChecked(true);
  }
  for (CheckBox box : layout::kInitiallyChecked) {
    Box(box)->setChecked(true);
  }
  slider_->setOrientation(Qt::Horizontal);
  slider_->setRange(layout::kSliderMinimum, layout::kSliderMaximum);
  slider_->setValue(layout::kSliderInitial);
  slider_->setSingleStep(layout::kSliderSmallChange);
  slider_->setPageStep(layout::kSliderLargeChange);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setTickInterval(layout::kSliderTickInterval);
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
    focus_order.emplace_back(layout::kOptionButtons[i].tab_index, option_buttons_[i]);
  }
  for (std::size_t i = 0; i < check_boxes_.size(); ++i) {
    ClickOnAcceleratorAtOnce(*check_boxes_[i]);
    focus_order.emplace_back(layout::kCheckBoxes[i].tab_index, check_boxes_[i]);
  }
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    ClickOnAcceleratorAtOnce(*buttons_[i]);
    // Enter presses the button that has the focus; the window has no default button, so Enter
    // elsewhere presses nothing. Escape is bound to nothing: this is not a QDialog.
    buttons_[i]->setAutoDefault(true);
    focus_order.emplace_back(layout::kButtons[i].tab_index, buttons_[i]);
  }
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    focus_order.emplace_back(layout::kDropDownLists[i].tab_index, lists_[i]);
  }
  focus_order.emplace_back(layout::kSlider.tab_index, slider_);
  std::ranges::sort(focus_order);
  for (std::size_t i = 1; i < focus_order.size(); ++i) {
    setTabOrder(focus_order[i - 1].second, focus_order[i].second);
  }
  // The window opens with the focus on the first control of the tab order, which is never
  // locked; left to Qt it would go to a key list that the load sequence then locks.
  focus_order.front().second->setFocus(Qt::OtherFocusReason);
}

void QtWindow::PlaceControls() {
  std::vector<std::pair<QWidget*, layout::Twips>> places;
  std::vector<layout::SizeNeed> needs;
  const auto place = [&](QWidget* widget, const layout::Control& control, QSize preferred,
                         const layout::Twips& room) {
    places.emplace_back(widget, control.rect);
    needs.push_back({preferred, room});
  };
  const auto place_all = [&](const auto& widgets, const auto& controls) {
    for (std::size_t i = 0; i < widgets.size(); ++i) {
      place(widgets[i], controls[i], PreferredSize(*widgets[i]), controls[i].rect);
    }
  };
  place_all(frames_, layout::kFrames);
  place_all(option_buttons_, layout::kOptionButtons);
  place_all(check_boxes_, layout::kCheckBoxes);
  place_all(buttons_, layout::kButtons);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const layout::Control& label = layout::kLabels[i];
    place(labels_[i], label, PreferredSize(*labels_[i]), layout::LabelRoom(label));
  }
  const QSize key_list = FilledKeyListSizeHint();
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    const layout::Control& list = layout::kDropDownLists[slot];
    place(lists_[slot], list, key_list, list.rect);
  }
  const layout::Control& depth = layout::kDropDownLists[Index(DropDownList::cmbDepth)];
  place(List(DropDownList::cmbDepth), depth, PreferredSize(*List(DropDownList::cmbDepth)),
        depth.rect);
  place(slider_, layout::kSlider, PreferredSize(*slider_), layout::kSlider.rect);

  scale_factor_ = layout::ChooseScaleFactor(needs, logicalDpiY());
  for (const auto& [widget, rect] : places) {
    widget->setGeometry(layout::Pixels(rect, scale_factor_));
  }
  setFixedSize(layout::Pixels(layout::kClientWidth, scale_factor_),
               layout::Pixels(layout::kClientHeight, scale_factor_));
}

void QtWindow::RunRoutine(Routine routine) {
  if (FormEvents* form_events = events()) {
    (form_events->*routine)();
  }
}

QWidget* QtWindow::ContainerOf(const layout::Control& control) {
  return control.container == layout::Container::Window
             ? static_cast<QWidget*>(this)
             : frames_[Index(control.container) - Index(layout::Container::Frame1)];
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
    move(screen()->availableGeometry().center() - rect().center());
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

std::string QtWindow::ProgramDirectory() const {
  return program_directory_;
}

bool QtWindow::RemoveFile(const std::string& path) {
  // Removes files only, never a directory.
  return QFile::remove(QString::fromStdString(path));
}

}  // namespace krovan
