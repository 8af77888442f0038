#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "config/win32/layout.h"
#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

using win32::ControlId;
using win32::ControlKind;

struct PixelCase {
  ControlId id;
  double scale;
  RECT expected;
};

class PixelRectTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PixelRectTest, ScalesTwipsFromTheContainer) {
  const RECT rect = win32::PixelRect(win32::Spec(GetParam().id), GetParam().scale);
  EXPECT_EQ(rect.left, GetParam().expected.left);
  EXPECT_EQ(rect.top, GetParam().expected.top);
  EXPECT_EQ(rect.right, GetParam().expected.right);
  EXPECT_EQ(rect.bottom, GetParam().expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Layout, PixelRectTest,
    ::testing::Values(PixelCase{ControlId::Label1, 1.0, {8, 8, 72, 25}},
                      PixelCase{ControlId::cmdCancel, 1.0, {344, 256, 537, 297}},
                      // inside "Screen Mode", which starts at 120, 480
                      PixelCase{ControlId::optFullScreen, 1.0, {24, 48, 97, 65}},
                      // inside "Controls" (2160, 120), rounded to the nearest pixel
                      PixelCase{ControlId::cmbKeys9, 1.5, {636, 252, 794, 284}},
                      PixelCase{ControlId::Frame3, 2.0, {288, 16, 1074, 402}},
                      // labels end where the list to their right begins, or keep their box
                      PixelCase{ControlId::Label4, 1.0, {168, 72, 225, 89}},
                      PixelCase{ControlId::Label5, 1.0, {168, 96, 232, 113}},
                      PixelCase{ControlId::Label11, 1.0, {360, 96, 424, 113}},
                      PixelCase{ControlId::Label3, 1.0, {152, 56, 217, 73}}));

// The factor grows with the font and the resolution, and never shrinks the drawn layout.
struct ScaleCase {
  int font_height;  // pixels
  UINT dpi;
  double at_least;
  double at_most;
};

class LayoutScaleTest : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(LayoutScaleTest, FitsTheFont) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HFONT font = CreateFontW(-GetParam().font_height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
  const HGDIOBJ previous = SelectObject(dc, font);
  const double scale = win32::LayoutScale(dc, GetParam().dpi);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  EXPECT_GE(scale, GetParam().at_least);
  EXPECT_LE(scale, GetParam().at_most);
}

INSTANTIATE_TEST_SUITE_P(Win32Layout, LayoutScaleTest,
                         ::testing::Values(ScaleCase{4, 96, 1.0, 1.0}, ScaleCase{4, 192, 2.0, 2.0},
                                           ScaleCase{11, 96, 1.0, 1.4},
                                           ScaleCase{30, 96, 2.0, 4.5}));

RECT ClientRect(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

TEST_F(WindowTest, EveryControlLiesInTheClientArea) {
  RECT client{};
  GetClientRect(window().Handle(), &client);
  const SIZE size = win32::ClientSize(window().Scale());
  EXPECT_EQ(client.right, size.cx);
  EXPECT_EQ(client.bottom, size.cy);
  for (const win32::ControlSpec& spec : win32::kControls) {
    EXPECT_TRUE(Inside(ClientRect(Control(spec.id)), client)) << static_cast<int>(spec.id);
  }
}

TEST_F(WindowTest, FramesHoldTheirControls) {
  for (const win32::ControlSpec& spec : win32::kControls) {
    if (spec.container == win32::Container::Window) {
      continue;
    }
    const ControlId frame = spec.container == win32::Container::Frame1   ? ControlId::Frame1
                            : spec.container == win32::Container::Frame2 ? ControlId::Frame2
                                                                         : ControlId::Frame3;
    EXPECT_TRUE(Inside(ClientRect(Control(spec.id)), ClientRect(Control(frame))))
        << static_cast<int>(spec.id);
  }
}

std::wstring TextOf(HWND control) {
  wchar_t text[64] = {};
  GetWindowTextW(control, text, 64);
  std::wstring shown(text);
  std::erase(shown, L'&');
  return shown;
}

// Every caption is drawn whole in its box with the window's font.
TEST_F(WindowTest, CaptionsFitTheirBoxes) {
  const HDC dc = GetDC(window().Handle());
  const HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HFONT>(SendMessageW(Control(ControlId::Label1), WM_GETFONT, 0, 0)));
  const int glyph = GetSystemMetricsForDpi(SM_CXMENUCHECK, GetDpiForWindow(window().Handle()));
  for (const win32::ControlSpec& spec : win32::kControls) {
    const std::wstring text = TextOf(Control(spec.id));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const RECT box = ClientRect(Control(spec.id));
    const bool has_glyph =
        spec.kind == ControlKind::CheckBox || spec.kind == ControlKind::OptionButton;
    EXPECT_LE(extent.cx + (has_glyph ? glyph : 0), box.right - box.left)
        << static_cast<int>(spec.id);
    EXPECT_LE(extent.cy, box.bottom - box.top) << static_cast<int>(spec.id);
  }
  SelectObject(dc, previous);
  ReleaseDC(window().Handle(), dc);
}

// Each key list shares its row with its label, to the label's right; the rows do not overlap.
struct KeyRowCase {
  KeySlot slot;
  ControlId label;
};

class KeyRowTest : public WindowTest, public ::testing::WithParamInterface<KeyRowCase> {};

TEST_P(KeyRowTest, ListSitsBesideItsLabel) {
  const RECT list = ClientRect(Control(win32::ControlOf(cmbKeys(GetParam().slot))));
  const RECT label = ClientRect(Control(GetParam().label));
  EXPECT_EQ(list.top, label.top);
  EXPECT_LE(label.right, list.left);
  EXPECT_LE(list.bottom - list.top, std::lround(360 * window().Scale() / 15))
      << "the closed list is taller than a row";
}

INSTANTIATE_TEST_SUITE_P(
    Win32Layout, KeyRowTest,
    ::testing::Values(KeyRowCase{0, ControlId::Label4}, KeyRowCase{1, ControlId::Label5},
                      KeyRowCase{2, ControlId::Label6}, KeyRowCase{3, ControlId::Label7},
                      KeyRowCase{4, ControlId::Label8}, KeyRowCase{5, ControlId::Label10},
                      KeyRowCase{6, ControlId::Label11}, KeyRowCase{7, ControlId::Label12},
                      KeyRowCase{8, ControlId::Label13}, KeyRowCase{9, ControlId::Label14}));

}  // namespace
}  // namespace krovan::testing
