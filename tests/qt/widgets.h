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

// What only the screen tells of the window: whether a list can be used.
struct Screen {
  const QWidget& window;
  bool IsEnabled(DropDownList list) const {
    return Find<QWidget>(window, form::Row(list).name).isEnabled();
  }
};

// The object name of a named control: its row's name.
inline std::string_view NameOf(auto name) {
  return form::Row(name).name;
}

}  // namespace krovan::testing
