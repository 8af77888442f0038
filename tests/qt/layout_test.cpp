#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <cmath>
#include <string>

#include "config/keys/key_table.h"
#include "config/qt/qt_window.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

int TextWidth(const QWidget& widget, QString caption) {
  return widget.fontMetrics().horizontalAdvance(caption.remove('&'));
}

// The room a label's text has: up to the first control to its right on the same line, which is
// painted over the label. Labels paint only their text, so they do not cover one another.
int LabelRoom(const QLabel& label) {
  int room = label.width();
  for (const QWidget* other :
       label.parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    const QRect rect = other->geometry();
    if (qobject_cast<const QLabel*>(other) == nullptr && rect.left() > label.x() &&
        rect.top() < label.geometry().bottom() && label.y() < rect.bottom()) {
      room = std::min(room, rect.left() - label.x());
    }
  }
  return room;
}

int ComboTextRoom(const QComboBox& combo) {
  QStyleOptionComboBox option;
  option.initFrom(&combo);
  option.editable = false;
  option.frame = true;
  return combo.style()
      ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, &combo)
      .width();
}

int ButtonTextRoom(const QAbstractButton& button, QStyle::SubElement contents) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  return button.style()->subElementRect(contents, &option, &button).width();
}

// Every caption and every list entry fits the room its control gives it, in width and height.
void ExpectNothingClipped(const QtWindow& window) {
  for (const QLabel* label : window.findChildren<QLabel*>()) {
    EXPECT_LE(TextWidth(*label, label->text()), LabelRoom(*label)) << label->text().toStdString();
    EXPECT_LE(label->fontMetrics().height(), label->height()) << label->text().toStdString();
  }
  for (const QRadioButton* option : window.findChildren<QRadioButton*>()) {
    EXPECT_LE(TextWidth(*option, option->text()),
              ButtonTextRoom(*option, QStyle::SE_RadioButtonContents))
        << option->text().toStdString();
    EXPECT_LE(option->fontMetrics().height(), option->height()) << option->text().toStdString();
  }
  for (const QCheckBox* box : window.findChildren<QCheckBox*>()) {
    EXPECT_LE(TextWidth(*box, box->text()), ButtonTextRoom(*box, QStyle::SE_CheckBoxContents))
        << box->text().toStdString();
    EXPECT_LE(box->fontMetrics().height(), box->height()) << box->text().toStdString();
  }
  for (const QPushButton* button : window.findChildren<QPushButton*>()) {
    EXPECT_LE(TextWidth(*button, button->text()),
              ButtonTextRoom(*button, QStyle::SE_PushButtonContents))
        << button->text().toStdString();
  }
  for (const QGroupBox* frame : window.findChildren<QGroupBox*>()) {
    EXPECT_LT(TextWidth(*frame, frame->title()), frame->width()) << frame->title().toStdString();
  }
  const auto& depth = Find<QComboBox>(window, "cmbDepth");
  for (int item = 0; item < depth.count(); ++item) {
    EXPECT_LE(TextWidth(depth, depth.itemText(item)), ComboTextRoom(depth));
  }
  // The key lists are empty until loaded; each will hold every key name.
  const auto& keys = Find<QComboBox>(window, "cmbKeys(0)");
  for (const KeyRow& key : KeyTable) {
    const QString name = QString::fromUtf8(key.name.data(), key.name.size());
    EXPECT_LE(keys.fontMetrics().horizontalAdvance(name), ComboTextRoom(keys)) << key.name;
  }
  for (const QComboBox* list : window.findChildren<QComboBox*>()) {
    EXPECT_LE(list->fontMetrics().height(), list->height()) << list->objectName().toStdString();
  }
}

// A label's text may run only up to the first control that starts to its right on the same line
// and in the same container, and down to the first that starts below it; a box that reaches
// under nothing keeps its size.
struct LabelRoomCase {
  int label;   // Label1 is 0
  int width;   // twips
  int height;  // twips
};

class LabelRoomTest : public ::testing::TestWithParam<LabelRoomCase> {};

TEST_P(LabelRoomTest, EndsWhereTheNextControlStarts) {
  const form::Control& label = form::Row(form::kFirstLabel + GetParam().label);
  const form::Twips room = form::VisibleBox(form::kFirstLabel + GetParam().label);
  EXPECT_EQ(room.width, GetParam().width) << label.name;
  EXPECT_EQ(room.left, label.rect.left) << label.name;
  EXPECT_EQ(room.top, label.rect.top) << label.name;
  EXPECT_EQ(room.height, GetParam().height) << label.name;
}

INSTANTIATE_TEST_SUITE_P(
    Form, LabelRoomTest,
    ::testing::Values(LabelRoomCase{0, 960, 255},    // Label1 reaches under cmbDepth
                      LabelRoomCase{1, 1815, 240},   // Label2: the slider starts 240 below it
                      LabelRoomCase{2, 975, 240},    // Label3: Label4 starts 240 below it
                      LabelRoomCase{3, 855, 255},    // Label4 ends short of cmbKeys(0)
                      LabelRoomCase{4, 960, 255},    // Label5 reaches under cmbKeys(1)
                      LabelRoomCase{5, 960, 255},    // Label6, by 15 twips
                      LabelRoomCase{7, 855, 255},    // Label8
                      LabelRoomCase{8, 975, 240},    // Label9: Label10 starts 240 below it
                      LabelRoomCase{10, 960, 255},   // Label11 reaches under cmbKeys(6)
                      LabelRoomCase{12, 960, 255}),  // Label13
    [](const auto& info) {
      return std::string(form::Row(form::kFirstLabel + info.param.label).name);
    });

