#pragma once

#include <windows.h>

#include <string>

#include "config/settings/handle_win32.h"

namespace krovan {

// The calls by which HoldPath opens and judges what it walks. The tests give their own to swap
// a name between two steps, and to answer for owners and folder rights that Wine cannot show.
struct PathCalls {
  decltype(&::CreateFileW) create_file;
  decltype(&::GetFileAttributesW) get_file_attributes;
  bool (*owned_by_trusted)(HANDLE entry);   // trust_win32.h
  bool (*closed_to_others)(HANDLE folder);  // trust_win32.h
};

// The system's own calls.
const PathCalls& SystemPathCalls();

// Whether the last part of a path is followed when it is a link: to reach the file the link
// names (saving) or the link itself (deleting).
enum class LastLink { kFollow, kKeep };

// Where a path leads: the folder that holds its end, held open, and the end itself.
struct HeldEntry {
  // Held without sharing the right to delete it, so that nobody can rename or remove it, nor any
  // folder above it, while it is held: a name in it leads where it led when it was opened.
  UniqueHandle folder;
  std::wstring folder_path;  // its final path, without "\\?\"
  std::wstring name;         // the end's name in it
  std::wstring path;         // the way walked, for messages
  UniqueHandle entry;        // the end, opened with the access asked for; when `exists` only
  DWORD attributes = 0;      // the end's, from `entry`
  bool exists = false;       // false where nothing is there yet
  // The end is a link that only its name shows as one, its handle being what it points to (Wine's
  // Unix links). Only with LastLink::kKeep, and only where the rule below lets the link be.
  bool link_by_name = false;
};

// Walks the full path of `path` from its drive or share, opening each folder and the end without
// following a junction or symbolic link (name surrogates; other reparse points, such as cloud
// placeholders, are plain files here). Each opened entry must lie in the folder held before it,
// as its final path tells, or the walk stops with kChangedMeanwhile. A link is followed only
// where nobody else could have made it or put it there: it belongs to a trusted owner and the
// folder holding it is closed to others (trust_win32.h); the walk then starts again on the final
// path the link leads to. `access` is what the end is opened with (FILE_READ_ATTRIBUTES and,
// where it may be had, READ_CONTROL come with it). Returns 0, a Windows error code, or
// kUntrustedLink (file_errors_win32.h) with `end.path` naming the refused link.
DWORD HoldPath(const PathCalls& calls, const std::wstring& path, LastLink last, DWORD access,
               HeldEntry& end);

// Whether both handles are open on one file: the same volume and file index, which no rename
// changes. False where either cannot be told.
bool SameFile(HANDLE one, HANDLE other);

// `folder` and `name` joined by one backslash.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// Makes `path` a full path, as Windows resolves a relative one: ReplaceFileW puts a file of its
// own in the folder of the name it is given, and Wine's finds no folder in a bare file name.
DWORD FullPathOf(std::wstring& path);

// The final path of what `handle` is open on, in the DOS form ("C:\...", "\\server\share\...").
DWORD FinalPathOf(HANDLE handle, std::wstring& path);

}  // namespace krovan
