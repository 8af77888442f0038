#pragma once

#include <QRect>
#include <QSize>
#include <span>

#include "config/form_layout.h"

namespace krovan::layout {

// Pixels for a length in twips: 15 twips make one pixel at scale 1.
int Pixels(int twips, double scale);

// A rectangle in pixels. Each edge is scaled and rounded on its own, so controls that meet in
// twips meet on screen and gaps of equal twips stay equal.
QRect Pixels(const form::Twips& rect, double scale);

// What one control asks for (its preferred size in pixels) and the room the layout gives it.
struct SizeNeed {
  QSize preferred;
  form::Twips room;
};

// The one scale factor for the whole window: the least multiple of 1/20 at which every
// control gets at least its preferred size, and never less than the screen's logical DPI
// over 96, the resolution the layout was drawn for.
double ChooseScaleFactor(std::span<const SizeNeed> needs, double logical_dpi);

}  // namespace krovan::layout
