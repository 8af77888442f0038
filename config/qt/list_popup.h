#pragma once

class QComboBox;

namespace krovan {

// Makes the list drop down as a scrolling list of at most `rows` rows, below the list (or above
// it near the bottom of the screen). Styles that open the pop-up like a menu over the list, as
// Fusion does, ignore QComboBox::maxVisibleItems and show every item: for the 144 key names a
// pop-up as tall as the screen.
void DropDownScrolls(QComboBox& list, int rows);

}  // namespace krovan