TEST(LayoutTest, EveryControlSitsAtItsTwipsTimesTheFactor) {
  const QtWindow window;
  const double factor = window.ScaleFactor();
  const auto expect_edge = [factor](int pixels, int twips, std::string_view what) {
    EXPECT_LE(std::abs(pixels - twips / 15.0 * factor), 0.5) << what;
  };
  for (const form::Control& control : form::kControls) {
    const QRect rect = Find<QWidget>(window, control.name).geometry();
    const form::Twips& twips = control.rect;
    expect_edge(rect.left(), twips.left, control.name);
    expect_edge(rect.top(), twips.top, control.name);
    expect_edge(rect.left() + rect.width(), twips.left + twips.width, control.name);
    expect_edge(rect.top() + rect.height(), twips.top + twips.height, control.name);
  }
  expect_edge(window.width(), 8160, "client width");
  expect_edge(window.height(), 4560, "client height");
}

TEST(LayoutTest, EqualGapsInTwipsStayEqualOnScreen) {
  const QtWindow window;
  const QRect ok = Find<QWidget>(window, "cmdOK").geometry();
  const QRect cancel = Find<QWidget>(window, "cmdCancel").geometry();
  const QRect reset = Find<QWidget>(window, "cmdReset").geometry();
  const QRect controls = Find<QWidget>(window, "Frame3").geometry();
  // 105 twips between the buttons and to the client area's right and bottom edges.
  const int gap = cancel.left() - (ok.left() + ok.width());
  EXPECT_NEAR(window.width() - (cancel.left() + cancel.width()), gap, 1);
  EXPECT_NEAR(window.height() - (cancel.top() + cancel.height()), gap, 1);
  EXPECT_EQ(reset.left(), ok.left());
  EXPECT_EQ(reset.right(), cancel.right());
  EXPECT_EQ(controls.left(), reset.left());
  EXPECT_EQ(controls.right(), reset.right());
  // The key rows are evenly spaced, and each row's label and list share their top edge.
  for (KeySlot slot = 1; slot < kKeySlotCount; ++slot) {
    if (slot == 5) {
      continue;
    }
    const QRect above =
        Find<QWidget>(window, "cmbKeys(" + std::to_string(slot - 1) + ")").geometry();
    const QRect list = Find<QWidget>(window, "cmbKeys(" + std::to_string(slot) + ")").geometry();
    EXPECT_NEAR(list.top() - above.top(), 360 / 15.0 * window.ScaleFactor(), 1) << slot;
  }
  EXPECT_EQ(Find<QWidget>(window, "Label4").y(), Find<QWidget>(window, "cmbKeys(0)").y());
  EXPECT_EQ(Find<QWidget>(window, "Label14").y(), Find<QWidget>(window, "cmbKeys(9)").y());
}

TEST(LayoutTest, NoCaptionIsClippedWithTheDefaultFont) {
  const QtWindow window;
  EXPECT_GE(window.ScaleFactor(), 1.0);
  ExpectNothingClipped(window);
}

TEST(LayoutTest, LargerFontScalesTheWholeWindow) {
  const QFont default_font = QApplication::font();
  const double default_factor = QtWindow().ScaleFactor();
  QFont large = default_font;
  large.setPointSizeF(default_font.pointSizeF() * 1.6);
  QApplication::setFont(large);
  {
    const QtWindow window;
    EXPECT_GT(window.ScaleFactor(), default_factor * 1.3);
    ExpectNothingClipped(window);
  }
  QApplication::setFont(default_font);
}

TEST(LayoutTest, LabelsLieBeneathTheListsTheyReachUnder) {
  const QtWindow window;
  for (const auto& [label_name, list_name] :
       {std::pair{"Label1", "cmbDepth"}, {"Label5", "cmbKeys(1)"}, {"Label13", "cmbKeys(8)"}}) {
    auto& label = Find<QWidget>(window, label_name);
    auto& list = Find<QWidget>(window, list_name);
    ASSERT_TRUE(label.geometry().intersects(list.geometry())) << label_name;
    const QObjectList& stack = label.parentWidget()->children();  // bottom to top
    EXPECT_LT(stack.indexOf(&label), stack.indexOf(&list)) << label_name;
  }
}

TEST(LayoutTest, KeyListDropsDownSixteenRowsThatScroll) {
  QtWindow window;
  for (const KeyRow& key : KeyTable) {
    window.AppendItem(cmbKeys(0), key.name);
  }
  window.show();
  auto& list = Find<QComboBox>(window, "cmbKeys(0)");
  list.showPopup();
  const QAbstractItemView& view = *list.view();
  ASSERT_TRUE(view.isVisible());
  EXPECT_NEAR(view.viewport()->height() / view.sizeHintForRow(0), 16, 1);
  list.hidePopup();
}

}  // namespace
}  // namespace krovan::testing
