#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/win32/win32_window.h"
#include "tests/dialog/recording_events.h"
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
  HWND Control(win32::ControlId id) const { return window_->Control(id); }
  const std::vector<std::string>& Log() const { return events_.log; }

  // Shows the window and gives the focus to `id`.
  void Focus(win32::ControlId id) {
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

  win32::ControlId Focused() const {
    for (std::size_t id = 0; id < win32::kControlCount; ++id) {
      if (window_->Control(static_cast<win32::ControlId>(id)) == GetFocus()) {
        return static_cast<win32::ControlId>(id);
      }
    }
    ADD_FAILURE() << "the focus is on no control";
    return win32::ControlId::Frame1;
  }

  MessageBoxWatcher watcher_;
  std::unique_ptr<Win32Window> window_;
  RecordingEvents events_;
};

}  // namespace krovan::testing
