#pragma once

#include <windows.h>

#include <utility>

namespace krovan {

// A file or folder handle that closes itself; INVALID_HANDLE_VALUE when it holds none.
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(HANDLE handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, kNone)) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    std::swap(handle_, other.handle_);
    return *this;
  }
  ~UniqueHandle() {
    if (valid()) {
      CloseHandle(handle_);
    }
  }

  bool valid() const { return handle_ != kNone; }
  // Closes the valid handle now: 0, or the error closing gave (a write that a network share had
  // deferred).
  DWORD Close() { return CloseHandle(std::exchange(handle_, kNone)) ? 0 : GetLastError(); }
  HANDLE get() const { return handle_; }

 private:
  static inline const HANDLE kNone = INVALID_HANDLE_VALUE;
  HANDLE handle_ = kNone;
};

}  // namespace krovan
