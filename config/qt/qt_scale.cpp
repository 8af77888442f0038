#include "config/qt/qt_scale.h"

#include <vector>

namespace krovan {

QRect PixelRect(const form::Twips& rect, double scale) {
  const layout::PixelEdges edges = layout::Edges(rect, scale);
  return {edges.left, edges.top, edges.right - edges.left, edges.bottom - edges.top};
}

double ChooseScaleFactor(std::span<const SizeNeed> needs, double logical_dpi) {
  std::vector<layout::TextNeed> text_needs;
  text_needs.reserve(needs.size());
  for (const SizeNeed& need : needs) {
    text_needs.push_back({need.preferred.width(), need.preferred.height(), need.room});
  }
  return layout::ScaleFactor(text_needs, logical_dpi, layout::FactorSteps::kTwentieths);
}

}  // namespace krovan
