#pragma once

#include <span>
#include <string>
#include <string_view>

#include "config/keys/scan_code.h"
#include "config/settings/remove_file.h"

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

constexpr DropDownList cmbKeys(KeySlot slot) {
  return static_cast<DropDownList>(slot);
}

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

// Every window and platform operation the routines use. Implemented by the in-memory control
// model (tests), the Qt window and the Win32 window.
class ToolkitOperations {
 public:
  virtual ~ToolkitOperations() = default;

  // The routines to run on the window's events; set once, before the window is shown.
  void Connect(FormEvents& events) { events_ = &events; }

  // Window: show it (returns at once), close it (the program ends once the running routine
  // returns), and a modal message box with one OK button that returns when dismissed.
  virtual void ShowForm() = 0;
  virtual void CloseForm() = 0;
  virtual void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;

  // Drop-down lists. Items are appended at the end and never sorted. The selected index is -1
  // (none) or 0 to count - 1; setting any other index is refused (returns false, unchanged).
  // A change of cmbDepth's index runs cmbDepth_Click.
  virtual void AppendItem(DropDownList list, std::string_view text) = 0;
  // Appends each of `texts` as AppendItem does; a toolkit that fills a list more cheaply in one
  // step than item by item does so here.
  virtual void AppendItems(DropDownList list, std::span<const std::string_view> texts) {
    for (const std::string_view text : texts) {
      AppendItem(list, text);
    }
  }
  virtual int GetListIndex(DropDownList list) const = 0;
  virtual bool SetListIndex(DropDownList list, int index) = 0;
  virtual void SetEnabled(DropDownList list, bool enabled) = 0;

  // Option buttons: turning one on turns the others of its frame off; turning on a scheme
  // button that was off runs its routine.
  virtual bool IsOn(OptionButton button) const = 0;
  virtual void TurnOn(OptionButton button) = 0;

  // Check boxes: 0 unchecked, 1 checked.
  virtual int GetValue(CheckBox box) const = 0;
  virtual void SetValue(CheckBox box, int value) = 0;

  // The slider: a value outside its range 0..100 is refused (returns false, unchanged).
  virtual int GetValue(Slider slider) const = 0;
  virtual bool SetValue(Slider slider, int value) = 0;

  // Deletes the file at `path` (UTF-8); never a directory.
  virtual FileRemoval RemoveFile(const std::string& path) = 0;

 protected:
  FormEvents* events() const { return events_; }

 private:
  FormEvents* events_ = nullptr;
};

}  // namespace krovan
