#pragma once

#include <QTimer>
#include <vector>

#include "tests/dialog/user_driver.h"

namespace krovan::testing {

// Stands in for the user in front of message boxes: while it exists, every message box that
// the program shows is recorded and dismissed with its OK button, as soon as the box's own
// event loop runs.
class MessageBoxWatcher {
 public:
  MessageBoxWatcher();

  const std::vector<ShownMessage>& Messages() const { return messages_; }

 private:
  void DismissShownBox();

  QTimer timer_;
  std::vector<ShownMessage> messages_;
};

}  // namespace krovan::testing
