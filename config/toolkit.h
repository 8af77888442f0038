#pragma once

#include <cstdlib>
#include <span>
#include <string_view>

#include "config/keys/scan_code.h"

namespace krovan {

// The controls the routines address, by kind. Each enumerator is the control's own name.
enum class OptionButton {
  optFullScreen,
  optWindowed,
  optLow,
  optHigh,
  optClassic,
  optEnhanced,
  optCustom,
};

enum class CheckBox {
  chkAntialiasing,
  chkDithering,
  chkWBuffering,
  chkDebug,
};

enum class Slider {
  sdrSound,
};

enum class Button {
  cmdReset,
  cmdOK,
  cmdCancel,
};

// Drop-down lists: the ten key lists of the control array cmbKeys, whose value is their
// KeySlot, and the colour-depth list.
enum class DropDownList {
  cmbDepth = kKeySlotCount,
};

// The key list of `slot`. A slot outside 0 to 9 names no key list (slot 10 would be cmbDepth):
// it stops the program, as any name outside its kind does, and fails to compile in a constant.
constexpr DropDownList cmbKeys(KeySlot slot) {
  if (slot < 0 || slot >= kKeySlotCount) {
    std::abort();
  }
  return static_cast<DropDownList>(slot);
}

// How many controls of each kind the names above name.
inline constexpr int kOptionButtonCount = static_cast<int>(OptionButton::optCustom) + 1;
inline constexpr int kCheckBoxCount = static_cast<int>(CheckBox::chkDebug) + 1;
inline constexpr int kSliderCount = static_cast<int>(Slider::sdrSound) + 1;
inline constexpr int kButtonCount = static_cast<int>(Button::cmdCancel) + 1;
inline constexpr int kDropDownListCount = static_cast<int>(DropDownList::cmbDepth) + 1;

enum class MessageIcon {
  Information,
  Error,
};

// The window's event routines. The toolkit calls them when a control's state changes, from
// the user or from code; a routine started by a step of another routine runs nested inside
// that step.
class FormEvents {
 public:
  virtual void cmbDepth_Click() = 0;
  virtual void cmdOK_Click() = 0;
  virtual void cmdCancel_Click() = 0;
  virtual void cmdReset_Click() = 0;
  virtual void optClassic_Click() = 0;
  virtual void optEnhanced_Click() = 0;
  virtual void optCustom_Click() = 0;

 protected:
  ~FormEvents() = default;
};

// The position of a control in the window's table, config/form_controls.h.
using ControlIndex = int;

// Every window operation the routines use, and the promises they keep: indexes and
// values outside a control's range are refused, and a change runs its control's routine, nested
// inside the call. Both are kept here once; each toolkit (the in-memory control model used by
// the tests, the Qt window, the Win32 window) only implements the native steps below. A name
// that names no control of its kind is a fault of the caller and stops the program at once.
class ToolkitOperations {
 public:
  virtual ~ToolkitOperations() = default;

  // The routines to run on the window's events; set once, before the window is shown.
  void Connect(FormEvents& events) { events_ = &events; }

  // Window: show it (returns at once), close it (the program ends once the running routine
  // returns), and a modal message box with one OK button that returns when dismissed.
  void ShowForm();
  void CloseForm();
  void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon);

  // Drop-down lists. Items are appended at the end and never sorted. The selected index is -1
  // (none) or 0 to count - 1; setting any other index is refused (returns false, unchanged).
  // A change of cmbDepth's index runs cmbDepth_Click.
  void AppendItem(DropDownList list, std::string_view text);
  void AppendItems(DropDownList list, std::span<const std::string_view> texts);
  int GetListIndex(DropDownList list) const;
  bool SetListIndex(DropDownList list, int index);
  void SetEnabled(DropDownList list, bool enabled);

  // Option buttons: turning one on turns the others of its frame off; turning on a scheme
  // button that was off runs its routine.
  bool IsOn(OptionButton button) const;
  void TurnOn(OptionButton button);

  // Check boxes: 0 unchecked, 1 checked.
  int GetValue(CheckBox box) const;
  void SetValue(CheckBox box, int value);

  // The slider: a value outside its range 0..100 is refused (returns false, unchanged).
  int GetValue(Slider slider) const;
  bool SetValue(Slider slider, int value);

 protected:
  // For the user's changes, which reach a toolkit as its own events: runs the routine of the
  // control at `control` (nothing for a control without one), and turns an option button on as
  // TurnOn does. An index outside the table stops the program, as a name outside it does.
  void RunRoutine(ControlIndex control);
  void TurnOnAt(ControlIndex button);

  // The native steps, each on the control at its index in the window's table. They check no
  // range and run no routine; a native change from code must not run one either.
  virtual void NativeShow() = 0;
  virtual void NativeClose() = 0;
  virtual void NativeShowMessage(std::string_view text, std::string_view title,
                                 MessageIcon icon) = 0;
  virtual void NativeAppend(ControlIndex list, std::span<const std::string_view> texts) = 0;
  virtual int NativeItemCount(ControlIndex list) const = 0;
  virtual int NativeListIndex(ControlIndex list) const = 0;
  virtual void NativeSelect(ControlIndex list, int index) = 0;
  virtual void NativeEnable(ControlIndex list, bool enabled) = 0;
  virtual bool NativeIsOn(ControlIndex control) const = 0;  // an option button or a check box
  virtual void NativeSetOn(ControlIndex control, bool on) = 0;
  virtual int NativeSliderValue(ControlIndex slider) const = 0;
  virtual void NativeSetSliderValue(ControlIndex slider, int value) = 0;

 private:
  FormEvents* events_ = nullptr;
};

}  // namespace krovan
