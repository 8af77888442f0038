#pragma once

#include <QRect>
#include <QSize>
#include <span>

#include "config/layout_scale.h"

// The window's twips-to-pixels scale (config/layout_scale.h) in Qt's types.
namespace krovan {

// A rectangle in pixels, its edges rounded as layout::Edges rounds them.
QRect PixelRect(const form::Twips& rect, double scale);

// What one control asks for (its preferred size in pixels) and the room the layout gives it.
struct SizeNeed {
  QSize preferred;
  form::Twips room;
};

// The one scale factor for the whole window (see layout::ScaleFactor) at which every control gets
// at least its preferred size.
double ChooseScaleFactor(std::span<const SizeNeed> needs, double logical_dpi);

}  // namespace krovan
