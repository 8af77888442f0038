#include "config/settings/remove_file.h"
#include "config/settings/system_error_win32.h"

namespace krovan {

// DeleteFileW refuses a folder by itself (access denied), so no check of the type is needed.
FileRemoval RemoveRegularFile(const std::string& path) {
  using enum FileRemoval::Outcome;
  if (DeleteFileW(Widen(path).c_str())) {
    return {kRemoved};
  }
  // A missing folder on the way is as good as a missing file.
  const DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return {kAbsent};
  }
  return {kFailed, SystemErrorText(error)};
}

}  // namespace krovan
