#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "config/toolkit.h"

namespace krovan::win32 {

// The window's 43 controls in creation order, which is their z-order and so the order in which
// Tab visits them. Frames never take the focus, so they are created last: they then lie beneath
// the controls drawn inside them.
enum class ControlId {
  Label1,
  cmbDepth,
  optFullScreen,
  optWindowed,
  chkAntialiasing,
  chkDithering,
  chkWBuffering,
  optHigh,
  optLow,
  chkDebug,
  Label2,
  sdrSound,
  optClassic,
  Label3,
  Label4,
  Label5,
  Label6,
  Label7,
  Label8,
  Label9,
  Label10,
  Label11,
  Label12,
  Label13,
  Label14,
  cmbKeys9,
  cmbKeys8,
  cmbKeys7,
  cmbKeys6,
  cmbKeys5,
  cmbKeys4,
  cmbKeys3,
  cmbKeys2,
  cmbKeys1,
  cmbKeys0,
  optCustom,
  optEnhanced,
  cmdReset,
  cmdOK,
  cmdCancel,
  Frame1,
  Frame2,
  Frame3,
};

inline constexpr std::size_t kControlCount = 43;

enum class ControlKind { Label, Frame, Button, OptionButton, CheckBox, DropDownList, Slider };

enum class Container { Window, Frame1, Frame2, Frame3 };

// A position and size in twips (15 to a pixel at 96 dpi), relative to the container's top-left
// corner: the client area, or the outer rectangle of a frame.
struct Twips {
  int left;
  int top;
  int width;
  int height;
};

struct ControlSpec {
  ControlId id;
  ControlKind kind;
  Container container;
  std::wstring_view caption;  // '&' marks the accelerator letter
  Twips rect;
};

// The client area of the window, in twips.
inline constexpr int kClientWidth = 8160;
inline constexpr int kClientHeight = 4560;

// Indexed by ControlId. Labels that would reach under the list to their right end where the
// list begins, so their text is never covered.
inline constexpr std::array<ControlSpec, kControlCount> kControls = {{
    {ControlId::Label1,
     ControlKind::Label,
     Container::Window,
     L"&Color Depth:",
     {120, 120, 960, 255}},
    {ControlId::cmbDepth, ControlKind::DropDownList, Container::Window, L"", {1080, 120, 855, 315}},
    {ControlId::optFullScreen,
     ControlKind::OptionButton,
     Container::Frame1,
     L"&Full Screen",
     {240, 240, 1095, 255}},
    {ControlId::optWindowed,
     ControlKind::OptionButton,
     Container::Frame1,
     L"&Windowed",
     {240, 480, 1215, 255}},
    {ControlId::chkAntialiasing,
     ControlKind::CheckBox,
     Container::Window,
     L"&Antialiasing",
     {120, 1440, 1815, 255}},
    {ControlId::chkDithering,
     ControlKind::CheckBox,
     Container::Window,
     L"&Dithering",
     {120, 1800, 1815, 255}},
    {ControlId::chkWBuffering,
     ControlKind::CheckBox,
     Container::Window,
     L"W-&Buffering",
     {120, 2160, 1815, 255}},
    {ControlId::optHigh,
     ControlKind::OptionButton,
     Container::Frame2,
     L"&High",
     {240, 480, 1215, 255}},
    {ControlId::optLow,
     ControlKind::OptionButton,
     Container::Frame2,
     L"L&ow",
     {240, 240, 1095, 255}},
    {ControlId::chkDebug,
     ControlKind::CheckBox,
     Container::Window,
     L"D&ebug Info",
     {120, 3480, 1815, 255}},
    {ControlId::Label2,
     ControlKind::Label,
     Container::Window,
     L"&Sound Volume:",
     {120, 3840, 1815, 255}},
    {ControlId::sdrSound, ControlKind::Slider, Container::Window, L"", {120, 4080, 1815, 255}},
    {ControlId::optClassic,
     ControlKind::OptionButton,
     Container::Frame3,
     L"Class&ic",
     {240, 360, 975, 255}},
    {ControlId::Label3,
     ControlKind::Label,
     Container::Frame3,
     L"Black Tank:",
     {120, 720, 975, 255}},
    {ControlId::Label4, ControlKind::Label, Container::Frame3, L"Move Up:", {360, 960, 855, 255}},
    {ControlId::Label5,
     ControlKind::Label,
     Container::Frame3,
     L"Move Right:",
     {360, 1320, 960, 255}},
    {ControlId::Label6,
     ControlKind::Label,
     Container::Frame3,
     L"Move Down:",
     {360, 1680, 960, 255}},
    {ControlId::Label7,
     ControlKind::Label,
     Container::Frame3,
     L"Move Left:",
     {360, 2040, 960, 255}},
    {ControlId::Label8, ControlKind::Label, Container::Frame3, L"Fire:", {360, 2400, 855, 255}},
    {ControlId::Label9,
     ControlKind::Label,
     Container::Frame3,
     L"White Tank:",
     {3000, 720, 975, 255}},
    {ControlId::Label10, ControlKind::Label, Container::Frame3, L"Move Up:", {3240, 960, 855, 255}},
    {ControlId::Label11,
     ControlKind::Label,
     Container::Frame3,
     L"Move Right:",
     {3240, 1320, 960, 255}},
    {ControlId::Label12,
     ControlKind::Label,
     Container::Frame3,
     L"Move Down:",
     {3240, 1680, 960, 255}},
    {ControlId::Label13,
     ControlKind::Label,
     Container::Frame3,
     L"Move Left:",
     {3240, 2040, 960, 255}},
    {ControlId::Label14, ControlKind::Label, Container::Frame3, L"Fire:", {3240, 2400, 855, 255}},
    {ControlId::cmbKeys9,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {4200, 2400, 1575, 315}},
    {ControlId::cmbKeys8,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {4200, 2040, 1575, 315}},
    {ControlId::cmbKeys7,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {4200, 1680, 1575, 315}},
    {ControlId::cmbKeys6,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {4200, 1320, 1575, 315}},
    {ControlId::cmbKeys5,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {4200, 960, 1575, 315}},
    {ControlId::cmbKeys4,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {1320, 2400, 1575, 315}},
    {ControlId::cmbKeys3,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {1320, 2040, 1575, 315}},
    {ControlId::cmbKeys2,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {1320, 1680, 1575, 315}},
    {ControlId::cmbKeys1,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {1320, 1320, 1575, 315}},
    {ControlId::cmbKeys0,
     ControlKind::DropDownList,
     Container::Frame3,
     L"",
     {1320, 960, 1575, 315}},
    {ControlId::optCustom,
     ControlKind::OptionButton,
     Container::Frame3,
     L"C&ustom",
     {2400, 360, 975, 255}},
    {ControlId::optEnhanced,
     ControlKind::OptionButton,
     Container::Frame3,
     L"E&nhanced",
     {1200, 360, 1215, 255}},
    {ControlId::cmdReset,
     ControlKind::Button,
     Container::Window,
     L"&Reset High Scores",
     {2160, 3120, 5895, 615}},
    {ControlId::cmdOK, ControlKind::Button, Container::Window, L"O&K", {2160, 3840, 2895, 615}},
    {ControlId::cmdCancel,
     ControlKind::Button,
     Container::Window,
     L"Cance&l",
     {5160, 3840, 2895, 615}},
    {ControlId::Frame1,
     ControlKind::Frame,
     Container::Window,
     L"Screen Mode",
     {120, 480, 1815, 855}},
    {ControlId::Frame2, ControlKind::Frame, Container::Window, L"Details", {120, 2520, 1815, 855}},
    {ControlId::Frame3,
     ControlKind::Frame,
     Container::Window,
     L"Controls",
     {2160, 120, 5895, 2895}},
}};

constexpr bool RowsInIdOrder() {
  for (std::size_t i = 0; i < kControls.size(); ++i) {
    if (kControls[i].id != static_cast<ControlId>(i)) {
      return false;
    }
  }
  return true;
}
static_assert(RowsInIdOrder(), "kControls is indexed by ControlId");

constexpr const ControlSpec& Spec(ControlId id) {
  return kControls[static_cast<std::size_t>(id)];
}

// The fixed items of the colour-depth list, present from creation on.
inline constexpr std::array<std::wstring_view, 3> kDepthItems = {L"16-bit", L"24-bit", L"32-bit"};

// The option buttons of each frame in drawn order (top to bottom, left to right): turning one on
// turns the others off, and the arrow keys move between them in this order.
inline constexpr std::array<ControlId, 2> kScreenModeGroup = {ControlId::optFullScreen,
                                                              ControlId::optWindowed};
inline constexpr std::array<ControlId, 2> kDetailsGroup = {ControlId::optLow, ControlId::optHigh};
inline constexpr std::array<ControlId, 3> kSchemeGroup = {
    ControlId::optClassic, ControlId::optEnhanced, ControlId::optCustom};
inline constexpr std::array<std::span<const ControlId>, 3> kOptionGroups = {
    kScreenModeGroup, kDetailsGroup, kSchemeGroup};

// The volume slider's range and its settings at creation.
inline constexpr int kSliderMinimum = 0;
inline constexpr int kSliderMaximum = 100;
inline constexpr int kSliderInitialValue = 75;
inline constexpr int kSliderTickFrequency = 5;
inline constexpr int kSliderLineSize = 1;
inline constexpr int kSliderPageSize = 10;

// The option buttons and check boxes that are on when the window has been created.
inline constexpr std::array<ControlId, 5> kInitiallyOn = {
    ControlId::optFullScreen, ControlId::optLow, ControlId::optClassic, ControlId::chkDithering,
    ControlId::chkWBuffering};

// The controls behind the names that the routines use.
inline constexpr std::array<ControlId, 7> kOptionButtons = {
    ControlId::optFullScreen, ControlId::optWindowed, ControlId::optLow,    ControlId::optHigh,
    ControlId::optClassic,    ControlId::optEnhanced, ControlId::optCustom,
};
inline constexpr std::array<ControlId, 4> kCheckBoxes = {
    ControlId::chkAntialiasing, ControlId::chkDithering, ControlId::chkWBuffering,
    ControlId::chkDebug};
inline constexpr std::array<ControlId, 3> kButtons = {ControlId::cmdReset, ControlId::cmdOK,
                                                      ControlId::cmdCancel};
inline constexpr std::array<ControlId, kKeySlotCount + 1> kDropDownLists = {
    ControlId::cmbKeys0, ControlId::cmbKeys1, ControlId::cmbKeys2, ControlId::cmbKeys3,
    ControlId::cmbKeys4, ControlId::cmbKeys5, ControlId::cmbKeys6, ControlId::cmbKeys7,
    ControlId::cmbKeys8, ControlId::cmbKeys9, ControlId::cmbDepth,
};

constexpr ControlId ControlOf(OptionButton button) {
  return kOptionButtons[static_cast<std::size_t>(button)];
}
constexpr ControlId ControlOf(CheckBox box) {
  return kCheckBoxes[static_cast<std::size_t>(box)];
}
constexpr ControlId ControlOf(Button button) {
  return kButtons[static_cast<std::size_t>(button)];
}
constexpr ControlId ControlOf(DropDownList list) {
  return kDropDownLists[static_cast<std::size_t>(list)];
}
constexpr ControlId ControlOf(Slider) {
  return ControlId::sdrSound;
}

}  // namespace krovan::win32
