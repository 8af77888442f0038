#pragma once

#include <QString>
#include <string_view>

namespace krovan {

// UTF-8 text as Qt holds it.
inline QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The position of a named control, or of a container, in its kind's table.
constexpr int Index(auto control) {
  return static_cast<int>(control);
}

}  // namespace krovan
