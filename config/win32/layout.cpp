#include "config/win32/layout.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "config/key_names.h"
#include "config/text/utf16.h"
#include "config/win32/dpi.h"

namespace krovan::win32 {
namespace {

constexpr double kTwipsPerPixel = 15.0;  // at 96 dpi
constexpr int kDesignDpi = 96;

// Room around text that the controls draw, in pixels at 96 dpi.
constexpr int kCheckGap = 4;        // between a check box's or option button's glyph and its text
constexpr int kButtonPadding = 8;   // on each side of a push button's caption
constexpr int kFramePadding = 8;    // on each side of a frame's caption
constexpr int kListMargins = 8;     // a drop-down field's borders and text margins
constexpr int kListFieldExtra = 8;  // a drop-down field's height beyond one line of text

int Scaled(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), kDesignDpi);
}

int TextWidth(HDC dc, std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

std::wstring WithoutAccelerator(std::string_view caption) {
  std::wstring text = Widen(caption);
  std::erase(text, L'&');
  return text;
}

int WidestKeyName(HDC dc) {
  int widest = 0;
  for (std::string_view name : KeyNames()) {
    widest = std::max(widest, TextWidth(dc, Widen(name)));
  }
  return widest;
}

int WidestDepthItem(HDC dc) {
  int widest = 0;
  for (std::string_view item : form::kDepthItems) {
    widest = std::max(widest, TextWidth(dc, Widen(item)));
  }
  return widest;
}

}  // namespace

HFONT CreateDialogFont(UINT dpi) {
  const LOGFONTW font = MessageFont(dpi);
  return CreateFontIndirectW(&font);
}

double LayoutScale(HDC dc, UINT dpi) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int line = metrics.tmHeight;
  const int glyph = SystemMetric(SM_CXMENUCHECK, dpi) + Scaled(kCheckGap, dpi);
  const int list_margins = SystemMetric(SM_CXVSCROLL, dpi) + Scaled(kListMargins, dpi);
  const int list_field = line + Scaled(kListFieldExtra, dpi);
  const int key_name = WidestKeyName(dc);
  const int depth_item = WidestDepthItem(dc);

  double scale = static_cast<double>(dpi) / kDesignDpi;
  const auto fit = [&scale](int pixels, int twips) {
    scale = std::max(scale, pixels * kTwipsPerPixel / twips);
  };
  for (const ControlSpec& spec : kControls) {
    const int text = TextWidth(dc, WithoutAccelerator(spec.caption));
    switch (spec.kind) {
      case ControlKind::Label:
        fit(text, spec.rect.width);
        fit(line, spec.rect.height);
        break;
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        fit(glyph + text, spec.rect.width);
        fit(line, spec.rect.height);
        break;
      case ControlKind::Button:
        fit(text + 2 * Scaled(kButtonPadding, dpi), spec.rect.width);
        fit(line, spec.rect.height);
        break;
      case ControlKind::Frame:
        fit(text + 2 * Scaled(kFramePadding, dpi), spec.rect.width);
        break;
      case ControlKind::DropDownList:
        fit((spec.id == ControlId::cmbDepth ? depth_item : key_name) + list_margins,
            spec.rect.width);
        fit(list_field, spec.rect.height);
        break;
      case ControlKind::Slider:
        break;
    }
  }
  return scale;
}

RECT PixelRect(const ControlSpec& spec, double scale) {
  static constexpr std::array<ControlId, 3> kFrames = {ControlId::Frame1, ControlId::Frame2,
                                                       ControlId::Frame3};
  int left = spec.rect.left;
  int top = spec.rect.top;
  if (spec.container != Container::Window) {
    const Twips& frame = Spec(kFrames[static_cast<std::size_t>(spec.container) - 1]).rect;
    left += frame.left;
    top += frame.top;
  }
  const auto pixels = [scale](int twips) {
    return static_cast<LONG>(std::lround(twips * scale / kTwipsPerPixel));
  };
  return RECT{pixels(left), pixels(top), pixels(left + spec.rect.width),
              pixels(top + spec.rect.height)};
}

SIZE ClientSize(double scale) {
  return SIZE{std::lround(form::kClientWidth * scale / kTwipsPerPixel),
              std::lround(form::kClientHeight * scale / kTwipsPerPixel)};
}

}  // namespace krovan::win32
