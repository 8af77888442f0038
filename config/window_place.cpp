#include "config/window_place.h"

#include <algorithm>

namespace krovan {

ScreenPoint OpeningTopLeft(const ScreenArea& available, int width, int height) {
  return {std::max(available.left, available.left + (available.width - width) / 2),
          std::max(available.top, available.top + (available.height - height) / 2)};
}

}  // namespace krovan
