#include "config/qt/window_layout.h"

namespace krovan::layout {

namespace {
constexpr Container kWindow = Container::Window;
constexpr Container kFrame1 = Container::Frame1;
constexpr Container kFrame2 = Container::Frame2;
constexpr Container kFrame3 = Container::Frame3;
}  // namespace

const std::array<Control, kOptionButtonCount> kOptionButtons = {{
    {"optFullScreen", kFrame1, "&Full Screen", {240, 240, 1095, 255}, 3},
    {"optWindowed", kFrame1, "&Windowed", {240, 480, 1215, 255}, 4},
    {"optLow", kFrame2, "L&ow", {240, 240, 1095, 255}, 10},
    {"optHigh", kFrame2, "&High", {240, 480, 1215, 255}, 9},
    {"optClassic", kFrame3, "Class&ic", {240, 360, 975, 255}, 15},
    {"optEnhanced", kFrame3, "E&nhanced", {1200, 360, 1215, 255}, 39},
    {"optCustom", kFrame3, "C&ustom", {2400, 360, 975, 255}, 38},
}};

const std::array<Control, kCheckBoxCount> kCheckBoxes = {{
    {"chkAntialiasing", kWindow, "&Antialiasing", {120, 1440, 1815, 255}, 5},
    {"chkDithering", kWindow, "&Dithering", {120, 1800, 1815, 255}, 6},
    {"chkWBuffering", kWindow, "W-&Buffering", {120, 2160, 1815, 255}, 7},
    {"chkDebug", kWindow, "D&ebug Info", {120, 3480, 1815, 255}, 11},
}};

const std::array<Control, kButtonCount> kButtons = {{
    {"cmdReset", kWindow, "&Reset High Scores", {2160, 3120, 5895, 615}, 40},
    {"cmdOK", kWindow, "O&K", {2160, 3840, 2895, 615}, 41},
    {"cmdCancel", kWindow, "Cance&l", {5160, 3840, 2895, 615}, 42},
}};

const std::array<Control, kDropDownListCount> kDropDownLists = {{
    {"cmbKeys(0)", kFrame3, "", {1320, 960, 1575, 315}, 37, "Black Tank Move Up"},
    {"cmbKeys(1)", kFrame3, "", {1320, 1320, 1575, 315}, 36, "Black Tank Move Right"},
    {"cmbKeys(2)", kFrame3, "", {1320, 1680, 1575, 315}, 35, "Black Tank Move Down"},
    {"cmbKeys(3)", kFrame3, "", {1320, 2040, 1575, 315}, 34, "Black Tank Move Left"},
    {"cmbKeys(4)", kFrame3, "", {1320, 2400, 1575, 315}, 33, "Black Tank Fire"},
    {"cmbKeys(5)", kFrame3, "", {4200, 960, 1575, 315}, 32, "White Tank Move Up"},
    {"cmbKeys(6)", kFrame3, "", {4200, 1320, 1575, 315}, 31, "White Tank Move Right"},
    {"cmbKeys(7)", kFrame3, "", {4200, 1680, 1575, 315}, 30, "White Tank Move Down"},
    {"cmbKeys(8)", kFrame3, "", {4200, 2040, 1575, 315}, 29, "White Tank Move Left"},
    {"cmbKeys(9)", kFrame3, "", {4200, 2400, 1575, 315}, 28, "White Tank Fire"},
    {"cmbDepth", kWindow, "", {1080, 120, 855, 315}, 1, "Color Depth"},
}};

const std::array<Control, kFrameCount> kFrames = {{
    {"Frame1", kWindow, "Screen Mode", {120, 480, 1815, 855}, 2},
    {"Frame2", kWindow, "Details", {120, 2520, 1815, 855}, 8},
    {"Frame3", kWindow, "Controls", {2160, 120, 5895, 2895}, 14},
}};

const std::array<Control, kLabelCount> kLabels = {{
    {"Label1", kWindow, "&Color Depth:", {120, 120, 1455, 255}, 0, {}, "cmbDepth"},
    {"Label2", kWindow, "&Sound Volume:", {120, 3840, 1815, 255}, 12, {}, "sdrSound"},
    {"Label3", kFrame3, "Black Tank:", {120, 720, 975, 255}, 16},
    {"Label4", kFrame3, "Move Up:", {360, 960, 855, 255}, 17},
    {"Label5", kFrame3, "Move Right:", {360, 1320, 1095, 255}, 18},
    {"Label6", kFrame3, "Move Down:", {360, 1680, 975, 255}, 19},
    {"Label7", kFrame3, "Move Left:", {360, 2040, 1095, 255}, 20},
    {"Label8", kFrame3, "Fire:", {360, 2400, 855, 255}, 21},
    {"Label9", kFrame3, "White Tank:", {3000, 720, 975, 255}, 22},
    {"Label10", kFrame3, "Move Up:", {3240, 960, 855, 255}, 23},
    {"Label11", kFrame3, "Move Right:", {3240, 1320, 1095, 255}, 24},
    {"Label12", kFrame3, "Move Down:", {3240, 1680, 975, 255}, 25},
    {"Label13", kFrame3, "Move Left:", {3240, 2040, 1095, 255}, 26},
    {"Label14", kFrame3, "Fire:", {3240, 2400, 855, 255}, 27},
}};

const Control kSlider = {"sdrSound", kWindow, "", {120, 4080, 1815, 255}, 13, "Sound Volume"};

const std::array<std::string_view, 3> kDepthItems = {"16-bit", "24-bit", "32-bit"};

std::vector<const Control*> ControlsOtherThanLabels() {
  std::vector<const Control*> controls;
  const auto add = [&controls](const auto& table) {
    for (const Control& control : table) {
      controls.push_back(&control);
    }
  };
  add(kFrames);
  add(kOptionButtons);
  add(kCheckBoxes);
  add(kButtons);
  add(kDropDownLists);
  controls.push_back(&kSlider);
  return controls;
}

Twips LabelRoom(const Control& label) {
  Twips room = label.rect;
  const int bottom = label.rect.top + label.rect.height;
  for (const Control* other : ControlsOtherThanLabels()) {
    const Twips& rect = other->rect;
    const bool same_line = rect.top < bottom && label.rect.top < rect.top + rect.height;
    const bool covers_text = rect.left > label.rect.left && rect.left < room.left + room.width;
    if (other->container == label.container && same_line && covers_text) {
      room.width = rect.left - label.rect.left;
    }
  }
  return room;
}

}  // namespace krovan::layout
