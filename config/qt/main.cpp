#include <QApplication>
#include <cstdlib>

#include "config/frm_main.h"
#include "config/qt/list_popup.h"
#include "config/qt/plugin_paths.h"
#include "config/qt/qt_window.h"

// Creates the settings window in its design-time state, runs its load routine and then hands
// over to the window's events. Closing the window ends the program.
int main(int argc, char* argv[]) {
  krovan::UseSystemPluginsOnly();
  QApplication application(argc, argv);
  // Titles the drop-down lists' pop-up windows. On X it is also the class in the window's
  // WM_CLASS, which the menu entry names as its StartupWMClass.
  QApplication::setApplicationName("Krovan 3D Configuration Utility");
  // The menu entry's file name, the window's application id on Wayland.
  QApplication::setDesktopFileName("krovan3d-config");

  // The window would do this too; before any widget exists it costs nothing.
  krovan::UseListPopupStyle();

  krovan::QtWindow window;
  krovan::SystemFiles files;
  krovan::frmMain form(
      window, files, krovan::HighScoreFiles(QCoreApplication::applicationDirPath().toStdString()));
  form.Form_Load();
  const int status = QApplication::exec();
  // Qt 6.4's Wayland plug-in can wait for ever on its event thread while it disconnects from
  // the compositor (seen in about one end in 50 to 100 under sway), and the program would go
  // on running without a window. The file is written and closed by now: end without tearing
  // the toolkit down.
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    std::quick_exit(status);
  }
  return status;
}
