#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace krovan {

// Where a window of `window` size opens: centred on the `available` screen area, but with its
// top-left corner never left of or above that area, so that a window larger than the screen
// (a large scale factor on a small screen) loses its right and bottom edges, not its caption
// and first column.
QPoint OpeningTopLeft(const QRect& available, const QSize& window);

}  // namespace krovan
