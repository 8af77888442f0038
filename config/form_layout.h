#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <span>
#include <string_view>

#include "config/form_controls.h"
#include "config/settings/game_settings.h"

// What follows from the rows of config/form_controls.h: the row behind each index and name, the
// tab order, the box each control may paint, the option button groups and the lines of
// krovan3d.cfg the controls keep.
namespace krovan::form {

// The row at `control`. An index outside the table is a fault of the caller: it stops the
// program at once rather than read another row (and compilers see every read in bounds).
constexpr const Control& Row(ControlIndex control) {
  if (control < 0 || control >= kControlCount) {
    std::abort();
  }
  return kControls[static_cast<std::size_t>(control)];
}
constexpr const Control& Row(auto name) {
  return Row(IndexOf(name));
}

// The names of the rows of a block, back from their index.
constexpr OptionButton OptionButtonAt(ControlIndex control) {
  return static_cast<OptionButton>(control - kFirstOptionButton);
}
constexpr CheckBox CheckBoxAt(ControlIndex control) {
  return static_cast<CheckBox>(control - kFirstCheckBox);
}
constexpr KeySlot KeySlotAt(ControlIndex control) {
  return control - kFirstDropDownList;
}

constexpr bool EveryBlockHoldsItsKind() {
  const struct {
    ControlIndex first;
    int count;
    ControlKind kind;
  } blocks[] = {
      {kFirstFrame, kFrameCount, ControlKind::kFrame},
      {kFirstOptionButton, kOptionButtonCount, ControlKind::kOptionButton},
      {kFirstCheckBox, kCheckBoxCount, ControlKind::kCheckBox},
      {kFirstButton, kButtonCount, ControlKind::kButton},
      {kFirstDropDownList, kDropDownListCount, ControlKind::kDropDownList},
      {kFirstSlider, kSliderCount, ControlKind::kSlider},
      {kFirstLabel, kLabelCount, ControlKind::kLabel},
  };
  for (const auto& block : blocks) {
    for (ControlIndex control = block.first; control < block.first + block.count; ++control) {
      if (Row(control).kind != block.kind) {
        return false;
      }
    }
  }
  return true;
}
static_assert(EveryBlockHoldsItsKind(), "each block holds as many rows of its kind as it names");

// Every control by ascending tab index, which numbers them from 0 with no gap or repeat.
inline constexpr std::array<ControlIndex, kControlCount> kTabOrder = [] {
  std::array<ControlIndex, kControlCount> order{};
  for (ControlIndex control = 0; control < kControlCount; ++control) {
    order[static_cast<std::size_t>(control)] = control;
  }
  std::ranges::sort(order, {}, [](ControlIndex control) { return Row(control).tab_index; });
  return order;
}();

constexpr bool TabIndexesNumberEveryControlOnce() {
  for (std::size_t position = 0; position < kTabOrder.size(); ++position) {
    if (Row(kTabOrder[position]).tab_index != static_cast<int>(position)) {
      return false;
    }
  }
  return true;
}
static_assert(TabIndexesNumberEveryControlOnce(), "tab indexes run from 0 with no gap or repeat");

// A rectangle of a control in `container` from the client area's corner: a frame's controls lie
// at their place in the frame plus the frame's own.
constexpr Twips OnClientArea(Twips rect, ControlIndex container) {
  if (container != kOnWindow) {
    rect.left += Row(container).rect.left;
    rect.top += Row(container).rect.top;
  }
  return rect;
}

// The part of a control's box where its text shows: its own, cut where another control of its
// container begins to its right or below it and overlaps it. A label reaches under the list to
// its right, an option button 15 twips under the next one (at 144 dpi "E&nhanced" would hide
// the left of Custom's circle). Of the two cuts, the one that keeps more of the box. Frames hold
// other controls rather than overlap them.
constexpr Twips VisibleBox(ControlIndex control) {
  Twips room = Row(control).rect;
  for (ControlIndex index = 0; index < kControlCount; ++index) {
    const Control& other = Row(index);
    const Twips& rect = other.rect;
    const bool overlaps = rect.left < room.left + room.width &&
                          room.left < rect.left + rect.width && rect.top < room.top + room.height &&
                          room.top < rect.top + rect.height;
    const bool later = rect.left > room.left || rect.top > room.top;
    if (index == control || other.kind == ControlKind::kFrame ||
        other.container != Row(control).container || !overlaps || !later) {
      continue;
    }
    const int keeps_left = (rect.left - room.left) * room.height;
    const int keeps_top = (rect.top - room.top) * room.width;
    if (keeps_left >= keeps_top) {
      room.width = rect.left - room.left;
    } else {
      room.height = rect.top - room.top;
    }
  }
  return room;
}

// Every control's visible box, by index.
inline constexpr std::array<Twips, kControlCount> kVisibleBoxes = [] {
  std::array<Twips, kControlCount> boxes{};
  for (ControlIndex control = 0; control < kControlCount; ++control) {
    boxes[static_cast<std::size_t>(control)] = VisibleBox(control);
  }
  return boxes;
}();

// The scale factor divides what a control needs by its visible box (config/layout_scale.cpp):
// a box cut to nothing would hold no text at any factor.
constexpr bool EveryVisibleBoxHasRoom() {
  return std::ranges::all_of(kVisibleBoxes,
                             [](const Twips& box) { return box.width > 0 && box.height > 0; });
}
static_assert(EveryVisibleBoxHasRoom(), "every control's visible box has a width and a height");

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
    for (int other = 0; other < kOptionButtonCount; ++other) {
      if (Row(static_cast<OptionButton>(other)).container ==
          Row(static_cast<OptionButton>(button)).container) {
        group.buttons[group.size++] = static_cast<OptionButton>(other);
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
    for (const Control& control : kControls) {
      if (control.stored.line != line) {
        continue;
      }
      const bool same_group = first.kind == ControlKind::kOptionButton &&
                              control.kind == ControlKind::kOptionButton &&
                              first.container == control.container;
      if (keepers > 0 && !same_group) {
        return false;
      }
      first = control;
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
