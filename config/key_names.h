#pragma once

#include <span>
#include <string_view>

namespace krovan {

// The names the key lists show, in list order: entry i is the key at list index i. The windows
// measure them to size the lists.
std::span<const std::string_view> KeyNames();

}  // namespace krovan
