#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "config/qt/qt_window.h"
#include "tests/qt/message_box_watcher.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

namespace fs = std::filesystem;

// Records which routines run, and what the window shows while the first of them runs.
class RecordingEvents final : public FormEvents {
 public:
  explicit RecordingEvents(const QtWindow& window) : window_(window) {}

  void cmbDepth_Click() override { Record("cmbDepth_Click"); }
  void cmdOK_Click() override { Record("cmdOK_Click"); }
  void cmdCancel_Click() override { Record("cmdCancel_Click"); }
  void cmdReset_Click() override { Record("cmdReset_Click"); }
  void optClassic_Click() override { Record("optClassic_Click"); }
  void optEnhanced_Click() override { Record("optEnhanced_Click"); }
  void optCustom_Click() override { Record("optCustom_Click"); }

  std::vector<std::string> runs;
  int depth_seen = -2;
  std::vector<bool> schemes_seen;

 private:
  void Record(const std::string& routine) {
    if (runs.empty()) {
      depth_seen = window_.GetListIndex(DropDownList::cmbDepth);
      for (OptionButton scheme :
           {OptionButton::optClassic, OptionButton::optEnhanced, OptionButton::optCustom}) {
        schemes_seen.push_back(window_.IsOn(scheme));
      }
    }
    runs.push_back(routine);
  }

  const QtWindow& window_;
};

class WindowTest : public ::testing::Test {
 protected:
  WindowTest() : events_(window_) {}

  QtWindow window_;
  RecordingEvents events_;
};

TEST_F(WindowTest, DesignTimeStateOfEveryControl) {
  struct Expected {
    std::string_view name;
    bool on;
  };
  for (const auto& [name, on] : std::vector<Expected>{{"optFullScreen", true},
                                                      {"optWindowed", false},
                                                      {"optLow", true},
                                                      {"optHigh", false},
                                                      {"optClassic", true},
                                                      {"optEnhanced", false},
                                                      {"optCustom", false}}) {
    EXPECT_EQ(Find<QRadioButton>(window_, name).isChecked(), on) << name;
  }
  for (const auto& [name, on] : std::vector<Expected>{{"chkAntialiasing", false},
                                                      {"chkDithering", true},
                                                      {"chkWBuffering", true},
                                                      {"chkDebug", false}}) {
    EXPECT_EQ(Find<QCheckBox>(window_, name).isChecked(), on) << name;
  }

  const auto& depth = Find<QComboBox>(window_, "cmbDepth");
  EXPECT_EQ(depth.currentIndex(), -1);
  EXPECT_EQ(depth.currentText(), "");
  ASSERT_EQ(depth.count(), 3);
  EXPECT_EQ(depth.itemText(0), "16-bit");
  EXPECT_EQ(depth.itemText(1), "24-bit");
  EXPECT_EQ(depth.itemText(2), "32-bit");
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    const auto& keys = Find<QComboBox>(window_, "cmbKeys(" + std::to_string(slot) + ")");
    EXPECT_EQ(keys.count(), 0) << slot;
    EXPECT_EQ(keys.currentIndex(), -1) << slot;
    EXPECT_TRUE(keys.isEnabled()) << slot;
  }
  for (const QComboBox* list : window_.findChildren<QComboBox*>()) {
    EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();
  }

  const auto& slider = Find<QSlider>(window_, "sdrSound");
  EXPECT_EQ(slider.orientation(), Qt::Horizontal);
  EXPECT_EQ(slider.value(), 75);
  EXPECT_EQ(slider.minimum(), 0);
  EXPECT_EQ(slider.maximum(), 100);
  EXPECT_EQ(slider.singleStep(), 1);
  EXPECT_EQ(slider.pageStep(), 10);
  EXPECT_EQ(slider.tickInterval(), 5);
  EXPECT_EQ(slider.tickPosition(), QSlider::TicksBelow);
}

TEST_F(WindowTest, IsAFixedWindowWithCloseBoxOnlyAndItsIcon) {
  EXPECT_EQ(window_.windowTitle(), "Krovan 3D Configuration Utility 1.0");
  EXPECT_EQ(qobject_cast<QDialog*>(&window_), nullptr) << "a QDialog binds Escape and Enter";
  const Qt::WindowFlags flags = window_.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(window_.minimumSize(), window_.maximumSize());
  EXPECT_EQ(window_.minimumSize(), window_.size());

  const QImage icon = window_.windowIcon().pixmap(32, 32).toImage();
  ASSERT_EQ(icon.size(), QSize(32, 32));
  EXPECT_EQ(icon.pixelColor(16, 16), QColor(0, 128, 0)) << "solid dark green in the middle";
  EXPECT_EQ(icon.pixelColor(0, 0).alpha(), 0) << "transparent around the splash";
  EXPECT_EQ(icon.pixelColor(31, 31).alpha(), 0);
}

