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

#include "config/form_layout.h"
#include "config/qt/keyboard_habits.h"
#include "config/qt/list_popup.h"
#include "config/qt/qt_convert.h"
#include "config/qt/screen_reader.h"

// kIconXpm: the window's icon, drawn by draw_icon.sh. Built in as XPM, which Qt reads without
// looking for image format plug-ins, a few milliseconds at start-up.
#include "config/qt/krovan3d-config.xpm"

namespace krovan {

namespace {

using form::ControlKind;

// How many rows of a list show when it drops down; the 144 key names scroll.
constexpr int kListRows = 16;

// The widget of a control's kind, with its caption.
QWidget* CreateWidget(const form::Control& row, QWidget* container) {
  const QString caption = Text(row.caption);
  switch (row.kind) {
    case ControlKind::kLabel: {
      auto* label = new QLabel(caption, container);
      label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
      // Painted beneath every other control: a box that reaches under a list is covered by it.
      label->lower();
      return label;
    }
    case ControlKind::kFrame:
      return new QGroupBox(caption, container);
    case ControlKind::kButton:
      return new QPushButton(caption, container);
    case ControlKind::kOptionButton:
      return new QRadioButton(caption, container);
    case ControlKind::kCheckBox:
      return new QCheckBox(caption, container);
    case ControlKind::kDropDownList:
      return new QComboBox(container);
    case ControlKind::kSlider:
      return new QSlider(container);
  }
  return nullptr;
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
  // The frames come first in the table, so a control's frame exists before the control.
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const form::Control& row = form::Row(control);
    QWidget* container = row.container == form::kOnWindow ? this : widgets_[row.container];
    QWidget* widget = CreateWidget(row, container);
    widget->setObjectName(Text(row.name));
    if (!row.accessible_name.empty()) {
      widget->setAccessibleName(Text(row.accessible_name));
    }
    widgets_[control] = widget;
  }
  std::array<QComboBox*, kDropDownListCount> lists{};
  for (int list = 0; list < kDropDownListCount; ++list) {
    lists[list] = ComboAt(form::kFirstDropDownList + list);
  }
  DropDownsScroll(lists, kListRows);
  for (ControlIndex label = form::kFirstLabel; label < form::kControlCount; ++label) {
    if (const ControlIndex buddy = form::Row(label).buddy; buddy != form::kNoControl) {
      auto* text = static_cast<QLabel*>(widgets_[label]);
      text->setBuddy(widgets_[buddy]);
      NameAfterBuddy(*text);
    }
  }
}

void QtWindow::SetInitialState() {
  QComboBox* depth = ComboAt(form::IndexOf(DropDownList::cmbDepth));
  for (const form::DepthEntry& entry : form::kDepthEntries) {
    depth->addItem(Text(entry.label));
  }
  // Adding the first item selected it; the list starts with no selection.
  depth->setCurrentIndex(-1);
  for (OptionButton button : form::kInitiallyOn) {
    ButtonAt(form::IndexOf(button))->setChecked(true);
  }
  for (CheckBox box : form::kInitiallyChecked) {
    ButtonAt(form::IndexOf(box))->setChecked(true);
  }
  QSlider* slider = SliderAt(form::IndexOf(Slider::sdrSound));
  slider->setOrientation(Qt::Horizontal);
  slider->setRange(form::kSliderMinimum, form::kSliderMaximum);
  slider->setValue(form::kSliderInitial);
  slider->setSingleStep(form::kSliderSmallChange);
  slider->setPageStep(form::kSliderLargeChange);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(form::kSliderTickInterval);
}

void QtWindow::ConnectEvents() {
  // Qt emits these synchronously, for changes from code as well as from the user; the user's
  // run their control's routine here. A list runs its routine when its selection changes, an
  // option button when it is turned on, a button when it is pressed.
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    if (form::Row(control).routine == nullptr) {
      continue;
    }
    const auto run = [this, control] { RunUserRoutine(control); };
    switch (form::Row(control).kind) {
      case ControlKind::kDropDownList:
        connect(ComboAt(control), &QComboBox::currentIndexChanged, this, run);
        break;
      case ControlKind::kOptionButton:
        connect(ButtonAt(control), &QAbstractButton::toggled, this, [run](bool on) {
          if (on) {
            run();
          }
        });
        break;
      case ControlKind::kButton:
        connect(ButtonAt(control), &QAbstractButton::clicked, this, run);
        break;
      default:
        break;
    }
  }
}

void QtWindow::SetUpKeyboard() {
  QWidget* previous = nullptr;
  for (const ControlIndex control : form::kTabOrder) {
    const ControlKind kind = form::Row(control).kind;
    if (kind == ControlKind::kLabel || kind == ControlKind::kFrame) {
      continue;
    }
    if (kind == ControlKind::kOptionButton || kind == ControlKind::kCheckBox ||
        kind == ControlKind::kButton) {
      ClickOnAcceleratorAtOnce(*ButtonAt(control));
    }
    if (kind == ControlKind::kOptionButton) {
      KeepTabStopOnCheckedOption(*static_cast<QRadioButton*>(widgets_[control]));
    }
    if (kind == ControlKind::kButton) {
      // Enter presses the button that has the focus; the window has no default button, so Enter
      // elsewhere presses nothing. Escape is bound to nothing: this is not a QDialog.
      static_cast<QPushButton*>(widgets_[control])->setAutoDefault(true);
    }
    if (previous == nullptr) {
      // The window opens with the focus on the first control of the tab order, which is never
      // locked; left to Qt it would go to a key list that the load sequence then locks.
      widgets_[control]->setFocus(Qt::OtherFocusReason);
    } else {
      setTabOrder(previous, widgets_[control]);
    }
    previous = widgets_[control];
  }
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

void QtWindow::RunUserRoutine(ControlIndex control) {
  if (!changing_from_code_) {
    RunRoutine(control);
  }
}

}  // namespace krovan
