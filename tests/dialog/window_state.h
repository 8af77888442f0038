#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <span>
#include <string_view>

#include "config/form_layout.h"
#include "config/toolkit.h"

// Everything on the window that a routine or a user can change, control by control, to tell
// that a step changed what it should and nothing else.
namespace krovan::testing {

// What one control shows: a list's selected index, 1 for an option button that is on or a
// check box that is checked, the slider's value; and whether a list can be used. Labels, frames
// and buttons show nothing that changes.
struct ControlState {
  int value = 0;
  bool enabled = true;
  bool operator==(const ControlState&) const = default;
};

// By the control's index in the window's table.
using WindowState = std::array<ControlState, form::kControlCount>;

// The control of that name, found when compiling: a name that no row has does not compile.
consteval ControlIndex Named(std::string_view name) {
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    if (form::Row(control).name == name) {
      return control;
    }
  }
  throw "no control has that name";
}

// Every name of a kind, in the order of its enumerators.
template <typename Name, int kCount>
constexpr std::array<Name, kCount> EveryName() {
  std::array<Name, kCount> names{};
  for (int i = 0; i < kCount; ++i) {
    names[static_cast<std::size_t>(i)] = static_cast<Name>(i);
  }
  return names;
}
inline constexpr auto kOptionButtons = EveryName<OptionButton, kOptionButtonCount>();
inline constexpr auto kCheckBoxes = EveryName<CheckBox, kCheckBoxCount>();
inline constexpr auto kDropDownLists = EveryName<DropDownList, kDropDownListCount>();

// What `form` shows; `screen` tells whether a list can be used (IsEnabled), which the toolkit
// operations do not ask.
WindowState StateOf(const ToolkitOperations& form, const auto& screen) {
  WindowState state{};
  for (const DropDownList list : kDropDownLists) {
    state[form::IndexOf(list)] = {form.GetListIndex(list), screen.IsEnabled(list)};
  }
  for (const OptionButton button : kOptionButtons) {
    state[form::IndexOf(button)].value = form.IsOn(button) ? 1 : 0;
  }
  for (const CheckBox box : kCheckBoxes) {
    state[form::IndexOf(box)].value = form.GetValue(box);
  }
  state[form::IndexOf(Slider::sdrSound)].value = form.GetValue(Slider::sdrSound);
  return state;
}

// Expects `actual` to be `expected` in every control but those of `free`, naming each control
// that differs.
inline void ExpectWindow(const WindowState& actual, const WindowState& expected,
                         std::string_view step, std::span<const ControlIndex> free = {}) {
  for (ControlIndex control = 0; control < form::kControlCount; ++control) {
    if (std::ranges::find(free, control) == free.end()) {
      const ControlState& is = actual[control];
      const ControlState& was = expected[control];
      EXPECT_TRUE(is == was) << step << ": " << form::Row(control).name << " shows " << is.value
                             << (is.enabled ? "" : " locked") << ", not " << was.value
                             << (was.enabled ? "" : " locked");
    }
  }
}

}  // namespace krovan::testing
