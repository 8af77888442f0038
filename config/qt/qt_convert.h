#pragma once

#include <QString>
#include <string_view>

namespace krovan {

// UTF-8 text as Qt holds it.
inline QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace krovan
