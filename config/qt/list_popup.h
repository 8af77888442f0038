#pragma once

#include <span>

class QComboBox;

namespace krovan {

// Wraps the application's style, once, in one that opens every combo box's pop-up as a plain
// list that shows QComboBox::maxVisibleItems rows and scrolls. Styles that open it like a menu
// over the list, as Fusion does, ignore that count and show every item: for the 144 key names a
// pop-up as tall as the screen. Called before the first widget exists, it costs nothing; later
// every widget is polished again.
void UseListPopupStyle();

// Makes the lists drop down at most `rows` rows, below the list (or above it near the bottom of
// the screen); more scroll.
void DropDownsScroll(std::span<QComboBox* const> lists, int rows);

}  // namespace krovan
