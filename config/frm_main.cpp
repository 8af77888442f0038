#include "config/frm_main.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

#include "config/control_schemes.h"
#include "config/form_layout.h"
#include "config/key_names.h"
#include "config/keys/key_table.h"
#include "config/settings/full_path.h"
#include "config/settings/game_settings.h"

namespace krovan {

namespace {

constexpr char kNotice[] = "Notice";
constexpr char kSaved[] = "Configuration have been saved.";
constexpr char kCancelled[] = "Changes have been cancelled.";
constexpr char kScoresReset[] = "High scores have been reset.";
constexpr char kErrorTitle[] = "Error";

// A failure as its box tells it: what could not be done, to which file, named with its folder,
// then the system's description of why, as a sentence of its own (Windows' descriptions end
// with their full stop already).
std::string FailureText(std::string_view before, const std::string& path, std::string_view after,
                        std::string_view reason) {
  std::string text =
      std::string(before) + FullPath(path) + std::string(after) + std::string(reason);
  if (!text.ends_with('.')) {
    text += '.';
  }
  return text;
}

// How each stored value reaches its control when the file is loaded (Apply, false when the
// control refuses the value) and comes back from it on OK (Collect). A stored value that names
// no particular state gives the fallback one: "16-bit", the group's fallback button,
// unchecked, the first key; OK then writes that state's own value.

// What a loaded value is applied to: the window, and the routines its changes run.
struct Target {
  FormEvents& events;
  ToolkitOperations& form;
};

// cmbDepth's entries; a depth that is none of them shows the first.
struct DepthList {
  bool Apply(const Target& to, std::int16_t value) const {
    const auto entry = std::ranges::find(form::kDepthEntries, value, &form::DepthEntry::bits);
    const int index = entry == form::kDepthEntries.end() ? 0 : entry - form::kDepthEntries.begin();
    return to.form.SetListIndex(DropDownList::cmbDepth, index);
  }
  // No selection (a load that failed before selecting "16-bit") is written as the first entry.
  std::int16_t Collect(const ToolkitOperations& form) const {
    const int index = form.GetListIndex(DropDownList::cmbDepth);
    const bool valid = index >= 0 && index < static_cast<int>(form::kDepthEntries.size());
    return form::kDepthEntries[valid ? index : 0].bits;
  }
};

// The option buttons of a group, each stored as its own value. The button with the highest
// value also stands for every value that no button stores. Turning a button with a
// routine on runs it when it was off; the routine is run again in any case, which changes
// nothing the second time.
struct Options {
  const form::OptionGroup* group;

  bool Apply(const Target& to, std::int16_t value) const {
    const auto members = group->Members();
    const auto match = std::ranges::find(members, value, ValueOf);
    const OptionButton button = match == members.end() ? Fallback() : *match;
    to.form.TurnOn(button);
    if (const form::Routine routine = form::Row(button).routine) {
      (to.events.*routine)();
    }
    return true;
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    const auto members = group->Members();
    const auto on =
        std::ranges::find_if(members, [&form](OptionButton button) { return form.IsOn(button); });
    return ValueOf(on == members.end() ? Fallback() : *on);
  }
  static std::int16_t ValueOf(OptionButton button) { return form::Row(button).stored.value; }
  OptionButton Fallback() const { return std::ranges::max(group->Members(), {}, ValueOf); }
};

// A check box, stored as 1 (checked) or 0.
struct Box {
  CheckBox box;

  bool Apply(const Target& to, std::int16_t value) const {
    to.form.SetValue(box, value == 1 ? 1 : 0);
    return true;
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return form.GetValue(box) == 1 ? 1 : 0;
  }
};

// The slider, which refuses values outside its range.
struct Volume {
  bool Apply(const Target& to, std::int16_t value) const {
    return to.form.SetValue(Slider::sdrSound, value);
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return static_cast<std::int16_t>(form.GetValue(Slider::sdrSound));
  }
};

// One key list, stored as the scan code of its selected entry.
struct Key {
  KeySlot slot;

