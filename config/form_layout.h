#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "config/form_controls.h"
#include "config/settings/game_settings.h"

// What follows from the rows of config/form_controls.h: the row behind each name the routines
// use, every control in one list, the option button groups and the lines of krovan3d.cfg the
// controls keep.
namespace krovan::form {

// The row of each control that the routines name.
constexpr const Control& Row(OptionButton button) {
  return kOptionButtons[static_cast<std::size_t>(button)];
}
constexpr const Control& Row(CheckBox box) {
  return kCheckBoxes[static_cast<std::size_t>(box)];
}
constexpr const Control& Row(Button button) {
  return kButtons[static_cast<std::size_t>(button)];
}
constexpr const Control& Row(DropDownList list) {
  return kDropDownLists[static_cast<std::size_t>(list)];
}
constexpr const Control& Row(Slider) {
  return kSlider;
}

// Every control of the window, the labels last.
inline constexpr std::array<const Control*, kControlCount> kAllControls = [] {
  std::array<const Control*, kControlCount> all{};
  std::size_t next = 0;
  const auto add = [&all, &next](const auto& table) {
    for (const Control& control : table) {
      all[next++] = &control;
    }
  };
  add(kFrames);
  add(kOptionButtons);
  add(kCheckBoxes);
  add(kButtons);
  add(kDropDownLists);
  all[next++] = &kSlider;
  add(kLabels);
  return all;
}();

constexpr bool TabIndexesNumberEveryControlOnce() {
  std::array<int, kControlCount> uses{};
  for (const Control* control : kAllControls) {
    if (control->tab_index < 0 || control->tab_index >= kControlCount) {
      return false;
    }
    ++uses[static_cast<std::size_t>(control->tab_index)];
  }
  for (int count : uses) {
    if (count != 1) {
      return false;
    }
  }
  return true;
}
static_assert(TabIndexesNumberEveryControlOnce(), "tab indexes run from 0 with no gap or repeat");

// The part of a label's box that no other control covers: labels are drawn beneath the
// controls to their right, so a box that reaches under one ends, for its text, where it starts.
constexpr Twips LabelRoom(const Control& label) {
  Twips room = label.rect;
  const int bottom = label.rect.top + label.rect.height;
  for (const Control* other : kAllControls) {
    const Twips& rect = other->rect;
    const bool same_line = rect.top < bottom && label.rect.top < rect.top + rect.height;
    const bool covers_text = rect.left > label.rect.left && rect.left < room.left + room.width;
    if (other->kind != ControlKind::Label && other->container == label.container && same_line &&
        covers_text) {
      room.width = rect.left - label.rect.left;
    }
  }
  return room;
}

// The labels of cmbDepth's entries, in list order.
inline constexpr std::array<std::string_view, kDepthEntries.size()> kDepthItems = [] {
  std::array<std::string_view, kDepthEntries.size()> labels{};
  std::ranges::transform(kDepthEntries, labels.begin(), &DepthEntry::label);
  return labels;
}();

// The option buttons that turn each other off, those of one frame, in drawn order: top to
// bottom, then left to right. The arrow keys move between them in this order.
struct OptionGroup {
  std::array<OptionButton, kOptionButtonCount> buttons{};
  std::size_t size = 0;

  constexpr std::span<const OptionButton> Members() const { return {buttons.data(), size}; }
};

// By OptionButton; worked out once, when compiling.
inline constexpr std::array<OptionGroup, kOptionButtonCount> kOptionGroups = [] {
  std::array<OptionGroup, kOptionButtonCount> groups{};
  for (std::size_t button = 0; button < groups.size(); ++button) {
    OptionGroup& group = groups[button];
    for (std::size_t i = 0; i < kOptionButtons.size(); ++i) {
      if (kOptionButtons[i].container == kOptionButtons[button].container) {
        group.buttons[group.size++] = static_cast<OptionButton>(i);
      }
    }
    std::ranges::sort(group.buttons.begin(), group.buttons.begin() + group.size, {},
                      [](OptionButton member) {
                        const Twips& rect = Row(member).rect;
                        return std::array{rect.top, rect.left};
                      });
  }
  return groups;
}();

constexpr const OptionGroup& GroupOf(OptionButton button) {
  return kOptionGroups[static_cast<std::size_t>(button)];
}

// Lines 1 and 2, the resolution, have no control; every later line is kept by one control, or
// by the option buttons of one group, each storing its own value.
inline constexpr int kFirstControlLine = 3;

constexpr bool EveryLineHasItsControls() {
  for (int line = kFirstControlLine; line <= kSettingsValueCount; ++line) {
    int keepers = 0;
    Control first{};
    for (const Control* control : kAllControls) {
      if (control->stored.line != line) {
        continue;
      }
      const bool same_group = first.kind == ControlKind::OptionButton &&
                              control->kind == ControlKind::OptionButton &&
                              first.container == control->container;
      if (keepers > 0 && !same_group) {
        return false;
      }
      first = *control;
      ++keepers;
    }
    if (keepers == 0) {
      return false;
    }
  }
  return true;
}
static_assert(EveryLineHasItsControls(), "lines 3 to 21 each belong to one control or group");

}  // namespace krovan::form
