#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "config/form_layout.h"
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

inline constexpr std::size_t kControlCount = form::kControlCount;

using form::Container;
using form::ControlKind;
using form::Twips;

// The row of the window's table behind each ControlId.
inline constexpr std::array<const form::Control*, kControlCount> kRows = {
    &form::kLabels[0],
    &form::Row(DropDownList::cmbDepth),
    &form::Row(OptionButton::optFullScreen),
    &form::Row(OptionButton::optWindowed),
    &form::Row(CheckBox::chkAntialiasing),
    &form::Row(CheckBox::chkDithering),
    &form::Row(CheckBox::chkWBuffering),
    &form::Row(OptionButton::optHigh),
    &form::Row(OptionButton::optLow),
    &form::Row(CheckBox::chkDebug),
    &form::kLabels[1],
    &form::kSlider,
    &form::Row(OptionButton::optClassic),
    &form::kLabels[2],
    &form::kLabels[3],
    &form::kLabels[4],
    &form::kLabels[5],
    &form::kLabels[6],
    &form::kLabels[7],
    &form::kLabels[8],
    &form::kLabels[9],
    &form::kLabels[10],
    &form::kLabels[11],
    &form::kLabels[12],
    &form::kLabels[13],
    &form::Row(cmbKeys(9)),
    &form::Row(cmbKeys(8)),
    &form::Row(cmbKeys(7)),
    &form::Row(cmbKeys(6)),
    &form::Row(cmbKeys(5)),
    &form::Row(cmbKeys(4)),
    &form::Row(cmbKeys(3)),
    &form::Row(cmbKeys(2)),
    &form::Row(cmbKeys(1)),
    &form::Row(cmbKeys(0)),
    &form::Row(OptionButton::optCustom),
    &form::Row(OptionButton::optEnhanced),
    &form::Row(Button::cmdReset),
    &form::Row(Button::cmdOK),
    &form::Row(Button::cmdCancel),
    &form::kFrames[0],
    &form::kFrames[1],
    &form::kFrames[2],
};

// Creation order is Tab order: every control but the frames in ascending tab index, then the
// frames, likewise. So each row of the table appears once.
constexpr bool RowsInTabOrder() {
  int previous = -1;
  bool frames_reached = false;
  for (const form::Control* row : kRows) {
    const bool frame = row->kind == ControlKind::Frame;
    if (frame && !frames_reached) {
      frames_reached = true;
      previous = -1;
    }
    if (frame != frames_reached || row->tab_index <= previous) {
      return false;
    }
    previous = row->tab_index;
  }
  return true;
}
static_assert(RowsInTabOrder(), "kRows lists the controls in Tab order, frames last");

struct ControlSpec {
  ControlId id;
  ControlKind kind;
  Container container;
  std::string_view caption;  // UTF-8; '&' marks the accelerator letter
  Twips rect;
};

// The box that a label, option button or check box paints, all of it: its own, cut where a
// control to its right or below it begins. A box that reached into the next control would cover
// part of it (at 144 dpi "E&nhanced" hid the left of Custom's circle). Of the two cuts, the one
// that keeps more of the box.
constexpr Twips Room(const form::Control& control) {
  Twips room = control.rect;
  for (const form::Control* other : form::kAllControls) {
    const Twips& rect = other->rect;
    const bool overlaps = rect.left < room.left + room.width &&
                          room.left < rect.left + rect.width && rect.top < room.top + room.height &&
                          room.top < rect.top + rect.height;
    const bool later = rect.left > room.left || rect.top > room.top;
    if (other == &control || other->kind == ControlKind::Frame ||
        other->container != control.container || !overlaps || !later) {
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

// Indexed by ControlId.
inline constexpr std::array<ControlSpec, kControlCount> kControls = [] {
  std::array<ControlSpec, kControlCount> specs{};
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const form::Control& row = *kRows[i];
    const bool paints_text = row.kind == ControlKind::Label ||
                             row.kind == ControlKind::OptionButton ||
                             row.kind == ControlKind::CheckBox;
    const Twips rect = paints_text ? Room(row) : row.rect;
    specs[i] = {static_cast<ControlId>(i), row.kind, row.container, row.caption, rect};
  }
  return specs;
}();

constexpr const ControlSpec& Spec(ControlId id) {
  return kControls[static_cast<std::size_t>(id)];
}

// The option buttons of each frame in drawn order (top to bottom, left to right): turning one on
// turns the others off, and the arrow keys move between them in this order.
inline constexpr std::array<ControlId, 2> kScreenModeGroup = {ControlId::optFullScreen,
                                                              ControlId::optWindowed};
inline constexpr std::array<ControlId, 2> kDetailsGroup = {ControlId::optLow, ControlId::optHigh};
inline constexpr std::array<ControlId, 3> kSchemeGroup = {
    ControlId::optClassic, ControlId::optEnhanced, ControlId::optCustom};
inline constexpr std::array<std::span<const ControlId>, 3> kOptionGroups = {
    kScreenModeGroup, kDetailsGroup, kSchemeGroup};

// The control behind a row of the window's table.
constexpr ControlId ControlOf(const form::Control& row) {
  std::size_t i = 0;
  while (i + 1 < kControlCount && kRows[i] != &row) {
    ++i;
  }
  return static_cast<ControlId>(i);
}

// The controls behind the names that the routines use.
constexpr ControlId ControlOf(OptionButton button) {
  return ControlOf(form::Row(button));
}
constexpr ControlId ControlOf(CheckBox box) {
  return ControlOf(form::Row(box));
}
constexpr ControlId ControlOf(Button button) {
  return ControlOf(form::Row(button));
}
constexpr ControlId ControlOf(DropDownList list) {
  return ControlOf(form::Row(list));
}
constexpr ControlId ControlOf(Slider slider) {
  return ControlOf(form::Row(slider));
}

}  // namespace krovan::win32
