#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "config/form_layout.h"
#include "config/toolkit.h"

namespace krovan::win32 {

using form::Container;
using form::ControlKind;
using form::Twips;

inline constexpr std::size_t kControlCount = form::kControlCount;

// The position of a row in the window's table, form::kAllControls.
constexpr int Position(const form::Control& row) {
  int i = 0;
  while (i + 1 < static_cast<int>(kControlCount) && form::kAllControls[i] != &row) {
    ++i;
  }
  return i;
}

// The window's controls, each its row's position in the window's table. The names are for the
// tests and for the few controls this window handles by name; each block starts at its kind's
// first row and follows the order of that kind's enumerators in config/toolkit.h.
enum class ControlId {
  Frame1 = Position(form::kFrames[0]),
  Frame2,
  Frame3,
  optFullScreen = Position(form::Row(OptionButton::optFullScreen)),
  optWindowed,
  optLow,
  optHigh,
  optClassic,
  optEnhanced,
  optCustom,
  chkAntialiasing = Position(form::Row(CheckBox::chkAntialiasing)),
  chkDithering,
  chkWBuffering,
  chkDebug,
  cmdReset = Position(form::Row(Button::cmdReset)),
  cmdOK,
  cmdCancel,
  cmbKeys0 = Position(form::Row(cmbKeys(0))),
  cmbKeys1,
  cmbKeys2,
  cmbKeys3,
  cmbKeys4,
  cmbKeys5,
  cmbKeys6,
  cmbKeys7,
  cmbKeys8,
  cmbKeys9,
  cmbDepth = Position(form::Row(DropDownList::cmbDepth)),
  sdrSound = Position(form::kSlider),
  Label1 = Position(form::kLabels[0]),
  Label2,
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
};
static_assert(static_cast<std::size_t>(ControlId::Label14) < kControlCount &&
                  ControlId::Frame3 < ControlId::optFullScreen &&
                  ControlId::optCustom < ControlId::chkAntialiasing &&
                  ControlId::chkDebug < ControlId::cmdReset &&
                  ControlId::cmdCancel < ControlId::cmbKeys0 &&
                  ControlId::cmbKeys9 < ControlId::cmbDepth &&
                  ControlId::cmbDepth < ControlId::sdrSound &&
                  ControlId::sdrSound < ControlId::Label1,
              "no block of ControlId names more controls than its kind has");

// The row of the window's table behind a control.
constexpr const form::Control& RowOf(ControlId id) {
  return *form::kAllControls[static_cast<std::size_t>(id)];
}

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

// The controls in creation order, which is their z-order and so the order in which Tab visits
// them: ascending tab index, except that the frames, which never take the focus, come last, so
// that they lie beneath the controls drawn inside them.
inline constexpr std::array<ControlSpec, kControlCount> kControls = [] {
  std::array<ControlId, kControlCount> order{};
  for (std::size_t i = 0; i < kControlCount; ++i) {
    order[i] = static_cast<ControlId>(i);
  }
  std::ranges::sort(order, {}, [](ControlId id) {
    return std::array{RowOf(id).kind == ControlKind::Frame ? 1 : 0, RowOf(id).tab_index};
  });
  std::array<ControlSpec, kControlCount> specs{};
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const form::Control& row = RowOf(order[i]);
    const bool paints_text = row.kind == ControlKind::Label ||
                             row.kind == ControlKind::OptionButton ||
                             row.kind == ControlKind::CheckBox;
    const Twips rect = paints_text ? Room(row) : row.rect;
    specs[i] = {order[i], row.kind, row.container, row.caption, rect};
  }
  return specs;
}();

// Where each control lies in kControls, by ControlId.
inline constexpr std::array<std::size_t, kControlCount> kCreationIndex = [] {
  std::array<std::size_t, kControlCount> index{};
  for (std::size_t i = 0; i < kControlCount; ++i) {
    index[static_cast<std::size_t>(kControls[i].id)] = i;
  }
  return index;
}();

constexpr const ControlSpec& Spec(ControlId id) {
  return kControls[kCreationIndex[static_cast<std::size_t>(id)]];
}

// The control behind a row of the window's table.
constexpr ControlId ControlOf(const form::Control& row) {
  return static_cast<ControlId>(Position(row));
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

// The option button behind a control, if it is one.
constexpr std::optional<OptionButton> OptionButtonOf(ControlId id) {
  for (std::size_t i = 0; i < form::kOptionButtons.size(); ++i) {
    if (&form::kOptionButtons[i] == &RowOf(id)) {
      return static_cast<OptionButton>(i);
    }
  }
  return std::nullopt;
}

}  // namespace krovan::win32
