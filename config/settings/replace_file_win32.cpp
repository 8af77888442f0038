#include "config/settings/replace_file_win32.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "config/settings/file_errors_win32.h"
#include "config/settings/held_path_win32.h"
#include "config/settings/trust_win32.h"
#include "config/text/utf16.h"

// windows.h names its own ReplaceFile function through a macro.
#undef ReplaceFile
#include "config/settings/replace_file.h"

namespace krovan {
namespace {

constexpr wchar_t kTemporaryPrefix[] = L"kcf";
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// What is at the file's name: nothing, a file that a new one may replace, or one that may only
// be rewritten in place.
enum class Existing { kNone, kReplaceable, kRewritable };

std::string ErrorText(DWORD error) {
  return error == 0 ? std::string() : DescribeWindowsError(error);
}

// Whether something has the name `path`; when that cannot be told, it counts as there.
bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES ||
         GetLastError() != ERROR_FILE_NOT_FOUND;
}

// Opens the file as ReplaceFileW opens the file it replaces (to read and to delete, sharing
// everything) to tell whether a new file may take its place. Not when the user may not delete
// it, and not when it has several hard links: it is then one file under several names, and a new
// file in its place would part this name from the others, which would keep the old settings.
// A file that others hold open without sharing is refused here, before anything is created
// (Wine's ReplaceFileW would leave a file of its own behind).
DWORD Examine(const FileSystemCalls& calls, const std::wstring& path, Existing& existing) {
  const HANDLE file = calls.create_file(path.c_str(), GENERIC_READ | DELETE, kShareAll, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED) {
      return error;
    }
    existing = Existing::kRewritable;
    return 0;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  const DWORD error = GetFileInformationByHandle(file, &information) ? 0 : GetLastError();
  CloseHandle(file);
  existing = information.nNumberOfLinks > 1 ? Existing::kRewritable : Existing::kReplaceable;
  return error;
}

// Walks to the file the name leads to, following a link only where nobody else could have made
// it or put it there (HoldPath), so that a trusted link is kept and the file it points to is
// saved. Refuses, before anything is written, what must not be replaced: a directory, and a file
// that the user has made read-only. Makes `path` that file's, and tells what is there; `end`
// holds its folder for the rest of the save.
DWORD InspectTarget(const FileSystemCalls& calls, std::wstring& path, HeldEntry& end,
                    Existing& existing) {
  const PathCalls walk{calls.create_file, &GetFileAttributesW, &OwnedByTrusted, &ClosedToOthers};
  if (const DWORD error = HoldPath(walk, path, LastLink::kFollow, 0, end)) {
    return error;
  }
  path = JoinPath(end.folder_path, end.name);
  if (!end.exists) {
    return 0;
  }
  end.entry = UniqueHandle();
  if ((end.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    return ERROR_ACCESS_DENIED;
  }
  return Examine(calls, path, existing);
}

std::wstring DirectoryOf(const std::wstring& path) {
  const std::size_t separator = path.find_last_of(L"\\/");
  if (separator == std::wstring::npos) {
    return L".";
  }
  return path.substr(0, separator == 0 ? 1 : separator);
}

// Takes the space for `length` bytes before anything is written, so that a full disk leaves the
// file as it was: a shorter file is lengthened now, a longer one is cut after the write.
DWORD Reserve(HANDLE file, std::size_t length) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    return GetLastError();
  }
  if (static_cast<ULONGLONG>(size.QuadPart) >= length) {
    return 0;
  }
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(length);
  if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !SetEndOfFile(file) ||
      !SetFilePointerEx(file, LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
    return GetLastError();
  }
  return 0;
}

// Writes `contents` byte for byte (the CR LF line ends are already in them) from the start of the
// file in one piece, cuts off whatever followed and flushes it all to the disk. Cutting comes
// after writing: the reader ignores what follows the values it needs, so a rewrite stopped in
// between still reads as the new settings.
DWORD WriteWholeFile(const FileSystemCalls& calls, const std::wstring& path, DWORD disposition,
                     DWORD share, std::string_view contents) {
  const HANDLE file = calls.create_file(path.c_str(), GENERIC_WRITE, share, nullptr, disposition,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return GetLastError();
  }
  DWORD error = Reserve(file, contents.size());
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
  if (error == 0 && !SetEndOfFile(file)) {
    error = GetLastError();
  }
  if (error == 0 && !FlushFileBuffers(file)) {
    error = GetLastError();
  }
  if (!CloseHandle(file) && error == 0) {
    error = GetLastError();
  }
  return error;
}

