#include "config/qt/layout_scale.h"

#include <algorithm>
#include <cmath>

namespace krovan::layout {

namespace {
constexpr double kTwipsPerPixel = 15.0;
constexpr double kDesignDpi = 96.0;
constexpr double kFactorSteps = 20.0;  // factors are multiples of 1/20
}  // namespace

int Pixels(int twips, double scale) {
  return static_cast<int>(std::lround(twips * scale / kTwipsPerPixel));
}

QRect Pixels(const form::Twips& rect, double scale) {
  const int left = Pixels(rect.left, scale);
  const int top = Pixels(rect.top, scale);
  const int right = Pixels(rect.left + rect.width, scale);
  const int bottom = Pixels(rect.top + rect.height, scale);
  return {left, top, right - left, bottom - top};
}

double ChooseScaleFactor(std::span<const SizeNeed> needs, double logical_dpi) {
  const auto fits = [needs](double factor) {
    return std::ranges::all_of(needs, [factor](const SizeNeed& need) {
      const QRect rect = Pixels(need.room, factor);
      return rect.width() >= need.preferred.width() && rect.height() >= need.preferred.height();
    });
  };
  // The slack keeps a factor that is already a whole step from being rounded up a step.
  double factor = std::ceil(std::max(1.0, logical_dpi / kDesignDpi) * kFactorSteps - 1e-9);
  while (!fits(factor / kFactorSteps)) {
    ++factor;
  }
  return factor / kFactorSteps;
}

}  // namespace krovan::layout
