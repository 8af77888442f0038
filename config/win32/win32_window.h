#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "config/form_controls.h"
#include "config/toolkit.h"

namespace krovan {

// The settings window on the plain Win32 API and the common controls: a top-level window of a
// dialog class (so the dialog manager handles Tab, Alt+letter and focus), holding the 43
// controls in their initial state. Setting a control from code runs the same routine as the
// user's change would, nested inside the call. win32_window.cpp creates and lays out the
// controls, win32_events.cpp handles messages and keys, win32_operations.cpp holds the native
// operations.
class Win32Window final : public ToolkitOperations {
 public:
  explicit Win32Window(HINSTANCE instance);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  // Runs the message loop until the window is closed; returns the program's exit code.
  int RunMessageLoop();

  // One step of the loop's keyboard handling: Alt+F4, the option buttons' arrow keys, then the
  // dialog manager (Tab, Alt+letter). True when the message was used up.
  bool TranslateDialogMessage(MSG& message);

  HWND Handle() const { return window_; }
  // The control at its index in the window's table.
  HWND Control(ControlIndex control) const { return controls_[control]; }
  // Pixels per 15 twips: the one factor the layout is scaled by.
  double Scale() const { return scale_; }

 private:
  // Control ids start above IDOK and IDCANCEL, which the dialog manager sends for Enter and
  // Escape: the window has no default and no cancel button, so those two reach no control.
  static constexpr int kFirstControlId = 100;

  void NativeShow() override;
  void NativeClose() override;
  void NativeShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
  void NativeAppend(ControlIndex list, std::span<const std::string_view> texts) override;
  int NativeItemCount(ControlIndex list) const override;
  int NativeListIndex(ControlIndex list) const override;
  void NativeSelect(ControlIndex list, int index) override;
  void NativeEnable(ControlIndex list, bool enabled) override;
  bool NativeIsOn(ControlIndex control) const override;
  void NativeSetOn(ControlIndex control, bool on) override;
  int NativeSliderValue(ControlIndex slider) const override;
  void NativeSetSliderValue(ControlIndex slider, int value) override;

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void CreateControls(HINSTANCE instance);
  void ApplyLayout(UINT dpi);
  void PlaceOnScreen();  // where OpeningTopLeft puts it on its monitor's work area
  void OnCommand(int id, int code);
  bool CloseOnAltF4(const MSG& message);
  bool MoveAmongOptionButtons(const MSG& message);
  void SetTabStop(ControlIndex control, bool tab_stop);
  LRESULT Send(ControlIndex control, UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const;

  HWND window_ = nullptr;
  HFONT font_ = nullptr;
  double scale_ = 1.0;
  std::array<HWND, form::kControlCount> controls_{};  // by index in the window's table
};

}  // namespace krovan
