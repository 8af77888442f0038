#pragma once

#include <span>

#include "config/form_layout.h"

// Twips to pixels for both windows: the one scale factor for the whole window, chosen from the
// resolution and from what each control needs to show its text, and the pixel rounding of the
// layout's rectangles at that factor.
namespace krovan::layout {

// The resolution the layout was drawn for, in dots per inch: at it, 15 twips make one pixel.
inline constexpr int kDesignDpi = 96;

// A rectangle in pixels, by its edges.
struct PixelEdges {
  int left;
  int top;
  int right;
  int bottom;
};

// Pixels for a length in twips: 15 twips make one pixel at scale 1.
int Pixels(int twips, double scale);

// A rectangle in pixels. Each edge is scaled and rounded on its own, so controls that meet in
// twips meet on screen and gaps of equal twips stay equal.
PixelEdges Edges(const form::Twips& rect, double scale);

// What one control needs to show its caption or contents whole, in pixels (0 for a dimension
// that needs nothing), and the room the layout gives it, in twips from the same origin the
// window places it from.
struct TextNeed {
  int width;
  int height;
  form::Twips room;
};

// How fine the factor is. Qt's window takes multiples of 1/20 and checks each control's box as
// rounded to whole pixels; the Win32 window takes any factor and checks the boxes before
// rounding, which gives each window the pixels it has always had.
enum class FactorSteps { kAny, kTwentieths };

// The least factor of those steps at which every control's box holds what it needs, and never
// less than the screen's logical DPI over kDesignDpi.
double ScaleFactor(std::span<const TextNeed> needs, double logical_dpi, FactorSteps steps);

}  // namespace krovan::layout
