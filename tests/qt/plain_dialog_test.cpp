#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QWidget>
#include <set>
#include <string>

#include "bench/plain_controls.h"
#include "tests/qt/running_program.h"

namespace krovan::testing {
namespace {

// Every control of `window` as what a user sees of it: kind, frame, caption, box, state and, for
// a list, its entries.
std::multiset<std::string> Controls(const QWidget& window, bool with_boxes) {
  std::multiset<std::string> controls;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    const auto* frame = qobject_cast<const QGroupBox*>(widget->parentWidget());
    QString seen = QString("%1 in '%2' enabled %3")
                       .arg(widget->metaObject()->className(), frame ? frame->title() : "window")
                       .arg(widget->isEnabled());
    if (with_boxes) {
      const QRect box = widget->geometry();
      seen +=
          QString(" at %1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height());
    }
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      seen += " '" + label->text() + "'";
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      seen += QString(" '%1' checked %2").arg(button->text()).arg(button->isChecked());
    } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
      seen += " '" + group->title() + "'";
    } else if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
      seen += QString(" %1 entries, '%2' and last '%3' shown")
                  .arg(list->count())
                  .arg(list->currentText(), list->itemText(list->count() - 1));
    } else if (const auto* slider = qobject_cast<const QSlider*>(widget)) {
      seen += QString(" %1 in %2..%3 ticks %4 every %5, page %6")
                  .arg(slider->value())
                  .arg(slider->minimum())
                  .arg(slider->maximum())
                  .arg(slider->tickPosition())
                  .arg(slider->tickInterval())
                  .arg(slider->pageStep());
    } else {
      continue;  // the lists' inner parts
    }
    controls.insert(seen.toStdString());
  }
  return controls;
}

// The benchmark's floor is only fair while it shows what the dialog shows on its first start:
// the same controls with the same captions, states and lists, and, at the default font's
// factor of 1.25, which its boxes were written for, the same boxes.
TEST(PlainDialogTest, ShowsTheDialogsControlsAsTheFirstStartShowsThem) {
  RunningProgram program;
  QWidget plain;
  bench::BuildPlainDialog(plain);
  const bool same_factor = program.window().ScaleFactor() == 1.25;
  const std::multiset<std::string> dialog = Controls(program.window(), same_factor);
  EXPECT_EQ(dialog.size(), 43u);
  EXPECT_EQ(Controls(plain, same_factor), dialog);
  if (same_factor) {
    EXPECT_EQ(plain.size(), program.window().size());
  }
}

}  // namespace
}  // namespace krovan::testing
