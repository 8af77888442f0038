#include "config/qt/keyboard_habits.h"

#include <QAbstractButton>
#include <QEvent>
#include <QRadioButton>
#include <QShortcutEvent>

namespace krovan {

namespace {

// Owned by its button. An ambiguous accelerator is left to Qt, which then only moves the focus.
class AcceleratorClick final : public QObject {
 public:
  explicit AcceleratorClick(QAbstractButton& button) : QObject(&button), button_(button) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &button_ || event->type() != QEvent::Shortcut ||
        static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
      return false;
    }
    if (button_.focusPolicy() != Qt::NoFocus) {
      button_.setFocus(Qt::ShortcutFocusReason);
    }
    button_.click();
    return true;
  }

 private:
  QAbstractButton& button_;
};

void SetTabStop(QRadioButton& button, bool tab_stop) {
  const Qt::FocusPolicy policy = button.focusPolicy();
  button.setFocusPolicy(tab_stop ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                 : Qt::FocusPolicy(policy & ~Qt::TabFocus));
}

}  // namespace

void ClickOnAcceleratorAtOnce(QAbstractButton& button) {
  button.installEventFilter(new AcceleratorClick(button));
}

void KeepTabStopOnCheckedOption(QRadioButton& button) {
  SetTabStop(button, button.isChecked());
  QObject::connect(&button, &QRadioButton::toggled, &button,
                   [&button](bool on) { SetTabStop(button, on); });
}

}  // namespace krovan