  bool Apply(const Target& to, std::int16_t value) const {
    return to.form.SetListIndex(cmbKeys(slot), GetIndex(value));
  }
  std::int16_t Collect(const ToolkitOperations& form) const {
    return GetKeyCode(static_cast<std::int16_t>(form.GetListIndex(cmbKeys(slot))));
  }
};

using Keeper = std::variant<DepthList, Options, Box, Volume, Key>;

// The keeper of a line: the control whose row in the window's table stores it, or the group of
// option buttons whose rows do.
constexpr std::optional<Keeper> KeeperOf(int line) {
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    const form::Control& row = form::Row(control);
    if (row.stored.line != line) {
      continue;
    }
    switch (row.kind) {
      case form::ControlKind::kOptionButton:
        return Options{&form::GroupOf(form::OptionButtonAt(control))};
      case form::ControlKind::kCheckBox:
        return Box{form::CheckBoxAt(control)};
      case form::ControlKind::kSlider:
        return Volume{};
      case form::ControlKind::kDropDownList:
        return control == form::IndexOf(DropDownList::cmbDepth)
                   ? Keeper{DepthList{}}
                   : Keeper{Key{form::KeySlotAt(control)}};
      case form::ControlKind::kLabel:
      case form::ControlKind::kFrame:
      case form::ControlKind::kButton:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

// By line, from kFirstControlLine on.
constexpr std::array<Keeper, kSettingsValueCount - form::kFirstControlLine + 1> kKeepers = [] {
  std::array<Keeper, kSettingsValueCount - form::kFirstControlLine + 1> keepers{};
  for (std::size_t i = 0; i < keepers.size(); ++i) {
    keepers[i] = KeeperOf(form::kFirstControlLine + static_cast<int>(i)).value();
  }
  return keepers;
}();

const Keeper& KeeperOfLine(int line) {
  return kKeepers[static_cast<std::size_t>(line - form::kFirstControlLine)];
}

}  // namespace

frmMain::frmMain(ToolkitOperations& form, GameFiles& files,
                 std::vector<std::string> high_score_files)
    : form_(form), files_(files), high_score_files_(std::move(high_score_files)) {
  form_.Connect(*this);
}

void frmMain::Form_Load() {
  form_.ShowForm();
  // Runs cmbDepth_Click, which checks W-Buffering.
  if (!form_.SetListIndex(DropDownList::cmbDepth, 0)) {
    return;
  }
  for (KeySlot slot = 0; slot < kKeySlotCount; ++slot) {
    form_.AppendItems(cmbKeys(slot), KeyNames());
  }
  optClassic_Click();

  ReadResult read = files_.ReadSettings();
  screen_width_ = read.settings.ScreenWidth;
  screen_height_ = read.settings.ScreenHeight;
  // Values in file order; the first one that its control refuses ends the load.
  const int values_read = std::min(read.ValuesRead, kSettingsValueCount);
  for (int line = form::kFirstControlLine; line <= values_read; ++line) {
    const std::int16_t value = ValueOfLine(read.settings, line);
    const Target target{*this, form_};
    if (!std::visit([&target, value](const auto& control) { return control.Apply(target, value); },
                    KeeperOfLine(line))) {
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
  for (int line = form::kFirstControlLine; line <= kSettingsValueCount; ++line) {
    ValueOfLine(settings, line) = std::visit(
        [this](const auto& control) { return control.Collect(form_); }, KeeperOfLine(line));
  }
  if (const WriteResult written = files_.WriteSettings(settings); written.ok) {
    form_.ShowMessage(kSaved, kNotice, MessageIcon::Information);
  } else {
    form_.ShowMessage(FailureText("The configuration could not be saved to ", kSettingsFileName,
                                  ". ", written.error),
                      kErrorTitle, MessageIcon::Error);
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
    const FileRemoval removal = files_.RemoveFile(path);
    if (removal.outcome == FileRemoval::Outcome::kFailed) {
      form_.ShowMessage(
          FailureText("The high scores in ", path, " could not be reset. ", removal.error),
          kErrorTitle, MessageIcon::Error);
      return;
    }
    if (removal.outcome == FileRemoval::Outcome::kRemoved) {
      break;
    }
  }
  form_.ShowMessage(kScoresReset, kNotice, MessageIcon::Information);
}

void frmMain::optClassic_Click() {
  ApplyScheme(form_, Scheme::kClassic);
}

void frmMain::optEnhanced_Click() {
  ApplyScheme(form_, Scheme::kEnhanced);
}

void frmMain::optCustom_Click() {
  ApplyScheme(form_, Scheme::kCustom);
}

}  // namespace krovan
