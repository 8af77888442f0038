#pragma once

#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <string_view>

#include "config/qt/window_layout.h"

namespace krovan::testing {

// A control of the window, found by its object name, which is the control's own name.
template <typename Widget>
Widget& Find(const QWidget& window, std::string_view name) {
  auto* widget = window.findChild<Widget*>(QString::fromUtf8(name.data(), name.size()));
  if (widget == nullptr) {
    throw std::runtime_error("the window has no control named " + std::string(name));
  }
  return *widget;
}

inline std::string_view NameOf(OptionButton button) {
  return layout::kOptionButtons.at(static_cast<int>(button)).name;
}
inline std::string_view NameOf(CheckBox box) {
  return layout::kCheckBoxes.at(static_cast<int>(box)).name;
}
inline std::string_view NameOf(Button button) {
  return layout::kButtons.at(static_cast<int>(button)).name;
}
inline std::string_view NameOf(DropDownList list) {
  return layout::kDropDownLists.at(static_cast<int>(list)).name;
}

}  // namespace krovan::testing
