#pragma once

class QAbstractButton;
class QRadioButton;

namespace krovan {

// Makes the button's Alt+letter accelerator act at once: focus to the button, then a click,
// as the window's platform does. Qt's own handling only animates the click and clicks about
// 100 ms later, so a key typed right after the accelerator would be handled before it.
void ClickOnAcceleratorAtOnce(QAbstractButton& button);

// Leaves one Tab stop in the button's frame: the option button that is on. The arrow keys move
// among the frame's buttons; Tab passes over the ones that are off.
void KeepTabStopOnCheckedOption(QRadioButton& button);

}  // namespace krovan
