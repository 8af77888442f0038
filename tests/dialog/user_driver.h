#pragma once

#include <string>
#include <vector>

#include "config/toolkit.h"

namespace krovan::testing {

struct ShownMessage {
  std::string text;
  std::string title;
  MessageIcon icon;
  bool operator==(const ShownMessage&) const = default;
};

// Drives one window as a user does. Implemented by the control model driver (tests/dialog) and the
// Qt window driver (tests/qt), so the same scenarios run against both.
class UserDriver {
 public:
  virtual ~UserDriver() = default;
  // Creates frmMain in its design-time state, with the places of the high-score file for Reset
  // High Scores, and runs Form_Load. The current directory is the one that holds krovan3d.cfg.
  virtual void Start(const std::vector<std::string>& high_score_files) = 0;
  // What a user does. A locked (disabled) key list ignores PickKey, as the real window does.
  virtual void ChooseDepth(int index) = 0;
  virtual void Click(CheckBox box) = 0;         // toggles it
  virtual void Click(OptionButton button) = 0;  // turns it on
  virtual void PickKey(KeySlot slot, int index) = 0;
  virtual void MoveSlider(int value) = 0;
  // Message boxes shown meanwhile are recorded and dismissed with OK.
  virtual void Press(Button button) = 0;
  virtual void CloseBox() = 0;  // the window manager's close command
  // What the user sees.
  virtual const ToolkitOperations& form() const = 0;
  virtual bool IsEnabled(DropDownList list) const = 0;
  virtual int ItemCount(DropDownList list) const = 0;
  virtual std::string ItemText(DropDownList list, int index) const = 0;
  virtual bool IsVisible() const = 0;                      // shown and not closed
  virtual std::vector<ShownMessage> Messages() const = 0;  // every message box so far, in order
};

}  // namespace krovan::testing
