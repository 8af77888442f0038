#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/form_layout.h"
#include "config/win32/win32_window.h"
#include "tests/dialog/recording_events.h"
#include "tests/dialog/window_state.h"
#include "tests/win32/message_box_watcher.h"

namespace krovan::testing {

// A fresh window in its initial state with recording routines; the window is shown only by
// tests that need it.
class WindowTest : public ::testing::Test {
 protected:
  WindowTest()
      : window_(std::make_unique<Win32Window>(GetModuleHandleW(nullptr))), events_(*window_) {}
  ~WindowTest() override {
    window_.reset();
    PumpMessages();
  }

  Win32Window& window() { return *window_; }
  HWND Control(ControlIndex id) const { return window_->Control(id); }
  const std::vector<std::string>& Log() const { return events_.log; }

  // Shows the window and gives the focus to `id`.
  void Focus(ControlIndex id) {
    window_->ShowForm();
    SetFocus(Control(id));
    PumpMessages();
  }

  // Lets the window's keyboard handling see a key message, as its message loop would.
  void Key(UINT message, WPARAM key, LPARAM flags = 0) {
    MSG msg{GetFocus(), message, key, flags, 0, {}};
    if (!window_->TranslateDialogMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    PumpMessages();
  }

  ControlIndex Focused() const {
    for (ControlIndex control = 0; control < form::kControlCount; ++control) {
      if (window_->Control(control) == GetFocus()) {
        return control;
      }
    }
    ADD_FAILURE() << "the focus is on no control";
    return form::kNoControl;
  }

  MessageBoxWatcher watcher_;
  std::unique_ptr<Win32Window> window_;
  RecordingEvents events_;
};

}  // namespace krovan::testing
