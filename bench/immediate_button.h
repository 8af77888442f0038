#pragma once

#include <QEvent>
#include <QPushButton>

namespace bench {

// Clicks on its Alt+letter at once, as the settings dialog's buttons do, instead of Qt's
// animated click that comes about 100 ms later; comparisons then measure the toolkit, not that
// delay.
class ImmediateButton final : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == QEvent::Shortcut) {
      click();
      return true;
    }
    return QPushButton::event(event);
  }
};

}  // namespace bench
