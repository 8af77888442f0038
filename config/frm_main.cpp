#include "config/frm_main.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <variant>

#include "config/control_schemes.h"
#include "config/keys/key_table.h"
#include "config/settings/game_settings.h"

namespace krovan {

namespace {

constexpr char kNotice[] = "Notice";
constexpr char kSaved[] = "Configuration have been saved.";
constexpr char kCancelled[] = "Changes have been cancelled.";
constexpr char kScoresReset[] = "High scores have been reset.";
constexpr char kErrorTitle[] = "Error";
constexpr char kSaveFailed[] = "The configuration could not be saved: ";
constexpr char kResetFailed[] = "The high scores could not be reset: ";

// The fields of file lines 1 to 11; lines 12 to 21 are the ten keys.
constexpr std::array kFieldByLine = {
    &GameSettings::ScreenWidth, &GameSettings::ScreenHeight,  &GameSettings::ColorDepth,
    &GameSettings::ScreenMode,  &GameSettings::Antialiasing,  &GameSettings::Dithering,
    &GameSettings::WBuffering,  &GameSettings::DetailLevel,   &GameSettings::DebugInfo,
    &GameSettings::SoundVolume, &GameSettings::ControlScheme,
};

std::int16_t& StoredValue(GameSettings& settings, int line) {
  const auto fields = static_cast<int>(kFieldByLine.size());
  return line <= fields ? settings.*kFieldByLine[line - 1] : settings.Keys[line - fields - 1];
}

// How each stored value reaches its control when the file is loaded (Apply, false when the
// control refuses the value) and comes back from it on OK (Collect). A stored value that names
// no particular state gives the fallback one: "16-bit", the second option button, unchecked,
// Custom, the first key; OK then writes that state's own value.

// cmbDepth entries 0, 1, 2; a depth that is none of them shows entry 0.
constexpr std::array<std::int16_t, 3> kDepthBits = {16, 24, 32};

struct DepthList {
  bool Apply(ToolkitOperations& form, std::int16_t value) const {
    const auto entry = std::ranges::find(kDepthBits, value);
    const int index = entry == kDepthBits.end() ? 0 : entry - kDepthBits.begin();
    return form.SetListIndex(DropDownList::cmbDepth, index);
  }
  // No selection (a load that failed before selecting "16-bit") is written as 16.
  std::int16_t Collect(const ToolkitOperations& form) const {
    const int index = form.GetListIndex(DropDownList::cmbDepth);
    return index >= 0 && index < static_cast<int>(kDepthBits.size()) ? kDepthBits[index]
                                                                     : kDepthBits[0];
  }
};

// Two option buttons of a frame, stored as 1 for the first and 2 for the second.
struct OptionPair {
  OptionButton stored_as_one;
  OptionButton otherwise;

  bool Apply(ToolkitOperations& form, std::int16_t value) const {
    form.TurnOn(value == 1 ? stored_as_one : otherwise);
    return true;
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return form.IsOn(stored_as_one) ? 1 : 2;
  }
};

// A check box, stored as 1 (checked) or 0.
struct Box {
  CheckBox box;

  bool Apply(ToolkitOperations& form, std::int16_t value) const {
    form.SetValue(box, value == 1 ? 1 : 0);
    return true;
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return form.GetValue(box) == 1 ? 1 : 0;
  }
};

// The slider, which refuses values outside its range.
struct Volume {
  bool Apply(ToolkitOperations& form, std::int16_t value) const {
    return form.SetValue(Slider::sdrSound, value);
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return static_cast<std::int16_t>(form.GetValue(Slider::sdrSound));
  }
};

struct SchemeButton {
  std::int16_t stored;
  OptionButton button;
  void (*routine)(ToolkitOperations&);
};

// The last row, Custom, also stands for every value that is neither 1 nor 2.
constexpr std::array<SchemeButton, 3> kSchemes = {{
    {1, OptionButton::optClassic, &optClassic_Click},
    {2, OptionButton::optEnhanced, &optEnhanced_Click},
    {3, OptionButton::optCustom, &optCustom_Click},
}};

struct Scheme {
  // Turning the button on runs its routine when it was off; it is run again in any case, which
  // changes nothing the second time.
  bool Apply(ToolkitOperations& form, std::int16_t value) const {
    const auto match = std::ranges::find(kSchemes, value, &SchemeButton::stored);
    const SchemeButton& scheme = match == kSchemes.end() ? kSchemes.back() : *match;
    form.TurnOn(scheme.button);
    scheme.routine(form);
    return true;
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    const auto on = std::ranges::find_if(
        kSchemes, [&form](const SchemeButton& scheme) { return form.IsOn(scheme.button); });
    return on == kSchemes.end() ? kSchemes.back().stored : on->stored;
  }
};

// One key list, stored as the scan code of its selected entry.
struct Key {
  KeySlot slot;

