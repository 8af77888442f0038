#pragma once

#include <QStringList>

class QFontMetrics;

namespace krovan {

// The index of the text that is widest in the font of `metrics` (the first of equals), -1 for no
// texts. Shaping all 144 key names whole costs about a third of the window's own start-up; this
// sums each text's character advances, measured once per character, and shapes whole only the
// texts whose sum could still beat the widest found so far.
qsizetype WidestText(const QFontMetrics& metrics, const QStringList& texts);

}  // namespace krovan
