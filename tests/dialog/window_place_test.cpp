#include "config/window_place.h"

#include <gtest/gtest.h>

namespace krovan {
namespace {

// Centred on the work area, but a window larger than it keeps its top-left corner there.
TEST(WindowPlaceTest, OpensCentredWithItsTopLeftOnScreen) {
  const struct {
    ScreenArea available;
    int width, height;
    ScreenPoint top_left;
  } kCases[] = {
      {{0, 0, 1280, 1024}, 544, 304, {368, 360}},       // fits: centred
      {{0, 0, 1280, 1024}, 545, 305, {367, 359}},       // odd sizes: the half pixel to the left
      {{0, 0, 1280, 1024}, 1360, 760, {0, 132}},        // too wide: left edge on screen
      {{0, 0, 640, 480}, 1360, 1200, {0, 0}},           // too large both ways
      {{100, 40, 1280, 984}, 1360, 1100, {100, 40}},    // beside and below panels
      {{-1280, 0, 1280, 1024}, 544, 304, {-912, 360}},  // a monitor left of the primary one
  };
  for (const auto& [available, width, height, top_left] : kCases) {
    const ScreenPoint place = OpeningTopLeft(available, width, height);
    EXPECT_EQ(place, top_left) << width << "x" << height << " at " << available.left;
  }
}

}  // namespace
}  // namespace krovan
