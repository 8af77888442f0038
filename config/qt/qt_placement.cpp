// Where the Qt window's controls lie: every length of the layout scaled by one factor, large
// enough for each control's contents.
#include <QComboBox>
#include <vector>

#include "config/form_layout.h"
#include "config/key_names.h"
#include "config/qt/qt_convert.h"
#include "config/qt/qt_scale.h"
#include "config/qt/qt_window.h"
#include "config/qt/widest_text.h"

namespace krovan {

namespace {

// The size a control asks for to show its caption or contents whole; a frame, which has no
// layout, asks for room for its caption.
QSize PreferredSize(const QWidget& widget) {
  const QSize hint = widget.sizeHint();
  return hint.isValid() ? hint : widget.minimumSizeHint();
}

// The size a key list asks for once the load sequence has filled it with the key names: that of
// a list holding only the widest name.
QSize FilledKeyListSizeHint() {
  QStringList names;
  names.reserve(static_cast<qsizetype>(KeyNames().size()));
  for (const std::string_view name : KeyNames()) {
    names.append(Text(name));
  }
  QComboBox sample;
  sample.addItem(names.at(WidestText(sample.fontMetrics(), names)));
  return sample.sizeHint();
}

}  // namespace

void QtWindow::PlaceControls() {
  const QSize key_list = FilledKeyListSizeHint();
  std::vector<SizeNeed> needs;
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const form::Control& row = form::Row(control);
    const bool key_list_row = row.kind == form::ControlKind::kDropDownList &&
                              control != form::IndexOf(DropDownList::cmbDepth);
    needs.push_back({key_list_row ? key_list : PreferredSize(*widgets_[control]),
                     form::kVisibleBoxes[static_cast<std::size_t>(control)]});
  }
  scale_factor_ = ChooseScaleFactor(needs, logicalDpiY());
  // Each widget gets its whole box, of which the visible box is the part that shows: a widget
  // paints its contents only, and the later ones lie above it (labels lie beneath all).
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    widgets_[control]->setGeometry(PixelRect(form::Row(control).rect, scale_factor_));
  }
  setFixedSize(layout::Pixels(form::kClientWidth, scale_factor_),
               layout::Pixels(form::kClientHeight, scale_factor_));
}

}  // namespace krovan
