#include "config/qt/list_popup.h"

#include <QApplication>
#include <QComboBox>
#include <QProxyStyle>

namespace krovan {

namespace {

// The application's style, except that a combo box's pop-up is a plain list, not a menu. It
// wraps the style the application already has, where a style of the lists' own would load a
// second copy of it, and a style sheet saying `combobox-popup: 0` would make Qt parse and apply
// style sheets to every widget at start-up (bench/ measures start-up).
class ListPopupStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* data) const override {
    return hint == SH_ComboBox_Popup ? 0 : QProxyStyle::styleHint(hint, option, widget, data);
  }
};

}  // namespace

void UseListPopupStyle() {
  if (dynamic_cast<const ListPopupStyle*>(QApplication::style()) == nullptr) {
    // The proxy takes the current style over; the application owns the proxy.
    QApplication::setStyle(new ListPopupStyle(QApplication::style()));
  }
}

void DropDownsScroll(std::span<QComboBox* const> lists, int rows) {
  UseListPopupStyle();
  for (QComboBox* list : lists) {
    list->setMaxVisibleItems(rows);
  }
}

}  // namespace krovan
