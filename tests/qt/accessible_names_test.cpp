#include <gtest/gtest.h>

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QSlider>
#include <string>

#include "config/qt/qt_window.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

// What a screen reader announces a control by: the name of its own label, not of its frame.
// On Linux a drop-down list's accessible name is its current text and its label names it.
QString LabelName(QWidget& control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&control);
  for (const auto& [label, relation] : accessible->relations(QAccessible::Label)) {
    if (label->role() == QAccessible::StaticText) {
      return label->text(QAccessible::Name);
    }
  }
  return {};
}

// Screen readers name each control that has no caption; a key list by the heading of its
// column and the label of its row, as they stand on screen. The window is read as a dialog.
TEST(AccessibleNamesTest, CaptionlessControlsHaveAccessibleNames) {
  QtWindow window;
  EXPECT_EQ(LabelName(Find<QComboBox>(window, "cmbDepth")), "Color Depth");
  EXPECT_EQ(LabelName(Find<QSlider>(window, "sdrSound")), "Sound Volume");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->role(), QAccessible::Dialog);

  const QList<QLabel*> labels = window.findChildren<QLabel*>();
  const auto text_at = [&labels](const QWidget& parent, auto&& matches) {
    for (const QLabel* label : labels) {
      if (label->parentWidget() == &parent && matches(*label)) {
        return label->text().chopped(1);  // without the colon
      }
    }
    return QString();
  };
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    auto& list = Find<QComboBox>(window, "cmbKeys(" + std::to_string(slot) + ")");
    const QRect place = list.geometry();
    // Within one list's width to the left: the list's own column of labels.
    const auto in_column = [&place](const QRect& label) {
      return label.left() < place.left() && label.left() > place.left() - place.width();
    };
    const QString row = text_at(*list.parentWidget(), [&](const QLabel& label) {
      return label.geometry().top() == place.top() && in_column(label.geometry());
    });
    const QString column = text_at(*list.parentWidget(), [&](const QLabel& label) {
      return label.text().endsWith("Tank:") && in_column(label.geometry());
    });
    EXPECT_EQ(LabelName(list), column + " " + row) << "key list " << slot;
  }
  const auto name = [&window](KeySlot slot) {
    return LabelName(Find<QComboBox>(window, "cmbKeys(" + std::to_string(slot) + ")"));
  };
  EXPECT_EQ(name(0), "Black Tank Move Up");
  EXPECT_EQ(name(9), "White Tank Fire");
}

}  // namespace
}  // namespace krovan::testing
