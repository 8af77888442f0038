#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "config/toolkit.h"

namespace krovan::layout {

// A rectangle in twips (1/1440 inch; 15 twips are one pixel at 96 dpi), relative to the
// control's container.
struct Twips {
  int left;
  int top;
  int width;
  int height;
};

// Where a control lies: on the window's client area or inside one of the three frames.
enum class Container { Window, Frame1, Frame2, Frame3 };

inline constexpr int kFrameCount = 3;
inline constexpr int kLabelCount = 14;
inline constexpr int kOptionButtonCount = 7;
inline constexpr int kCheckBoxCount = 4;
inline constexpr int kButtonCount = 3;
inline constexpr int kDropDownListCount = kKeySlotCount + 1;

// The client area of the window.
inline constexpr int kClientWidth = 8160;
inline constexpr int kClientHeight = 4560;

inline constexpr std::string_view kWindowCaption = "Krovan 3D Configuration Utility 1.0";

// One control: its name, container, caption (with its '&' accelerator; empty for the lists
// and the slider), place and tab index. Controls without a caption carry the name screen
// readers announce for them; the two labels with an accelerator name the control they serve.
struct Control {
  std::string_view name;
  Container container;
  std::string_view caption;
  Twips rect;
  int tab_index;
  std::string_view accessible_name = {};
  std::string_view buddy = {};
};

// Indexed by the enumerators of config/toolkit.h.
extern const std::array<Control, kOptionButtonCount> kOptionButtons;
extern const std::array<Control, kCheckBoxCount> kCheckBoxes;
extern const std::array<Control, kButtonCount> kButtons;
extern const std::array<Control, kDropDownListCount> kDropDownLists;

// Frames, indexed by Container::Frame1..Frame3 minus one; never take the focus.
extern const std::array<Control, kFrameCount> kFrames;
extern const std::array<Control, kLabelCount> kLabels;

// The slider sdrSound.
extern const Control kSlider;

// The fixed items of cmbDepth.
extern const std::array<std::string_view, 3> kDepthItems;

// The option buttons that are on and the check boxes that are checked when the window is created.
inline constexpr std::array kInitiallyOn = {OptionButton::optFullScreen, OptionButton::optLow,
                                            OptionButton::optClassic};
inline constexpr std::array kInitiallyChecked = {CheckBox::chkDithering, CheckBox::chkWBuffering};

// Every control except the labels, for finding what a label's box reaches under.
std::vector<const Control*> ControlsOtherThanLabels();

// The part of a label's box that no other control covers: labels are drawn beneath the
// controls to their right, so a box that reaches under one ends, for its text, where it starts.
Twips LabelRoom(const Control& label);

inline constexpr int kSliderMinimum = 0;
inline constexpr int kSliderMaximum = 100;
inline constexpr int kSliderInitial = 75;
inline constexpr int kSliderSmallChange = 1;
inline constexpr int kSliderLargeChange = 10;
inline constexpr int kSliderTickInterval = 5;

}  // namespace krovan::layout
