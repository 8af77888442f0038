#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace krovan {

// The file-system calls whose answers decide how the Windows writer saves. The tests give their
// own to make Windows answer what Wine never does (a folder that refuses new files, each failure
// of ReplaceFileW).
struct FileSystemCalls {
  decltype(&::CreateFileW) create_file;
  decltype(&::GetTempFileNameW) get_temp_file_name;
  decltype(&::ReplaceFileW) replace_file;
  decltype(&::MoveFileExW) move_file;
};

// ReplaceFile through `calls`. An existing krovan3d.cfg with one link is replaced by a new file
// through ReplaceFileW, which gives the new file the old one's ACL, attributes and creation time;
// a missing one is created by moving the new file into place. When the folder refuses a new file,
// when ReplaceFileW may not take the old one's place, and when the file has several hard links,
// the existing file is rewritten in place instead, which keeps all of it but its contents.
std::string ReplaceFileUsing(const FileSystemCalls& calls, const std::string& path,
                             std::string_view contents);

}  // namespace krovan
