#include "config/qt/list_popup.h"

#include <QComboBox>

namespace krovan {

void DropDownScrolls(QComboBox& list, int rows) {
  // The style sheet answers the style's "combo box pop-up" question with no for this list only;
  // its look stays that of the style.
  list.setStyleSheet("QComboBox { combobox-popup: 0; }");
  list.setMaxVisibleItems(rows);
}

}  // namespace krovan