// The path for a file that may not be replaced by a new one: it keeps its ACL, attributes, owner,
// creation time and links, and only needs the right to write it. Readers may go on reading.
DWORD RewriteInPlace(const FileSystemCalls& calls, const std::wstring& path,
                     std::string_view contents) {
  return WriteWholeFile(calls, path, OPEN_EXISTING, FILE_SHARE_READ, contents);
}

// The answers by which Windows says that the user may not put a new file there, as opposed to a
// file in use or a failing disk.
bool IsRefusal(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

DWORD MoveIntoPlace(const FileSystemCalls& calls, const wchar_t* temporary,
                    const std::wstring& target) {
  return calls.move_file(temporary, target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : GetLastError();
}

// Puts the complete temporary file in the place of the existing `target` with ReplaceFileW, which
// gives it the old file's ACL, attributes and creation time, or else rewrites `target` in place.
DWORD Replace(const FileSystemCalls& calls, const wchar_t* temporary, const std::wstring& target,
              std::string_view contents) {
  // No backup name: Windows then removes the old file itself once the new one has its name.
  if (calls.replace_file(target.c_str(), temporary, nullptr, 0, nullptr, nullptr)) {
    return 0;
  }
  const DWORD error = GetLastError();
  if (Exists(target)) {
    // Nothing was moved: every answer but the two below leaves both files under their names.
    DeleteFileW(temporary);
    return IsRefusal(error) ? RewriteInPlace(calls, target, contents) : error;
  }
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT or _2 without a backup name: the old file has left its name
  // (deleted, or kept under a name of Windows' choosing) and the new one, complete on disk, is
  // still the temporary file. It takes the name; failing that, the name is written anew; failing
  // that too, the temporary file stays, as the only copy of the settings.
  if (MoveIntoPlace(calls, temporary, target) == 0) {
    return 0;
  }
  const DWORD error_writing = WriteWholeFile(calls, target, OPEN_ALWAYS, FILE_SHARE_READ, contents);
  if (error_writing == 0) {
    DeleteFileW(temporary);
  }
  return error_writing;
}

}  // namespace

std::string ReplaceFileUsing(const FileSystemCalls& calls, const std::string& path,
                             std::string_view contents) {
  std::wstring target = Widen(path);
  Existing existing = Existing::kNone;
  HeldEntry end;
  if (const DWORD error = InspectTarget(calls, target, end, existing)) {
    return DescribeWindowsError(error, end.path);
  }
  if (existing == Existing::kRewritable) {
    return ErrorText(RewriteInPlace(calls, target, contents));
  }
  // A folder that refuses a new file may still let the user write the file that is there.
  const auto fall_back = [&](DWORD error) {
    return existing == Existing::kReplaceable && IsRefusal(error)
               ? RewriteInPlace(calls, target, contents)
               : error;
  };
  wchar_t temporary[MAX_PATH] = {};
  if (calls.get_temp_file_name(DirectoryOf(target).c_str(), kTemporaryPrefix, 0, temporary) == 0) {
    return ErrorText(fall_back(GetLastError()));
  }
  if (const DWORD error = WriteWholeFile(calls, temporary, CREATE_ALWAYS, 0, contents)) {
    DeleteFileW(temporary);
    return ErrorText(fall_back(error));
  }
  if (existing == Existing::kReplaceable) {
    return ErrorText(Replace(calls, temporary, target, contents));
  }
  const DWORD error = MoveIntoPlace(calls, temporary, target);
  if (error != 0) {
    DeleteFileW(temporary);
  }
  return ErrorText(error);
}

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  const FileSystemCalls windows{&CreateFileW, &GetTempFileNameW, &ReplaceFileW, &MoveFileExW};
  return ReplaceFileUsing(windows, path, contents);
}

}  // namespace krovan
