#include "config/layout_scale.h"

#include <algorithm>
#include <cmath>

namespace krovan::layout {

namespace {
constexpr double kTwipsPerPixel = 15.0;
constexpr double kStepsPerUnit = 20.0;  // for factors in multiples of 1/20
}  // namespace

int Pixels(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

PixelEdges Edges(const form::Twips& rect, double scale) {
  return {Pixels(rect.left, scale), Pixels(rect.top, scale), Pixels(rect.left + rect.width, scale),
          Pixels(rect.top + rect.height, scale)};
}

namespace {

// The least factor at which every box, unrounded, holds what its control needs.
double AnyFactor(std::span<const TextNeed> needs, double least) {
  double factor = least;
  const auto fit = [&factor](int pixels, int twips) {
    if (pixels > 0) {
      factor = std::max(factor, pixels * kTwipsPerPixel / twips);
    }
  };
  for (const TextNeed& need : needs) {
    fit(need.width, need.room.width);
    fit(need.height, need.room.height);
  }
  return factor;
}

// The least multiple of 1/20 at which every box, rounded to pixels, holds what its control needs.
double TwentiethsFactor(std::span<const TextNeed> needs, double least) {
  const auto fits = [needs](double factor) {
    return std::ranges::all_of(needs, [factor](const TextNeed& need) {
      const PixelEdges box = Edges(need.room, factor);
      return box.right - box.left >= need.width && box.bottom - box.top >= need.height;
    });
  };
  // The slack keeps a factor that is already a whole step from being rounded up a step.
  double steps = std::ceil(least * kStepsPerUnit - 1e-9);
  while (!fits(steps / kStepsPerUnit)) {
    ++steps;
  }
  return steps / kStepsPerUnit;
}

}  // namespace

double ScaleFactor(std::span<const TextNeed> needs, double logical_dpi, FactorSteps steps) {
  const double least = std::max(1.0, logical_dpi / kDesignDpi);
  return steps == FactorSteps::kAny ? AnyFactor(needs, least) : TwentiethsFactor(needs, least);
}

}  // namespace krovan::layout
