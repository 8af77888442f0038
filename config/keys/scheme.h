#pragma once

#include <cstdint>

namespace krovan {

// The control schemes by the value krovan3d.cfg stores for them. Classic and Enhanced are fixed
// presets, whose key lines the reader skips; any value but theirs stands for Custom, whose keys
// are read from the file.
enum class Scheme : std::int16_t { kClassic = 1, kEnhanced = 2, kCustom = 3 };

constexpr bool IsPreset(Scheme scheme) {
  return scheme == Scheme::kClassic || scheme == Scheme::kEnhanced;
}

constexpr std::int16_t StoredValue(Scheme scheme) {
  return static_cast<std::int16_t>(scheme);
}

}  // namespace krovan
