#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace krovan {

// The file-system calls whose answers decide how the Windows writer saves. The tests give their
// own to make Windows answer what Wine never does (a folder that refuses new files, each failure
// of ReplaceFileW, a folder that others may change) and to swap a name between two steps.
struct FileSystemCalls {
  decltype(&::CreateFileW) create_file;
  decltype(&::GetFileAttributesW) get_file_attributes;
  decltype(&::ReplaceFileW) replace_file;
  decltype(&::MoveFileExW) move_file;
  bool (*closed_to_others)(HANDLE folder);  // trust_win32.h
};

// ReplaceFile through `calls`. The path is walked on held folders (held_path_win32.h), following
// only the links that nobody else could have made or put there.
//
// In a folder that nobody else may change, no name there can change under the save, and it saves
// as Windows saves a document: a new file, under a name of its own that nobody can foresee, is
// written whole and then takes the old one's place through ReplaceFileW, which gives it the old
// one's ACL, attributes and creation time; a missing file is created by moving the new one into
// place. When the folder refuses a new file, when ReplaceFileW may not take the old one's place,
// and when the file has several hard links, the file is rewritten in place instead, which keeps
// all of it but its contents. Under "Program Files" Windows virtualises each of these steps, as
// it does the game's.
//
// In a folder that others may change, where any name may lead elsewhere by the time it is used,
// no name is moved or replaced: the file the walk opened is rewritten in place, once a handle
// opened to write it is shown to be on that same file, and a missing one is created where
// nothing may be yet (CREATE_NEW) and written through its handle.
std::string ReplaceFileUsing(const FileSystemCalls& calls, const std::string& path,
                             std::string_view contents);

}  // namespace krovan
