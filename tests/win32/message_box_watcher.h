#pragma once

#include <windows.h>

#include <vector>

#include "tests/dialog/user_driver.h"

namespace krovan::testing {

// While it lives, records every message box that this thread shows (text, title and icon) and
// dismisses it with OK, as a user would.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();
  ~MessageBoxWatcher();
  MessageBoxWatcher(const MessageBoxWatcher&) = delete;
  MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

  const std::vector<ShownMessage>& Messages() const { return messages_; }

 private:
  static LRESULT CALLBACK OnWindowEvent(int code, WPARAM wparam, LPARAM lparam);
  void Record(HWND box);

  HHOOK hook_ = nullptr;
  std::vector<ShownMessage> messages_;
};

// Handles the window messages waiting in this thread's queue. A quit request (the window was
// closed) is taken off the queue so that it cannot end a later message box; returns whether
// there was one.
bool PumpMessages();

}  // namespace krovan::testing
