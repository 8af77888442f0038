#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/toolkit.h"

// The settings window's controls, one row each: name, container, caption, place, tab index, the
// line of krovan3d.cfg the control keeps, the routine it starts, its name for screen readers and
// the control it labels. Everything else about them (creation order, groups, event wiring, the
// load and save of the file) is derived from these rows; config/form_layout.h holds the
// derivations.
namespace krovan::form {

// A rectangle in twips (1/1440 inch; 15 twips are one pixel at 96 dpi), relative to the
// control's container: the client area, or the outer rectangle of a frame.
struct Twips {
  int left;
  int top;
  int width;
  int height;
};

// Where a control lies: on the window's client area or inside one of the three frames.
enum class Container { Window, Frame1, Frame2, Frame3 };

enum class ControlKind { Label, Frame, Button, OptionButton, CheckBox, DropDownList, Slider };

// The routine a control starts: a button when pressed, an option button when turned on, a list
// when its selection changes.
using Routine = void (FormEvents::*)();

// The line of krovan3d.cfg (1 to 21) that holds a control's value, 0 for none. The option buttons
// of a group share their line; each stores its own value there when it is the one on.
struct Stored {
  int line = 0;
  std::int16_t value = 0;
};

inline constexpr int kFrameCount = 3;
inline constexpr int kLabelCount = 14;
inline constexpr int kOptionButtonCount = 7;
inline constexpr int kCheckBoxCount = 4;
inline constexpr int kButtonCount = 3;
inline constexpr int kDropDownListCount = kKeySlotCount + 1;
inline constexpr int kControlCount = kFrameCount + kLabelCount + kOptionButtonCount +
                                     kCheckBoxCount + kButtonCount + kDropDownListCount + 1;

// The client area of the window, in twips.
inline constexpr int kClientWidth = 8160;
inline constexpr int kClientHeight = 4560;

inline constexpr std::string_view kWindowCaption = "Krovan 3D Configuration Utility 1.0";

// One control: its name, container, caption (UTF-8, with its '&' accelerator; empty for the
// lists and the slider), place, tab index, file line, routine and kind. Controls without a
// caption carry the name screen readers announce for them. A label with a buddy labels that
// control: the two with an accelerator give it the focus, and each row label of a key list tells
// screen readers which list it is (its caption alone names only the action, not the tank).
struct Control {
  std::string_view name;
  Container container;
  std::string_view caption;
  Twips rect;
  int tab_index;
  Stored stored = {};
  Routine routine = nullptr;
  std::string_view accessible_name = {};
  std::string_view buddy = {};
  ControlKind kind = ControlKind::Label;
};

inline constexpr Container kWindow = Container::Window;
inline constexpr Container kFrame1 = Container::Frame1;
inline constexpr Container kFrame2 = Container::Frame2;
inline constexpr Container kFrame3 = Container::Frame3;

// The rows of one kind of control.
template <int kCount>
constexpr std::array<Control, kCount> OfKind(ControlKind kind, std::array<Control, kCount> rows) {
  for (Control& row : rows) {
    row.kind = kind;
  }
  return rows;
}

// Indexed by the enumerators of config/toolkit.h.
// clang-format off
inline constexpr auto kOptionButtons = OfKind<kOptionButtonCount>(
    ControlKind::OptionButton,
    {{
        {"optFullScreen", kFrame1, "&Full Screen", {240, 240, 1095, 255}, 3, {4, 1}},
        {"optWindowed", kFrame1, "&Windowed", {240, 480, 1215, 255}, 4, {4, 2}},
        {"optLow", kFrame2, "L&ow", {240, 240, 1095, 255}, 10, {8, 2}},
        {"optHigh", kFrame2, "&High", {240, 480, 1215, 255}, 9, {8, 1}},
        {"optClassic", kFrame3, "Class&ic", {240, 360, 975, 255}, 15, {11, 1},
         &FormEvents::optClassic_Click},
        {"optEnhanced", kFrame3, "E&nhanced", {1200, 360, 1215, 255}, 39, {11, 2},
         &FormEvents::optEnhanced_Click},
        {"optCustom", kFrame3, "C&ustom", {2400, 360, 975, 255}, 38, {11, 3},
         &FormEvents::optCustom_Click},
    }});

inline constexpr auto kCheckBoxes = OfKind<kCheckBoxCount>(
    ControlKind::CheckBox,
    {{
        {"chkAntialiasing", kWindow, "&Antialiasing", {120, 1440, 1815, 255}, 5, {5}},
        {"chkDithering", kWindow, "&Dithering", {120, 1800, 1815, 255}, 6, {6}},
        {"chkWBuffering", kWindow, "W-&Buffering", {120, 2160, 1815, 255}, 7, {7}},
        {"chkDebug", kWindow, "D&ebug Info", {120, 3480, 1815, 255}, 11, {9}},
    }});

inline constexpr auto kButtons = OfKind<kButtonCount>(
    ControlKind::Button,
    {{
        {"cmdReset", kWindow, "&Reset High Scores", {2160, 3120, 5895, 615}, 40, {},
         &FormEvents::cmdReset_Click},
        {"cmdOK", kWindow, "O&K", {2160, 3840, 2895, 615}, 41, {}, &FormEvents::cmdOK_Click},
        {"cmdCancel", kWindow, "Cance&l", {5160, 3840, 2895, 615}, 42, {},
         &FormEvents::cmdCancel_Click},
    }});

// The key lists keep lines 12 to 21, one slot a line.
inline constexpr auto kDropDownLists = OfKind<kDropDownListCount>(
    ControlKind::DropDownList,
    {{
        {"cmbKeys(0)", kFrame3, "", {1320, 960, 1575, 315}, 37, {12}, {}, "Black Tank Move Up"},
        {"cmbKeys(1)", kFrame3, "", {1320, 1320, 1575, 315}, 36, {13}, {}, "Black Tank Move Right"},
        {"cmbKeys(2)", kFrame3, "", {1320, 1680, 1575, 315}, 35, {14}, {}, "Black Tank Move Down"},
        {"cmbKeys(3)", kFrame3, "", {1320, 2040, 1575, 315}, 34, {15}, {}, "Black Tank Move Left"},
        {"cmbKeys(4)", kFrame3, "", {1320, 2400, 1575, 315}, 33, {16}, {}, "Black Tank Fire"},
        {"cmbKeys(5)", kFrame3, "", {4200, 960, 1575, 315}, 32, {17}, {}, "White Tank Move Up"},
        {"cmbKeys(6)", kFrame3, "", {4200, 1320, 1575, 315}, 31, {18}, {}, "White Tank Move Right"},
        {"cmbKeys(7)", kFrame3, "", {4200, 1680, 1575, 315}, 30, {19}, {}, "White Tank Move Down"},
        {"cmbKeys(8)", kFrame3, "", {4200, 2040, 1575, 315}, 29, {20}, {}, "White Tank Move Left"},
        {"cmbKeys(9)", kFrame3, "", {4200, 2400, 1575, 315}, 28, {21}, {}, "White Tank Fire"},
        {"cmbDepth", kWindow, "", {1080, 120, 855, 315}, 1, {3}, &FormEvents::cmbDepth_Click,
         "Color Depth"},
    }});
// clang-format on

// Indexed by Container::Frame1..Frame3 minus one; frames never take the focus.
inline constexpr auto kFrames = OfKind<kFrameCount>(
    ControlKind::Frame, {{
                            {"Frame1", kWindow, "Screen Mode", {120, 480, 1815, 855}, 2},
                            {"Frame2", kWindow, "Details", {120, 2520, 1815, 855}, 8},
                            {"Frame3", kWindow, "Controls", {2160, 120, 5895, 2895}, 14},
                        }});

// Label1..Label14.
// clang-format off
inline constexpr auto kLabels = OfKind<kLabelCount>(
    ControlKind::Label,
    {{
        {"Label1", kWindow, "&Color Depth:", {120, 120, 1455, 255}, 0, {}, {}, {}, "cmbDepth"},
        {"Label2", kWindow, "&Sound Volume:", {120, 3840, 1815, 255}, 12, {}, {}, {}, "sdrSound"},
        {"Label3", kFrame3, "Black Tank:", {120, 720, 975, 255}, 16},
        {"Label4", kFrame3, "Move Up:", {360, 960, 855, 255}, 17, {}, {}, {}, "cmbKeys(0)"},
        {"Label5", kFrame3, "Move Right:", {360, 1320, 1095, 255}, 18, {}, {}, {}, "cmbKeys(1)"},
        {"Label6", kFrame3, "Move Down:", {360, 1680, 975, 255}, 19, {}, {}, {}, "cmbKeys(2)"},
        {"Label7", kFrame3, "Move Left:", {360, 2040, 1095, 255}, 20, {}, {}, {}, "cmbKeys(3)"},
        {"Label8", kFrame3, "Fire:", {360, 2400, 855, 255}, 21, {}, {}, {}, "cmbKeys(4)"},
        {"Label9", kFrame3, "White Tank:", {3000, 720, 975, 255}, 22},
        {"Label10", kFrame3, "Move Up:", {3240, 960, 855, 255}, 23, {}, {}, {}, "cmbKeys(5)"},
        {"Label11", kFrame3, "Move Right:", {3240, 1320, 1095, 255}, 24, {}, {}, {}, "cmbKeys(6)"},
        {"Label12", kFrame3, "Move Down:", {3240, 1680, 975, 255}, 25, {}, {}, {}, "cmbKeys(7)"},
        {"Label13", kFrame3, "Move Left:", {3240, 2040, 1095, 255}, 26, {}, {}, {}, "cmbKeys(8)"},
        {"Label14", kFrame3, "Fire:", {3240, 2400, 855, 255}, 27, {}, {}, {}, "cmbKeys(9)"},
    }});
// clang-format on

// The volume slider sdrSound.
inline constexpr Control kSlider = {
    "sdrSound", kWindow,        "", {120, 4080, 1815, 255}, 13, {10},
    {},         "Sound Volume", {}, ControlKind::Slider};

// The entries of cmbDepth, present from creation on, and the colour depth each stores.
struct DepthEntry {
  std::string_view label;
  std::int16_t bits;
};
inline constexpr std::array<DepthEntry, 3> kDepthEntries = {{
    {"16-bit", 16},
    {"24-bit", 24},
    {"32-bit", 32},
}};

// The option buttons that are on and the check boxes that are checked when the window is created.
inline constexpr std::array kInitiallyOn = {OptionButton::optFullScreen, OptionButton::optLow,
                                            OptionButton::optClassic};
inline constexpr std::array kInitiallyChecked = {CheckBox::chkDithering, CheckBox::chkWBuffering};

// The volume slider's range, its value at creation, the steps of an arrow key and of Page Up or
// Page Down, and the distance between its ticks.
inline constexpr int kSliderMinimum = 0;
inline constexpr int kSliderMaximum = 100;
inline constexpr int kSliderInitial = 75;
inline constexpr int kSliderSmallChange = 1;
inline constexpr int kSliderLargeChange = 10;
inline constexpr int kSliderTickInterval = 5;

}  // namespace krovan::form
