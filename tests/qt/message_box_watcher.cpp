#include "tests/qt/message_box_watcher.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <array>
#include <utility>

namespace krovan::testing {

namespace {

constexpr int kPollMilliseconds = 5;

// The program's icons as Qt shows them.
constexpr std::array<std::pair<QMessageBox::Icon, MessageIcon>, 2> kIcons = {{
    {QMessageBox::Information, MessageIcon::Information},
    {QMessageBox::Critical, MessageIcon::Error},
}};

}  // namespace

MessageBoxWatcher::MessageBoxWatcher() {
  timer_.setInterval(kPollMilliseconds);
  QObject::connect(&timer_, &QTimer::timeout, [this] { DismissShownBox(); });
  timer_.start();
}

void MessageBoxWatcher::DismissShownBox() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) {
    return;
  }
  const auto icon =
      std::ranges::find(kIcons, box->icon(), &std::pair<QMessageBox::Icon, MessageIcon>::first);
  EXPECT_NE(icon, kIcons.end()) << "unexpected message box icon " << box->icon();
  EXPECT_EQ(box->buttons().size(), 1) << "a message box has one OK button";
  messages_.push_back({box->text().toStdString(), box->windowTitle().toStdString(),
                       icon == kIcons.end() ? MessageIcon::Information : icon->second});
  QAbstractButton* ok = box->button(QMessageBox::Ok);
  ASSERT_NE(ok, nullptr) << "the message box has no OK button";
  QTest::mouseClick(ok, Qt::LeftButton);
}

}  // namespace krovan::testing
