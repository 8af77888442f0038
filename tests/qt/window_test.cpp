#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "config/qt/qt_window.h"
#include "tests/dialog/recording_events.h"
#include "tests/dialog/toolkit_conformance.h"
#include "tests/qt/message_box_watcher.h"
#include "tests/qt/widgets.h"

namespace krovan::testing {
namespace {

class QtWindowUnderTest final : public ToolkitUnderTest {
 public:
  ToolkitOperations& form() override { return window_; }
  void Press(Button button) override {
    QTest::mouseClick(&Find<QPushButton>(window_, NameOf(button)), Qt::LeftButton);
  }
  bool IsEnabled(DropDownList list) const override { return List(list).isEnabled(); }
  std::vector<std::string> Items(DropDownList list) const override {
    std::vector<std::string> items;
    for (int index = 0; index < List(list).count(); ++index) {
      items.push_back(List(list).itemText(index).toStdString());
    }
    return items;
  }
  std::vector<ShownMessage> Messages() const override { return watcher_.Messages(); }

 private:
  const QComboBox& List(DropDownList list) const { return Find<QComboBox>(window_, NameOf(list)); }

  MessageBoxWatcher watcher_;
  QtWindow window_;
};

std::unique_ptr<ToolkitUnderTest> MakeQtWindow() {
  return std::make_unique<QtWindowUnderTest>();
}

INSTANTIATE_TEST_SUITE_P(QtWindow, ToolkitConformanceTest, ::testing::Values(&MakeQtWindow));

class WindowTest : public ::testing::Test {
 protected:
  QtWindow window_;
};

TEST_F(WindowTest, DesignTimeWidgets) {
  for (const QComboBox* list : window_.findChildren<QComboBox*>()) {
    EXPECT_FALSE(list->isEditable()) << list->objectName().toStdString();
  }
  EXPECT_EQ(Find<QComboBox>(window_, "cmbDepth").currentText(), "");
  const auto& slider = Find<QSlider>(window_, "sdrSound");
  EXPECT_EQ(slider.orientation(), Qt::Horizontal);
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

// The user's changes, as the widgets report them, run the same routines as the code's; the
// window manager's close runs none.
TEST_F(WindowTest, UserChangesRunTheirRoutines) {
  const struct {
    const char* name;
    std::function<void(QtWindow&)> step;
    std::vector<std::string> log;
  } kCases[] = {
      {"depth picked by keyboard",
       [](QtWindow& w) { QTest::keyClick(&Find<QComboBox>(w, "cmbDepth"), Qt::Key_Down); },
       {"cmbDepth_Click 0"}},
      {"scheme clicked",
       [](QtWindow& w) {
         QTest::mouseClick(&Find<QRadioButton>(w, "optCustom"), Qt::LeftButton, {}, QPoint(8, 8));
       },
       {"optCustom_Click optCustom"}},
      {"check box clicked",
       [](QtWindow& w) {
         QTest::mouseClick(&Find<QCheckBox>(w, "chkDebug"), Qt::LeftButton, {}, QPoint(8, 8));
       },
       {}},
      {"window manager close", [](QtWindow& w) { w.windowHandle()->close(); }, {}},
  };
  for (const auto& [name, step, log] : kCases) {
    QtWindow window;
    const RecordingEvents events(window);
    window.ShowForm();
    step(window);
    EXPECT_EQ(events.log, log) << name;
  }
}

TEST_F(WindowTest, MessageBoxShowsTheTextAsPlainText) {
  MessageBoxWatcher watcher;
  Qt::TextFormat format = Qt::AutoText;
  // Runs inside the box's own event loop, before the watcher dismisses it.
  QTimer::singleShot(0, [&format] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      format = box->textFormat();
    }
  });
  window_.ShowMessage("Permission <b>denied</b>", "Error", MessageIcon::Error);
  EXPECT_EQ(format, Qt::PlainText);
}

// A close request that reaches the window while a box is up, as Qt's Wayland plug-in passes on
// the compositor's, leaves it open; once the box is gone a close closes it.
TEST_F(WindowTest, CloseRequestWhileAMessageBoxIsShownIsRefused) {
  MessageBoxWatcher watcher;
  window_.ShowForm();
  bool closed = true;
  QTimer::singleShot(0, [this, &closed] { closed = window_.windowHandle()->close(); });
  window_.ShowMessage("Changes have been cancelled.", "Notice", MessageIcon::Information);
  EXPECT_FALSE(closed);
  EXPECT_TRUE(window_.isVisible());
  EXPECT_TRUE(window_.windowHandle()->close());
}

}  // namespace
}  // namespace krovan::testing
