#include <windows.h>

#include "config/settings/file_errors_win32.h"
#include "config/settings/held_path_win32.h"
#include "config/settings/remove_file.h"
#include "config/text/utf16.h"

namespace krovan {
namespace {

// Deletes the held end through its own handle, so that the file deleted is the one the walk
// opened and judged, whatever its name leads to meanwhile.
DWORD RemoveHeld(const HeldEntry& end) {
  if ((end.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return kIsFolder;
  }
  if (end.link_by_name) {
    // Wine's handle is what the link points to; the link itself goes by its name, which nobody
    // else can change in a folder that HoldPath found closed to others.
    const std::wstring link = JoinPath(end.folder_path, end.name);
    return DeleteFileW(link.c_str()) ? 0 : GetLastError();
  }
  FILE_DISPOSITION_INFO disposition{.DeleteFile = TRUE};
  return SetFileInformationByHandle(end.entry.get(), FileDispositionInfo, &disposition,
                                    sizeof disposition)
             ? 0
             : GetLastError();
}

}  // namespace

FileRemoval RemoveRegularFile(const std::string& path) {
  using enum FileRemoval::Outcome;
  HeldEntry end;
  DWORD error = HoldPath(SystemPathCalls(), Widen(path), LastLink::kKeep, DELETE, end);
  if (error == 0) {
    error = end.exists ? RemoveHeld(end) : ERROR_FILE_NOT_FOUND;
  }
  if (error == 0) {
    return {kRemoved};
  }
  // A missing folder on the way is as good as a missing file; so is one deleted in between.
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    return {kAbsent};
  }
  return {kFailed, DescribeWindowsError(error, end.path)};
}

}  // namespace krovan
