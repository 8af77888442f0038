#pragma once

#include <QApplication>
#include <QTest>
#include <string>
#include <vector>

#include "tests/qt/running_program.h"

namespace krovan::testing {

// Alt and a letter, typed on the window.
inline void PressAlt(RunningProgram& program, char letter) {
  QTest::keyClick(&program.window(), static_cast<Qt::Key>(letter), Qt::AltModifier);
}

// The object name of the control that has the keyboard focus.
inline std::string FocusName() {
  const QWidget* focus = QApplication::focusWidget();
  return focus == nullptr ? "(none)" : focus->objectName().toStdString();
}

// A notice message box with `text`, as the program shows it.
inline std::vector<ShownMessage> Notice(const std::string& text) {
  return {{text, "Notice", MessageIcon::Information}};
}

}  // namespace krovan::testing
