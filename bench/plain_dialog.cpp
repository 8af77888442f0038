#include <QApplication>
#include <QScreen>
#include <QWidget>

#include "bench/plain_controls.h"

// The settings dialog's controls built the plain way (see BuildPlainDialog), shown centred on
// the screen where the dialog opens. Cance&l ends the program after its message box.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  bench::BuildPlainDialog(window);
  window.move(QApplication::primaryScreen()->availableGeometry().center() - window.rect().center());
  window.show();
  return QApplication::exec();
}
