#include "config/qt/widest_text.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <ostream>

#include "config/keys/key_table.h"

namespace krovan::testing {
namespace {

QStringList KeyNames() {
  QStringList names;
  for (const KeyRow& key : KeyTable) {
    names.append(QString::fromUtf8(key.name.data(), key.name.size()));
  }
  return names;
}

// The first text of the widest, every text shaped whole.
qsizetype WidestShaped(const QFontMetrics& metrics, const QStringList& texts) {
  qsizetype widest = -1;
  for (qsizetype i = 0; i < texts.size(); ++i) {
    if (widest < 0 ||
        metrics.horizontalAdvance(texts[i]) > metrics.horizontalAdvance(texts[widest])) {
      widest = i;
    }
  }
  return widest;
}

struct FontCase {
  const char* family;
  int pixels;
  bool bold;
};

void PrintTo(const FontCase& font, std::ostream* out) {
  *out << font.family << ' ' << font.pixels << "px" << (font.bold ? " bold" : "");
}

class WidestTextTest : public ::testing::TestWithParam<FontCase> {};

// Kerned pairs make the sum of advances overstate some texts ("To To To" sums wider than
// "HHHHHi" but is narrower); equal widths keep the first.
TEST_P(WidestTextTest, FindsTheTextThatShapingFindsWidest) {
  QFont font(GetParam().family);
  font.setPixelSize(GetParam().pixels);
  font.setBold(GetParam().bold);
  const QFontMetrics metrics(font);
  const QStringList cases[] = {KeyNames(),
                               {},
                               {"Tab", "Tab"},
                               {"To To To", "HHHHHi"},
                               {"AVAVAVAVAV", "AVAVAVAVAV", "WAWAWA", "To To To"}};
  for (const QStringList& texts : cases) {
    EXPECT_EQ(WidestText(metrics, texts), WidestShaped(metrics, texts))
        << texts.join('|').toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Fonts, WidestTextTest,
                         ::testing::Values(FontCase{"DejaVu Sans", 12, false},
                                           FontCase{"DejaVu Sans", 9, true},
                                           FontCase{"DejaVu Serif", 19, false},
                                           FontCase{"DejaVu Sans Mono", 12, false},
                                           FontCase{"DejaVu Sans Condensed", 27, true}));

}  // namespace
}  // namespace krovan::testing
