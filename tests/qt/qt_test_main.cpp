#include <gtest/gtest.h>

#include <QApplication>

// One QApplication for the whole test program; windows come and go per test, so closing the
// last one must not end it. Without a display of its own the tests use the offscreen platform.
int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