  bool Apply(ToolkitOperations& form, std::int16_t value) const {
    return form.SetListIndex(cmbKeys(slot), GetIndex(value));
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return GetKeyCode(static_cast<std::int16_t>(form.GetListIndex(cmbKeys(slot))));
  }
};

using Control = std::variant<DepthList, OptionPair, Box, Volume, Scheme, Key>;

// Lines 1 and 2, the resolution, have no control; these are lines 3 to 21 in file order.
constexpr int kFirstControlLine = 3;
constexpr std::array<Control, kSettingsValueCount - kFirstControlLine + 1> kControlByLine = {
    DepthList{},
    OptionPair{OptionButton::optFullScreen, OptionButton::optWindowed},
    Box{CheckBox::chkAntialiasing},
    Box{CheckBox::chkDithering},
    Box{CheckBox::chkWBuffering},
    OptionPair{OptionButton::optHigh, OptionButton::optLow},
    Box{CheckBox::chkDebug},
    Volume{},
    Scheme{},
    Key{0},
    Key{1},
    Key{2},
    Key{3},
    Key{4},
    Key{5},
    Key{6},
    Key{7},
    Key{8},
    Key{9},
};

const Control& ControlOfLine(int line) {
  return kControlByLine[line - kFirstControlLine];
}

}  // namespace

frmMain::frmMain(ToolkitOperations& form, std::vector<std::string> high_score_files)
    : form_(form), high_score_files_(std::move(high_score_files)) {
  form_.Connect(*this);
}

void frmMain::Form_Load() {
  form_.ShowForm();
  // Runs cmbDepth_Click, which checks W-Buffering.
  if (!form_.SetListIndex(DropDownList::cmbDepth, 0)) {
    return;
  }
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    for (const KeyRow& key : KeyTable) {
      form_.AppendItem(cmbKeys(slot), key.name);
    }
  }
  optClassic_Click();

  ReadResult read = ReadSettings();
  screen_width_ = read.settings.ScreenWidth;
  screen_height_ = read.settings.ScreenHeight;
  // Values in file order; the first one that its control refuses ends the load.
  const int values_read = std::min(read.ValuesRead, kSettingsValueCount);
  for (int line = kFirstControlLine; line <= values_read; ++line) {
    const std::int16_t value = StoredValue(read.settings, line);
    if (!std::visit([this, value](const auto& control) { return control.Apply(form_, value); },
                    ControlOfLine(line))) {
      return;
    }
  }
}

void frmMain::cmbDepth_Click() {
  form_.SetValue(CheckBox::chkWBuffering, form_.GetListIndex(DropDownList::cmbDepth) == 0 ? 1 : 0);
}

void frmMain::cmdOK_Click() {
  GameSettings settings;
  settings.ScreenWidth = screen_width_;
  settings.ScreenHeight = screen_height_;
  for (int line = kFirstControlLine; line <= kSettingsValueCount; ++line) {
    StoredValue(settings, line) = std::visit(
        [this](const auto& control) { return control.Collect(form_); }, ControlOfLine(line));
  }
  if (const WriteResult written = WriteSettings(settings); written.ok) {
    form_.ShowMessage(kSaved, kNotice, MessageIcon::Information);
  } else {
    form_.ShowMessage(kSaveFailed + written.error, kErrorTitle, MessageIcon::Error);
  }
  form_.CloseForm();
}

void frmMain::cmdCancel_Click() {
  form_.ShowMessage(kCancelled, kNotice, MessageIcon::Information);
  form_.CloseForm();
}

void frmMain::cmdReset_Click() {
  // The first place that holds the file is the only one deleted. No file anywhere means the
  // scores are already reset; a file that stays is reported, and the window stays open.
  for (const std::string& path : high_score_files_) {
    const FileRemoval removal = form_.RemoveFile(path);
    if (removal.outcome == FileRemoval::Outcome::kFailed) {
      form_.ShowMessage(kResetFailed + removal.error, kErrorTitle, MessageIcon::Error);
      return;
    }
    if (removal.outcome == FileRemoval::Outcome::kRemoved) {
      break;
    }
  }
  form_.ShowMessage(kScoresReset, kNotice, MessageIcon::Information);
}

void frmMain::optClassic_Click() {
  krovan::optClassic_Click(form_);
}

void frmMain::optEnhanced_Click() {
  krovan::optEnhanced_Click(form_);
}

void frmMain::optCustom_Click() {
  krovan::optCustom_Click(form_);
}

}  // namespace krovan
