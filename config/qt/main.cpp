#include <QApplication>

#include "config/frm_main.h"
#include "config/qt/qt_window.h"

// Creates the settings window in its design-time state, runs its load routine and then hands
// over to the window's events. Closing the window ends the program.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Titles the drop-down lists' pop-up windows and names the desktop entry.
  QApplication::setApplicationName("Krovan 3D Configuration Utility");
  QApplication::setDesktopFileName("krovan3d-config");

  krovan::QtWindow window(QCoreApplication::applicationDirPath().toStdString());
  krovan::frmMain form(window);
  form.Form_Load();
  return QApplication::exec();
}
