#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "config/keys/scheme.h"
#include "config/toolkit.h"

// The settings window's controls, one row each in one table: name, kind, container, caption,
// place, tab index, the line of krovan3d.cfg the control keeps, the routine it starts, its name
// for screen readers and the control it labels. A control's index is the position of its row.
// Everything else about the controls (creation order, groups, visible boxes, event wiring, the
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

enum class ControlKind {
  kLabel,
  kFrame,
  kButton,
  kOptionButton,
  kCheckBox,
  kDropDownList,
  kSlider
};

// The routine a control starts: a button when pressed, an option button when turned on, a list
// when its selection changes.
using Routine = void (FormEvents::*)();

// The line of krovan3d.cfg (1 to 21) that holds a control's value, 0 for none. The option buttons
// of a group share their line; each stores its own value there when it is the one on.
struct Stored {
  int line = 0;
  std::int16_t value = 0;
};

// The rows come in blocks of one kind each, in this order. Within the block of a kind that
// config/toolkit.h names, the rows follow its enumerators: a name's index is its block's first
// plus the enumerator.
inline constexpr int kFrameCount = 3;
inline constexpr int kLabelCount = 14;
inline constexpr ControlIndex kFirstFrame = 0;
inline constexpr ControlIndex kFirstOptionButton = kFirstFrame + kFrameCount;
inline constexpr ControlIndex kFirstCheckBox = kFirstOptionButton + kOptionButtonCount;
inline constexpr ControlIndex kFirstButton = kFirstCheckBox + kCheckBoxCount;
inline constexpr ControlIndex kFirstDropDownList = kFirstButton + kButtonCount;
inline constexpr ControlIndex kFirstSlider = kFirstDropDownList + kDropDownListCount;
inline constexpr ControlIndex kFirstLabel = kFirstSlider + kSliderCount;
inline constexpr int kControlCount = kFirstLabel + kLabelCount;

// Outside the table: no control.
inline constexpr ControlIndex kNoControl = -1;

// The index of a named control; kNoControl for a value that names none of its kind.
constexpr ControlIndex InBlock(ControlIndex first, int count, auto name) {
  const int offset = static_cast<int>(name);
  return offset >= 0 && offset < count ? first + offset : kNoControl;
}
constexpr ControlIndex IndexOf(OptionButton button) {
  return InBlock(kFirstOptionButton, kOptionButtonCount, button);
}
constexpr ControlIndex IndexOf(CheckBox box) {
  return InBlock(kFirstCheckBox, kCheckBoxCount, box);
}
constexpr ControlIndex IndexOf(Button button) {
  return InBlock(kFirstButton, kButtonCount, button);
}
constexpr ControlIndex IndexOf(DropDownList list) {
  return InBlock(kFirstDropDownList, kDropDownListCount, list);
}
constexpr ControlIndex IndexOf(Slider slider) {
  return InBlock(kFirstSlider, kSliderCount, slider);
}

// A control's container: the window's client area, or a frame, by its number (Frame1 to Frame3).
inline constexpr ControlIndex kOnWindow = kNoControl;
constexpr ControlIndex InFrame(int number) {
  return kFirstFrame + number - 1;
}

// The client area of the window, in twips.
inline constexpr int kClientWidth = 8160;
inline constexpr int kClientHeight = 4560;

inline constexpr std::string_view kWindowCaption = "Krovan 3D Configuration Utility 1.0";

// One control: its name, kind, container, caption (UTF-8, with its '&' accelerator; empty for
// the lists and the slider), place, tab index, file line and routine. Controls without a caption
// carry the name screen readers announce for them. A label with a buddy labels that control: the
// two with an accelerator give it the focus, and each row label of a key list tells screen
// readers which list it is (its caption alone names only the action, not the tank).
struct Control {
  std::string_view name;
  ControlKind kind;
  ControlIndex container;
  std::string_view caption;
  Twips rect;
  int tab_index;
  Stored stored = {};
  Routine routine = nullptr;
  std::string_view accessible_name = {};
  ControlIndex buddy = kNoControl;
};

