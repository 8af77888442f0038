#pragma once

#include <QString>
#include <QWidget>
#include <stdexcept>
#include <string>
#include <string_view>

#include "config/form_layout.h"

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
  return form::kOptionButtons.at(static_cast<int>(button)).name;
}
inline std::string_view NameOf(CheckBox box) {
  return form::kCheckBoxes.at(static_cast<int>(box)).name;
}
inline std::string_view NameOf(Button button) {
  return form::kButtons.at(static_cast<int>(button)).name;
}
inline std::string_view NameOf(DropDownList list) {
  return form::kDropDownLists.at(static_cast<int>(list)).name;
}

}  // namespace krovan::testing
