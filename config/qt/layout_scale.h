#pragma once

#include <QRect>
#include <QSize>
#include <span>

#include "config/layout_scale.h"

// The window's twips-to-pixels scale in Qt's types.
namespace krovan::layout {

// A rectangle in pixels, its edges rounded as Edges rounds them.
QRect Pixels(const form::Twips& rect, double scale);

// What one control asks for (its preferred size in pixels) and the room the layout gives it.
struct SizeNeed {
  QSize preferred;
  form::Twips room;
};

// The one scale factor for the whole window (see ScaleFactor) at which every control gets at
// least its preferred size.
double ChooseScaleFactor(std::span<const SizeNeed> needs, double logical_dpi);

}  // namespace krovan::layout
