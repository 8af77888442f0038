#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

#include "bench/immediate_button.h"

// The toolkit's floor for the settings dialog's Cancel: a bare window with one "Cance&l" button
// that shows the same message box and then closes the window, which ends the program. It has
// the dialog's size with the default font (544 x 304 scaled by 1.25), so that both pay the
// same for painting and showing that many pixels. Like the dialog, it opens centred on the
// screen, so that a pointer resting there is over both.
int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle("Bare Qt Window");
  window.setFixedSize(680, 380);
  bench::ImmediateButton cancel("Cance&l", &window);
  QObject::connect(&cancel, &QPushButton::clicked, &window, [&window] {
    QMessageBox::information(&window, "Notice", "Changes have been cancelled.");
    window.close();
  });
  window.move(QApplication::primaryScreen()->availableGeometry().center() - window.rect().center());
  window.show();
  return QApplication::exec();
}
