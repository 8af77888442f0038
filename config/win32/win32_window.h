#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "config/toolkit.h"
#include "config/win32/controls.h"

namespace krovan {

// The settings window on the plain Win32 API and the common controls: a top-level window of a
// dialog class (so the dialog manager handles Tab, Alt+letter and focus), holding the 43
// controls in their initial state. Setting a control from code runs the same routine as the
// user's change would, nested inside the call. win32_window.cpp creates and lays out the
// controls, win32_events.cpp handles messages and keys, win32_operations.cpp holds the operations.
class Win32Window final : public ToolkitOperations {
 public:
  explicit Win32Window(HINSTANCE instance);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void ShowForm() override;
  void CloseForm() override;
  void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;

  void AppendItem(DropDownList list, std::string_view text) override;
  int GetListIndex(DropDownList list) const override;
  bool SetListIndex(DropDownList list, int index) override;
  void SetEnabled(DropDownList list, bool enabled) override;

  bool IsOn(OptionButton button) const override;
  void TurnOn(OptionButton button) override;

  int GetValue(CheckBox box) const override;
  void SetValue(CheckBox box, int value) override;

  int GetValue(Slider slider) const override;
  bool SetValue(Slider slider, int value) override;

  FileRemoval RemoveFile(const std::string& path) override;

  // Runs the message loop until the window is closed; returns the program's exit code.
  int RunMessageLoop();

  // One step of the loop's keyboard handling: Alt+F4, the option buttons' arrow keys, then the
  // dialog manager (Tab, Alt+letter). True when the message was used up.
  bool TranslateDialogMessage(MSG& message);

  HWND Handle() const { return window_; }
  HWND Control(win32::ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
  // Pixels per 15 twips: the one factor the layout is scaled by.
  double Scale() const { return scale_; }

 private:
  // Control ids start above IDOK and IDCANCEL, which the dialog manager sends for Enter and
  // Escape: the window has no default and no cancel button, so those two reach no control.
  static constexpr int kFirstControlId = 100;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls(HINSTANCE instance);
  void ApplyLayout(UINT dpi);
  void CentreOnScreen();
  void OnCommand(int id, int code);
  bool CloseOnAltF4(const MSG& message);
  bool MoveAmongOptionButtons(const MSG& message);
  void TurnOn(win32::ControlId button);
  void RunRoutine(win32::ControlId control);
  void SetTabStop(win32::ControlId id, bool tab_stop);
  LRESULT Send(win32::ControlId id, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  double scale_ = 1.0;
  std::array<HWND, win32::kControlCount> controls_{};
};

}  // namespace krovan
