#include "config/key_names.h"

#include <array>

#include "config/keys/key_table.h"

namespace krovan {

std::span<const std::string_view> KeyNames() {
  static const std::array<std::string_view, kKeyCount> names = [] {
    std::array<std::string_view, kKeyCount> all{};
    for (std::size_t i = 0; i < all.size(); ++i) {
      all[i] = KeyTable[i].name;
    }
    return all;
  }();
  return names;
}

}  // namespace krovan
