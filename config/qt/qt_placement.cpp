// Where the Qt window's controls lie: every length of the layout scaled by one factor, large
// enough for each control's contents.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <utility>
#include <vector>

#include "config/key_names.h"
#include "config/qt/layout_scale.h"
#include "config/qt/qt_convert.h"
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
  std::vector<std::pair<QWidget*, form::Twips>> places;
  std::vector<layout::SizeNeed> needs;
  const auto place = [&](QWidget* widget, const form::Control& control, QSize preferred,
                         const form::Twips& room) {
    places.emplace_back(widget, control.rect);
    needs.push_back({preferred, room});
  };
  const auto place_all = [&](const auto& widgets, const auto& controls) {
    for (std::size_t i = 0; i < widgets.size(); ++i) {
      place(widgets[i], controls[i], PreferredSize(*widgets[i]), controls[i].rect);
    }
  };
  place_all(frames_, form::kFrames);
  place_all(option_buttons_, form::kOptionButtons);
  place_all(check_boxes_, form::kCheckBoxes);
  place_all(buttons_, form::kButtons);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const form::Control& label = form::kLabels[i];
    place(labels_[i], label, PreferredSize(*labels_[i]), form::LabelRoom(label));
  }
  const QSize key_list = FilledKeyListSizeHint();
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    const form::Control& list = form::kDropDownLists[slot];
    place(lists_[slot], list, key_list, list.rect);
  }
  const form::Control& depth = form::kDropDownLists[Index(DropDownList::cmbDepth)];
  place(List(DropDownList::cmbDepth), depth, PreferredSize(*List(DropDownList::cmbDepth)),
        depth.rect);
  place(slider_, form::kSlider, PreferredSize(*slider_), form::kSlider.rect);

  scale_factor_ = layout::ChooseScaleFactor(needs, logicalDpiY());
  for (const auto& [widget, rect] : places) {
    widget->setGeometry(layout::Pixels(rect, scale_factor_));
  }
  setFixedSize(layout::Pixels(form::kClientWidth, scale_factor_),
               layout::Pixels(form::kClientHeight, scale_factor_));
}

}  // namespace krovan