TEST_F(WindowTest, ShowFormShowsTheWindowInTheMiddleOfTheScreen) {
  window_.ShowForm();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  // Placed before the window has a frame, so off by at most the frame's own margins.
  const QPoint offset =
      window_.frameGeometry().center() - window_.screen()->availableGeometry().center();
  const QSize frame = window_.frameGeometry().size() - window_.size();
  EXPECT_LE(std::abs(offset.x()), frame.width() + 1);
  EXPECT_LE(std::abs(offset.y()), frame.height() + 1);
}

// What a step does, and which routines it must run, in order.
struct RoutineCase {
  std::string name;
  std::function<void(QtWindow&)> step;
  std::vector<std::string> runs;
};

class RoutinesTest : public WindowTest, public ::testing::WithParamInterface<RoutineCase> {};

TEST_P(RoutinesTest, RunExactlyOnTheirControlsChanges) {
  window_.Connect(events_);
  window_.ShowForm();
  GetParam().step(window_);
  EXPECT_EQ(events_.runs, GetParam().runs);
}

void FillKeyList(QtWindow& window, KeySlot slot) {
  for (const char* name : {"ESCAPE", "1", "2"}) {
    window.AppendItem(cmbKeys(slot), name);
  }
}

void UserClick(QtWindow& window, Button button) {
  QTest::mouseClick(&Find<QPushButton>(window, NameOf(button)), Qt::LeftButton);
}

INSTANTIATE_TEST_SUITE_P(
    Window, RoutinesTest,
    ::testing::Values(
        RoutineCase{"DepthSetByCode",
                    [](QtWindow& w) { w.SetListIndex(DropDownList::cmbDepth, 1); },
                    {"cmbDepth_Click"}},
        RoutineCase{"DepthSetTwiceToTheSameEntry",
                    [](QtWindow& w) {
                      w.SetListIndex(DropDownList::cmbDepth, 2);
                      w.SetListIndex(DropDownList::cmbDepth, 2);
                    },
                    {"cmbDepth_Click"}},
        RoutineCase{
            "DepthPickedByKeyboard",
            [](QtWindow& w) { QTest::keyClick(&Find<QComboBox>(w, "cmbDepth"), Qt::Key_Down); },
            {"cmbDepth_Click"}},
        RoutineCase{"SchemesTurnedOnByCode",
                    [](QtWindow& w) {
                      w.TurnOn(OptionButton::optEnhanced);
                      w.TurnOn(OptionButton::optCustom);
                      w.TurnOn(OptionButton::optClassic);
                    },
                    {"optEnhanced_Click", "optCustom_Click", "optClassic_Click"}},
        RoutineCase{"SchemeAlreadyOn", [](QtWindow& w) { w.TurnOn(OptionButton::optClassic); }, {}},
        RoutineCase{"SchemeClickedByTheUser",
                    [](QtWindow& w) {
                      QTest::mouseClick(&Find<QRadioButton>(w, "optCustom"), Qt::LeftButton, {},
                                        QPoint(8, 8));
                    },
                    {"optCustom_Click"}},
        RoutineCase{"OtherOptionButtons",
                    [](QtWindow& w) {
                      for (OptionButton button :
                           {OptionButton::optWindowed, OptionButton::optFullScreen,
                            OptionButton::optHigh, OptionButton::optLow}) {
                        w.TurnOn(button);
                      }
                    },
                    {}},
        RoutineCase{"CheckBoxesAndSlider",
                    [](QtWindow& w) {
                      w.SetValue(CheckBox::chkAntialiasing, 1);
                      w.SetValue(CheckBox::chkWBuffering, 0);
                      w.SetValue(Slider::sdrSound, 3);
                    },
                    {}},
        RoutineCase{"KeyListsFilledSelectedAndLocked",
                    [](QtWindow& w) {
                      FillKeyList(w, 4);
                      w.SetListIndex(cmbKeys(4), 2);
                      w.SetEnabled(cmbKeys(4), false);
                    },
                    {}},
        RoutineCase{"ButtonsPressedByTheUser",
                    [](QtWindow& w) {
                      UserClick(w, Button::cmdReset);
                      UserClick(w, Button::cmdOK);
                      UserClick(w, Button::cmdCancel);
                    },
                    {"cmdReset_Click", "cmdOK_Click", "cmdCancel_Click"}},
        RoutineCase{"WindowManagerClose", [](QtWindow& w) { w.windowHandle()->close(); }, {}}),
    [](const auto& info) { return info.param.name; });

