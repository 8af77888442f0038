#pragma once

class QWidget;

namespace bench {

// Makes `window` the settings dialog built the plain way, the floor that a hand-written Qt dialog
// sets: one function creates the 43 controls with the dialog's captions, lists, states and
// pixel boxes at the default font (its layout at factor 1.25, written out by hand) and fills the
// key lists, with no tables, no scaling and no routines. Cance&l shows the same message box as
// the dialog and then closes the window. Tab follows the order of creation, the dialog's order
// but for the key lists, which are locked.
void BuildPlainDialog(QWidget& window);

}  // namespace bench