// clang-format off
inline constexpr std::array<Control, kControlCount> kControls = [] {
  using enum ControlKind;
  constexpr ControlIndex kWindow = kOnWindow;
  return std::array<Control, kControlCount>{{
    // Frames never take the focus.
    {"Frame1", kFrame, kWindow, "Screen Mode", {120, 480, 1815, 855}, 2},
    {"Frame2", kFrame, kWindow, "Details", {120, 2520, 1815, 855}, 8},
    {"Frame3", kFrame, kWindow, "Controls", {2160, 120, 5895, 2895}, 14},

    {"optFullScreen", kOptionButton, InFrame(1), "&Full Screen", {240, 240, 1095, 255}, 3, {4, 1}},
    {"optWindowed", kOptionButton, InFrame(1), "&Windowed", {240, 480, 1215, 255}, 4, {4, 2}},
    {"optLow", kOptionButton, InFrame(2), "L&ow", {240, 240, 1095, 255}, 10, {8, 2}},
    {"optHigh", kOptionButton, InFrame(2), "&High", {240, 480, 1215, 255}, 9, {8, 1}},
    {"optClassic", kOptionButton, InFrame(3), "Class&ic", {240, 360, 975, 255}, 15,
     {11, StoredValue(Scheme::kClassic)}, &FormEvents::optClassic_Click},
    {"optEnhanced", kOptionButton, InFrame(3), "E&nhanced", {1200, 360, 1215, 255}, 39,
     {11, StoredValue(Scheme::kEnhanced)}, &FormEvents::optEnhanced_Click},
    {"optCustom", kOptionButton, InFrame(3), "C&ustom", {2400, 360, 975, 255}, 38,
     {11, StoredValue(Scheme::kCustom)}, &FormEvents::optCustom_Click},

    {"chkAntialiasing", kCheckBox, kWindow, "&Antialiasing", {120, 1440, 1815, 255}, 5, {5}},
    {"chkDithering", kCheckBox, kWindow, "&Dithering", {120, 1800, 1815, 255}, 6, {6}},
    {"chkWBuffering", kCheckBox, kWindow, "W-&Buffering", {120, 2160, 1815, 255}, 7, {7}},
    {"chkDebug", kCheckBox, kWindow, "D&ebug Info", {120, 3480, 1815, 255}, 11, {9}},

    {"cmdReset", kButton, kWindow, "&Reset High Scores", {2160, 3120, 5895, 615}, 40, {},
     &FormEvents::cmdReset_Click},
    {"cmdOK", kButton, kWindow, "O&K", {2160, 3840, 2895, 615}, 41, {}, &FormEvents::cmdOK_Click},
    {"cmdCancel", kButton, kWindow, "Cance&l", {5160, 3840, 2895, 615}, 42, {},
     &FormEvents::cmdCancel_Click},

    // The key lists keep lines 12 to 21, one slot a line.
    {"cmbKeys(0)", kDropDownList, InFrame(3), "", {1320, 960, 1575, 315}, 37, {12}, {},
     "Black Tank Move Up"},
    {"cmbKeys(1)", kDropDownList, InFrame(3), "", {1320, 1320, 1575, 315}, 36, {13}, {},
     "Black Tank Move Right"},
    {"cmbKeys(2)", kDropDownList, InFrame(3), "", {1320, 1680, 1575, 315}, 35, {14}, {},
     "Black Tank Move Down"},
    {"cmbKeys(3)", kDropDownList, InFrame(3), "", {1320, 2040, 1575, 315}, 34, {15}, {},
     "Black Tank Move Left"},
    {"cmbKeys(4)", kDropDownList, InFrame(3), "", {1320, 2400, 1575, 315}, 33, {16}, {},
     "Black Tank Fire"},
    {"cmbKeys(5)", kDropDownList, InFrame(3), "", {4200, 960, 1575, 315}, 32, {17}, {},
     "White Tank Move Up"},
    {"cmbKeys(6)", kDropDownList, InFrame(3), "", {4200, 1320, 1575, 315}, 31, {18}, {},
     "White Tank Move Right"},
    {"cmbKeys(7)", kDropDownList, InFrame(3), "", {4200, 1680, 1575, 315}, 30, {19}, {},
     "White Tank Move Down"},
    {"cmbKeys(8)", kDropDownList, InFrame(3), "", {4200, 2040, 1575, 315}, 29, {20}, {},
     "White Tank Move Left"},
    {"cmbKeys(9)", kDropDownList, InFrame(3), "", {4200, 2400, 1575, 315}, 28, {21}, {},
     "White Tank Fire"},
    {"cmbDepth", kDropDownList, kWindow, "", {1080, 120, 855, 315}, 1, {3},
     &FormEvents::cmbDepth_Click, "Color Depth"},

    {"sdrSound", kSlider, kWindow, "", {120, 4080, 1815, 255}, 13, {10}, {}, "Sound Volume"},

    {"Label1", kLabel, kWindow, "&Color Depth:", {120, 120, 1455, 255}, 0, {}, {}, {},
     IndexOf(DropDownList::cmbDepth)},
    {"Label2", kLabel, kWindow, "&Sound Volume:", {120, 3840, 1815, 255}, 12, {}, {}, {},
     IndexOf(Slider::sdrSound)},
    {"Label3", kLabel, InFrame(3), "Black Tank:", {120, 720, 975, 255}, 16},
    {"Label4", kLabel, InFrame(3), "Move Up:", {360, 960, 855, 255}, 17, {}, {}, {},
     IndexOf(cmbKeys(0))},
    {"Label5", kLabel, InFrame(3), "Move Right:", {360, 1320, 1095, 255}, 18, {}, {}, {},
     IndexOf(cmbKeys(1))},
    {"Label6", kLabel, InFrame(3), "Move Down:", {360, 1680, 975, 255}, 19, {}, {}, {},
     IndexOf(cmbKeys(2))},
    {"Label7", kLabel, InFrame(3), "Move Left:", {360, 2040, 1095, 255}, 20, {}, {}, {},
     IndexOf(cmbKeys(3))},
    {"Label8", kLabel, InFrame(3), "Fire:", {360, 2400, 855, 255}, 21, {}, {}, {},
     IndexOf(cmbKeys(4))},
    {"Label9", kLabel, InFrame(3), "White Tank:", {3000, 720, 975, 255}, 22},
    {"Label10", kLabel, InFrame(3), "Move Up:", {3240, 960, 855, 255}, 23, {}, {}, {},
     IndexOf(cmbKeys(5))},
    {"Label11", kLabel, InFrame(3), "Move Right:", {3240, 1320, 1095, 255}, 24, {}, {}, {},
     IndexOf(cmbKeys(6))},
    {"Label12", kLabel, InFrame(3), "Move Down:", {3240, 1680, 975, 255}, 25, {}, {}, {},
     IndexOf(cmbKeys(7))},
    {"Label13", kLabel, InFrame(3), "Move Left:", {3240, 2040, 1095, 255}, 26, {}, {}, {},
     IndexOf(cmbKeys(8))},
    {"Label14", kLabel, InFrame(3), "Fire:", {3240, 2400, 855, 255}, 27, {}, {}, {},
     IndexOf(cmbKeys(9))},
  }};
}();
// clang-format on

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
