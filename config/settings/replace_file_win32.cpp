#include <windows.h>

#include <algorithm>
#include <string>

#include "config/settings/system_error_win32.h"
#include "config/text/utf16.h"

// windows.h names its own ReplaceFile function through a macro.
#undef ReplaceFile
#include "config/settings/replace_file.h"

namespace krovan {
namespace {

constexpr wchar_t kTemporaryPrefix[] = L"kcf";

// The path of the file that `path` finally names, following symbolic links so that a link is
// kept and the file it points to is replaced. Returns an error code, 0 on success.
DWORD ResolveLink(std::wstring& path) {
  const HANDLE file =
      CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError();
  }
  std::wstring final_path(MAX_PATH, L'\0');
  DWORD length =
      GetFinalPathNameByHandleW(file, final_path.data(), static_cast<DWORD>(final_path.size()), 0);
  if (length >= final_path.size()) {
    final_path.resize(length);  // too small: length is the size needed, terminator included
    length = GetFinalPathNameByHandleW(file, final_path.data(),
                                       static_cast<DWORD>(final_path.size()), 0);
  }
  const DWORD error = length == 0 || length >= final_path.size() ? GetLastError() : 0;
  CloseHandle(file);
  if (error == 0) {
    final_path.resize(length);
    path = std::move(final_path);
  }
  return error;
}

// Refuses, before anything is written, what must not be replaced: a directory, and a file that
// the user has made read-only. A file that does not exist yet is fine.
DWORD CheckTarget(std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? 0 : error;
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    if (const DWORD error = ResolveLink(path)) {
      return error;
    }
    attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      return GetLastError();
    }
  }
  if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  return 0;
}

std::wstring DirectoryOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) {
    return L".";
  }
  return path.substr(0, separator == 0 ? 1 : separator);
}

// Writes `contents` byte for byte (the CR LF line ends are already in them) and flushes them to
// the disk.
DWORD FillFile(const std::wstring& path, std::string_view contents) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError();
  }
  DWORD error = 0;
  while (!contents.empty() && error == 0) {
    const auto chunk = static_cast<DWORD>((std::min)(contents.size(), std::size_t{MAXDWORD}));
    DWORD written = 0;
    if (!WriteFile(file, contents.data(), chunk, &written, nullptr)) {
      error = GetLastError();
    } else if (written == 0) {
      error = ERROR_WRITE_FAULT;
    }
    contents.remove_prefix(written);
  }
  if (error == 0 && !FlushFileBuffers(file)) {
    error = GetLastError();
  }
  if (!CloseHandle(file) && error == 0) {
    error = GetLastError();
  }
  return error;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  std::wstring target = Widen(path);
  if (const DWORD error = CheckTarget(target)) {
    return SystemErrorText(error);
  }
  wchar_t temporary[MAX_PATH] = {};
  if (GetTempFileNameW(DirectoryOf(target).c_str(), kTemporaryPrefix, 0, temporary) == 0) {
    return SystemErrorText(GetLastError());
  }
  DWORD error = FillFile(temporary, contents);
  if (error == 0 &&
      !MoveFileExW(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = GetLastError();
  }
  if (error != 0) {
    DeleteFileW(temporary);
    return SystemErrorText(error);
  }
  return {};
}

}  // namespace krovan