TEST_F(WindowTest, RoutineStartedByCodeSeesTheNewState) {
  window_.Connect(events_);
  window_.TurnOn(OptionButton::optCustom);
  EXPECT_EQ(events_.schemes_seen, (std::vector<bool>{false, false, true}));

  RecordingEvents depth_events(window_);
  window_.Connect(depth_events);
  window_.SetListIndex(DropDownList::cmbDepth, 2);
  EXPECT_EQ(depth_events.depth_seen, 2);
}

TEST_F(WindowTest, RefusesListIndexesOutsideTheList) {
  window_.Connect(events_);
  ASSERT_TRUE(window_.SetListIndex(DropDownList::cmbDepth, 1));
  events_.runs.clear();
  for (int index : {-2, 3, 100, -32768}) {
    EXPECT_FALSE(window_.SetListIndex(DropDownList::cmbDepth, index)) << index;
    EXPECT_EQ(window_.GetListIndex(DropDownList::cmbDepth), 1) << index;
  }
  EXPECT_TRUE(events_.runs.empty());
  EXPECT_FALSE(window_.SetListIndex(cmbKeys(0), 0)) << "an empty list has no entry 0";
  EXPECT_TRUE(window_.SetListIndex(cmbKeys(0), -1));
}

TEST_F(WindowTest, AppendedItemsKeepTheirOrderAndSelectNothing) {
  FillKeyList(window_, 9);
  const auto& list = Find<QComboBox>(window_, "cmbKeys(9)");
  ASSERT_EQ(list.count(), 3);
  EXPECT_EQ(list.itemText(0), "ESCAPE");
  EXPECT_EQ(list.itemText(1), "1");
  EXPECT_EQ(list.itemText(2), "2");
  EXPECT_EQ(window_.GetListIndex(cmbKeys(9)), -1);

  ASSERT_TRUE(window_.SetListIndex(cmbKeys(9), 2));
  window_.AppendItem(cmbKeys(9), "0");
  EXPECT_EQ(window_.GetListIndex(cmbKeys(9)), 2) << "appending keeps the selection";
}

TEST_F(WindowTest, RemovesFilesButNothingElse) {
  const fs::path folder = fs::temp_directory_path() / "krovan-qt-remove-test";
  fs::remove_all(folder);
  fs::create_directories(folder / "empty-directory");
  std::ofstream(folder / "highscore.dat") << "scores";

  using enum FileRemoval::Outcome;
  EXPECT_EQ(window_.RemoveFile((folder / "highscore.dat").string()), FileRemoval{kRemoved});
  EXPECT_FALSE(fs::exists(folder / "highscore.dat"));
  EXPECT_EQ(window_.RemoveFile((folder / "highscore.dat").string()), FileRemoval{kAbsent});
  EXPECT_EQ(window_.RemoveFile((folder / "empty-directory").string()).outcome, kFailed);
  EXPECT_TRUE(fs::is_directory(folder / "empty-directory"));
  fs::remove_all(folder);
}

TEST_F(WindowTest, MessageBoxShowsTheTextAsItIsWithTheRightIcon) {
  MessageBoxWatcher watcher;
  Qt::TextFormat format = Qt::AutoText;
  // Runs inside the box's own event loop, before the watcher dismisses it.
  QTimer::singleShot(0, [&format] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      format = box->textFormat();
    }
  });
  window_.ShowMessage("Permission <b>denied</b>", "Error", MessageIcon::Error);
  window_.ShowMessage("High scores have been reset.", "Notice", MessageIcon::Information);
  EXPECT_EQ(watcher.Messages(),
            (std::vector<ShownMessage>{
                {"Permission <b>denied</b>", "Error", MessageIcon::Error},
                {"High scores have been reset.", "Notice", MessageIcon::Information}}));
  EXPECT_EQ(format, Qt::PlainText);
}

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
TEST_F(WindowTest, CaptionlessControlsHaveAccessibleNames) {
  EXPECT_EQ(LabelName(Find<QComboBox>(window_, "cmbDepth")), "Color Depth");
  EXPECT_EQ(LabelName(Find<QSlider>(window_, "sdrSound")), "Sound Volume");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(&window_)->role(), QAccessible::Dialog);

  const QList<QLabel*> labels = window_.findChildren<QLabel*>();
  const auto text_at = [&labels](const QWidget& parent, auto&& matches) {
    for (const QLabel* label : labels) {
      if (label->parentWidget() == &parent && matches(*label)) {
        return label->text().chopped(1);  // without the colon
      }
    }
    return QString();
  };
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    auto& list = Find<QComboBox>(window_, "cmbKeys(" + std::to_string(slot) + ")");
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
  const auto name = [this](KeySlot slot) {
    return LabelName(Find<QComboBox>(window_, "cmbKeys(" + std::to_string(slot) + ")"));
  };
  EXPECT_EQ(name(0), "Black Tank Move Up");
  EXPECT_EQ(name(9), "White Tank Fire");
}

}  // namespace
}  // namespace krovan::testing
