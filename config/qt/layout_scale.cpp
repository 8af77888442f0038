#include "config/qt/layout_scale.h"

#include <vector>

namespace krovan::layout {

QRect Pixels(const form::Twips& rect, double scale) {
  const PixelEdges edges = Edges(rect, scale);
  return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

double ChooseScaleFactor(std::span<const SizeNeed> needs, double logical_dpi) {
  std::vector<TextNeed> text_needs;
  text_needs.reserve(needs.size());
  for (const SizeNeed& need : needs) {
    text_needs.push_back({need.preferred.width(), need.preferred.height(), need.room});
  }
  return ScaleFactor(text_needs, logical_dpi, FactorSteps::kTwentieths);
}

}  // namespace krovan::layout
