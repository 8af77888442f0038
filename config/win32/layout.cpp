#include "config/win32/layout.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "config/form_layout.h"
#include "config/key_names.h"
#include "config/layout_scale.h"
#include "config/text/utf16.h"
#include "config/win32/dpi.h"

namespace krovan::win32 {
namespace {

// Room around text that the controls draw, in pixels at 96 dpi.
constexpr int kCheckGap = 4;        // between a check box's or option button's glyph and its text
constexpr int kButtonPadding = 8;   // on each side of a push button's caption
constexpr int kFramePadding = 8;    // on each side of a frame's caption
constexpr int kListMargins = 8;     // a drop-down field's borders and text margins
constexpr int kListFieldExtra = 8;  // a drop-down field's height beyond one line of text

int Scaled(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), layout::kDesignDpi);
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

// The box a control's window gets, in twips from the client area's corner: its visible box.
// Win32 controls paint their whole window, background included, over any sibling that they
// overlap; Qt's widgets paint their contents only, and keep their whole boxes.
form::Twips WindowBox(ControlIndex control) {
  return form::OnClientArea(form::kVisibleBoxes[static_cast<std::size_t>(control)],
                            form::Row(control).container);
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
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const form::Control& row = form::Row(control);
    const int text = TextWidth(dc, WithoutAccelerator(row.caption));
    const auto need = [&needs, control](int width, int height) {
      needs.push_back({width, height, WindowBox(control)});
    };
    switch (row.kind) {
      case form::ControlKind::kLabel:
        need(text, line);
        break;
      case form::ControlKind::kCheckBox:
      case form::ControlKind::kOptionButton:
        need(glyph + text, line);
        break;
      case form::ControlKind::kButton:
        need(text + 2 * Scaled(kButtonPadding, dpi), line);
        break;
      case form::ControlKind::kFrame:
        need(text + 2 * Scaled(kFramePadding, dpi), 0);
        break;
      case form::ControlKind::kDropDownList:
        need((control == form::IndexOf(DropDownList::cmbDepth) ? depth_item : key_name) +
                 list_margins,
             list_field);
        break;
      case form::ControlKind::kSlider:
        break;
    }
  }
  return layout::ScaleFactor(needs, dpi, layout::FactorSteps::kAny);
}

RECT PixelRect(ControlIndex control, double scale) {
  const layout::PixelEdges edges = layout::Edges(WindowBox(control), scale);
  return RECT{edges.left, edges.top, edges.right, edges.bottom};
}

SIZE ClientSize(double scale) {
  return SIZE{layout::Pixels(form::kClientWidth, scale),
              layout::Pixels(form::kClientHeight, scale)};
}

}  // namespace krovan::win32
