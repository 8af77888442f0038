#pragma once

namespace krovan {

// A rectangle on the screen, in pixels.
struct ScreenArea {
  int left;
  int top;
  int width;
  int height;
};

struct ScreenPoint {
  int x;
  int y;
  bool operator==(const ScreenPoint&) const = default;
};

// Where a window of `width` x `height` pixels, frame included, opens: centred on `available`
// (the screen's work area, without task bars and panels), but with its top-left corner never
// left of or above it, so that a window larger than the screen (a large scale factor on a small
// screen) loses its right and bottom edges, not its caption and first column. Both windows open
// here.
ScreenPoint OpeningTopLeft(const ScreenArea& available, int width, int height);

}  // namespace krovan
