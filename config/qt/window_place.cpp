#include "config/qt/window_place.h"

#include <algorithm>

namespace krovan {

QPoint OpeningTopLeft(const QRect& available, const QSize& window) {
  const QPoint centred = available.center() - QRect(QPoint(), window).center();
  return {std::max(centred.x(), available.left()), std::max(centred.y(), available.top())};
}

}  // namespace krovan
