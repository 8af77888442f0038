#include "config/win32/layout.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "config/key_names.h"
#include "config/layout_scale.h"
#include "config/text/utf16.h"
#include "config/win32/dpi.h"

namespace krovan::win32 {
namespace {

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

// A control's rectangle in twips from the client area's corner: a frame's controls lie at
// their place in the frame plus the frame's own.
Twips WindowTwips(const ControlSpec& spec) {
  static constexpr std::array<ControlId, 3> kFrames = {ControlId::Frame1, ControlId::Frame2,
                                                       ControlId::Frame3};
  Twips rect = spec.rect;
  if (spec.container != Container::Window) {
    const Twips& frame = Spec(kFrames[static_cast<std::size_t>(spec.container) - 1]).rect;
    rect.left += frame.left;
    rect.top += frame.top;
  }
  return rect;
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

  std::vector<layout::TextNeed> needs;
  const auto need = [&needs](const ControlSpec& spec, int width, int height) {
    needs.push_back({width, height, WindowTwips(spec)});
  };
  for (const ControlSpec& spec : kControls) {
    const int text = TextWidth(dc, WithoutAccelerator(spec.caption));
    switch (spec.kind) {
      case ControlKind::Label:
        need(spec, text, line);
        break;
      case ControlKind::CheckBox:
      case ControlKind::OptionButton:
        need(spec, glyph + text, line);
        break;
      case ControlKind::Button:
        need(spec, text + 2 * Scaled(kButtonPadding, dpi), line);
        break;
      case ControlKind::Frame:
        need(spec, text + 2 * Scaled(kFramePadding, dpi), 0);
        break;
      case ControlKind::DropDownList:
        need(spec, (spec.id == ControlId::cmbDepth ? depth_item : key_name) + list_margins,
             list_field);
        break;
      case ControlKind::Slider:
        break;
    }
  }
  return layout::ScaleFactor(needs, dpi, layout::FactorSteps::Any);
}

RECT PixelRect(const ControlSpec& spec, double scale) {
  const layout::PixelEdges edges = layout::Edges(WindowTwips(spec), scale);
  return RECT{edges.left, edges.top, edges.right, edges.bottom};
}

SIZE ClientSize(double scale) {
  return SIZE{layout::Pixels(form::kClientWidth, scale),
              layout::Pixels(form::kClientHeight, scale)};
}

}  // namespace krovan::win32
