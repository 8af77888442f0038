#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>

#include "config/form_layout.h"
#include "config/win32/dpi.h"
#include "config/win32/layout.h"
#include "tests/dialog/window_state.h"
#include "tests/win32/window_fixture.h"

namespace krovan::testing {
namespace {

struct PixelCase {
  ControlIndex id;
  double scale;
  RECT expected;
};

class PixelRectTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PixelRectTest, ScalesTwipsFromTheContainer) {
  const RECT rect = win32::PixelRect(GetParam().id, GetParam().scale);
  EXPECT_EQ(rect.left, GetParam().expected.left);
  EXPECT_EQ(rect.top, GetParam().expected.top);
  EXPECT_EQ(rect.right, GetParam().expected.right);
  EXPECT_EQ(rect.bottom, GetParam().expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Win32Layout, PixelRectTest,
    ::testing::Values(
        PixelCase{Named("Label1"), 1.0, {8, 8, 72, 25}},
        PixelCase{Named("cmdCancel"), 1.0, {344, 256, 537, 297}},
        // inside "Screen Mode", which starts at 120, 480
        PixelCase{Named("optFullScreen"), 1.0, {24, 48, 97, 64}},
        // inside "Controls" (2160, 120), rounded to the nearest pixel
        PixelCase{Named("cmbKeys(9)"), 1.5, {636, 252, 794, 284}},
        PixelCase{Named("Frame3"), 2.0, {288, 16, 1074, 402}},
        // labels end where the control to their right or below begins, or keep their box
        PixelCase{Named("Label4"), 1.0, {168, 72, 225, 89}},
        PixelCase{Named("Label5"), 1.0, {168, 96, 232, 113}},
        PixelCase{Named("Label11"), 1.0, {360, 96, 424, 113}},
        PixelCase{Named("Label3"), 1.0, {152, 56, 217, 72}}));

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

// Puts DPI functions in place for a test's life, then user32's again.
class DpiFunctionsInUse {
 public:
  explicit DpiFunctionsInUse(const win32::DpiFunctions& functions) {
    win32::UseDpiFunctions(functions);
  }
  ~DpiFunctionsInUse() { win32::UseDpiFunctions(win32::LookUpDpiFunctions()); }
  DpiFunctionsInUse(const DpiFunctionsInUse&) = delete;
  DpiFunctionsInUse& operator=(const DpiFunctionsInUse&) = delete;
};

// The window laid out with the per-monitor DPI functions, or with what Windows 7 has instead.
enum class DpiPath { PerMonitor, SystemOnly };

win32::DpiFunctions FunctionsFor(DpiPath path) {
  return path == DpiPath::PerMonitor ? win32::LookUpDpiFunctions() : win32::DpiFunctions{};
}

class LayoutTest : public ::testing::WithParamInterface<DpiPath>,
                   public DpiFunctionsInUse,
                   public WindowTest {
 protected:
  LayoutTest() : DpiFunctionsInUse(FunctionsFor(GetParam())) {}
};

TEST_P(LayoutTest, EveryControlLiesInTheClientArea) {
  RECT client{};
  GetClientRect(window().Handle(), &client);
  const SIZE size = win32::ClientSize(window().Scale());
  EXPECT_EQ(client.right, size.cx);
  EXPECT_EQ(client.bottom, size.cy);
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    EXPECT_TRUE(Inside(ClientRect(Control(control)), client)) << form::Row(control).name;
  }
}

bool Holds(ControlIndex frame, ControlIndex control) {
  return form::Row(control).container == frame;
}

TEST_P(LayoutTest, FramesHoldTheirControls) {
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    if (const ControlIndex frame = form::Row(control).container; frame != form::kOnWindow) {
      EXPECT_TRUE(Inside(ClientRect(Control(control)), ClientRect(Control(frame))))
          << form::Row(control).name;
    }
  }
}

