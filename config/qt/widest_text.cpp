#include "config/qt/widest_text.h"

#include <QFontMetricsF>
#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <vector>

namespace krovan {

namespace {

// Shaping a text narrows it below the sum of its characters' exact advances (kerning,
// ligatures: "To To To" loses an eighth) but hardly widens it; the bound allows for that and for
// rounding the shaped width to whole pixels.
double MostShapedWidth(double advance_sum) {
  return advance_sum * 1.05 + 1.0;
}

std::vector<double> AdvanceSums(const QFontMetricsF& metrics, const QStringList& texts) {
  std::unordered_map<char16_t, double> advances;
  std::vector<double> sums;
  sums.reserve(texts.size());
  for (const QString& text : texts) {
    double sum = 0;
    for (const QChar character : text) {
      auto [advance, added] = advances.try_emplace(character.unicode(), 0.0);
      if (added) {
        advance->second = metrics.horizontalAdvance(character);
      }
      sum += advance->second;
    }
    sums.push_back(sum);
  }
  return sums;
}

}  // namespace

qsizetype WidestText(const QFontMetrics& metrics, const QStringList& texts) {
  const std::vector<double> sums = AdvanceSums(QFontMetricsF(metrics), texts);
  std::vector<qsizetype> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  std::ranges::stable_sort(order, std::ranges::greater(), [&sums](qsizetype i) { return sums[i]; });
  qsizetype widest = -1;
  int widest_width = -1;
  for (const qsizetype i : order) {
    if (MostShapedWidth(sums[i]) < widest_width) {
      break;  // this text and every later one are narrower than the widest
    }
    const int width = metrics.horizontalAdvance(texts[i]);
    if (width > widest_width || (width == widest_width && i < widest)) {
      widest = i;
      widest_width = width;
    }
  }
  return widest;
}

}  // namespace krovan