// Each control paints its whole box, so a box that reaches into another control hides part of it.
TEST_P(LayoutTest, NoControlCoversAnother) {
  for (ControlIndex a = 0; a < form::kControlCount; ++a) {
    for (ControlIndex b = a + 1; b < form::kControlCount; ++b) {
      const RECT first = ClientRect(Control(a));
      const RECT second = ClientRect(Control(b));
      RECT common{};
      if (!Holds(a, b) && !Holds(b, a)) {
        EXPECT_FALSE(IntersectRect(&common, &first, &second))
            << form::Row(a).name << " and " << form::Row(b).name << " share "
            << common.right - common.left << " x " << common.bottom - common.top << " px";
      }
    }
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
TEST_P(LayoutTest, CaptionsFitTheirBoxes) {
  const HDC dc = GetDC(window().Handle());
  const HGDIOBJ previous = SelectObject(
      dc, reinterpret_cast<HFONT>(SendMessageW(Control(Named("Label1")), WM_GETFONT, 0, 0)));
  const int glyph = win32::SystemMetric(SM_CXMENUCHECK, win32::WindowDpi(window().Handle()));
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const std::wstring text = TextOf(Control(control));
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const RECT box = ClientRect(Control(control));
    const form::ControlKind kind = form::Row(control).kind;
    const bool has_glyph =
        kind == form::ControlKind::kCheckBox || kind == form::ControlKind::kOptionButton;
    EXPECT_LE(extent.cx + (has_glyph ? glyph : 0), box.right - box.left) << form::Row(control).name;
    EXPECT_LE(extent.cy, box.bottom - box.top) << form::Row(control).name;
  }
  SelectObject(dc, previous);
  ReleaseDC(window().Handle(), dc);
}

// Where the per-monitor functions are missing, the window looks the same at the system DPI.
TEST_P(LayoutTest, BothPathsGiveOneLayout) {
  const DpiFunctionsInUse other(
      FunctionsFor(GetParam() == DpiPath::PerMonitor ? DpiPath::SystemOnly : DpiPath::PerMonitor));
  const Win32Window twin(GetModuleHandleW(nullptr));
  EXPECT_EQ(twin.Scale(), window().Scale());
  RECT frame{};
  RECT twin_frame{};
  GetWindowRect(window().Handle(), &frame);
  GetWindowRect(twin.Handle(), &twin_frame);
  EXPECT_TRUE(EqualRect(&frame, &twin_frame));
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const RECT rect = ClientRect(Control(control));
    const RECT twin_rect = ClientRect(twin.Control(control));
    EXPECT_TRUE(EqualRect(&rect, &twin_rect)) << form::Row(control).name;
  }
}

INSTANTIATE_TEST_SUITE_P(Win32Layout, LayoutTest,
                         ::testing::Values(DpiPath::PerMonitor, DpiPath::SystemOnly));

// Each key list shares its row with its label, to the label's right; the rows do not overlap.
struct KeyRowCase {
  KeySlot slot;
  ControlIndex label;
};

class KeyRowTest : public WindowTest, public ::testing::WithParamInterface<KeyRowCase> {};

TEST_P(KeyRowTest, ListSitsBesideItsLabel) {
  const RECT list = ClientRect(Control(form::IndexOf(cmbKeys(GetParam().slot))));
  const RECT label = ClientRect(Control(GetParam().label));
  EXPECT_EQ(list.top, label.top);
  EXPECT_LE(label.right, list.left);
  EXPECT_LE(list.bottom - list.top, std::lround(360 * window().Scale() / 15))
      << "the closed list is taller than a row";
}

INSTANTIATE_TEST_SUITE_P(
    Win32Layout, KeyRowTest,
    ::testing::Values(KeyRowCase{0, Named("Label4")}, KeyRowCase{1, Named("Label5")},
                      KeyRowCase{2, Named("Label6")}, KeyRowCase{3, Named("Label7")},
                      KeyRowCase{4, Named("Label8")}, KeyRowCase{5, Named("Label10")},
                      KeyRowCase{6, Named("Label11")}, KeyRowCase{7, Named("Label12")},
                      KeyRowCase{8, Named("Label13")}, KeyRowCase{9, Named("Label14")}));

}  // namespace
}  // namespace krovan::testing
