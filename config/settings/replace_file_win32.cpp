#include "config/settings/replace_file_win32.h"

#include <windows.h>
// After windows.h: RtlGenRandom.
#include <ntsecapi.h>

#include <algorithm>
#include <string>
#include <utility>

#include "config/settings/file_errors_win32.h"
#include "config/settings/held_path_win32.h"
#include "config/settings/trust_win32.h"
#include "config/text/utf16.h"

// windows.h names its own ReplaceFile function through a macro.
#undef ReplaceFile
#include "config/settings/replace_file.h"

namespace krovan {
namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Tries for a new file's name before giving up: each is one of 2^32, so a name taken by chance
// comes up once in billions of saves; only a folder crowded on purpose takes them all.
constexpr int kNameTries = 16;

// What is at the file's name: nothing, a file that a new one may replace, or one that may only
// be rewritten in place.
enum class Existing { kNone, kReplaceable, kRewritable };

// Whether something has the name `path`, as far as the system can tell.
enum class Presence { kAbsent, kPresent, kUnknown };

Presence PresenceOf(const FileSystemCalls& calls, const std::wstring& path) {
  if (calls.get_file_attributes(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return Presence::kPresent;
  }
  return GetLastError() == ERROR_FILE_NOT_FOUND ? Presence::kAbsent : Presence::kUnknown;
}

// Opens the file as ReplaceFileW opens the file it replaces (to read and to delete, sharing
// everything) to tell whether a new file may take its place. Not when the user may not delete
// it, and not when it has several hard links: it is then one file under several names, and a new
// file in its place would part this name from the others, which would keep the old settings.
// A file that others hold open without sharing is refused here, before anything is created
// (Wine's ReplaceFileW would leave a file of its own behind).
DWORD Examine(const FileSystemCalls& calls, const std::wstring& path, Existing& existing) {
  const UniqueHandle file(calls.create_file(path.c_str(), GENERIC_READ | DELETE, kShareAll, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
  if (!file.valid()) {
    const DWORD error = GetLastError();
    if (error != ERROR_ACCESS_DENIED) {
      return error;
    }
    existing = Existing::kRewritable;
    return 0;
  }
  BY_HANDLE_FILE_INFORMATION information{};
  const DWORD error = GetFileInformationByHandle(file.get(), &information) ? 0 : GetLastError();
  existing = information.nNumberOfLinks > 1 ? Existing::kRewritable : Existing::kReplaceable;
  return error;
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

// Writes `contents` byte for byte (the CR LF line ends are already in them) from the start of
// `file` in one piece, cuts off whatever followed and flushes it all to the disk. Cutting comes
// after writing: the reader ignores what follows the values it needs, so a rewrite stopped in
// between still reads as the new settings.
DWORD WriteAll(HANDLE file, std::string_view contents) {
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
  return error;
}

// WriteAll to what `file` opened, then closes it: the first error of either.
DWORD WriteAndClose(UniqueHandle file, std::string_view contents) {
  if (!file.valid()) {
    return GetLastError();
  }
  const DWORD error = WriteAll(file.get(), contents);
  const DWORD error_closing = file.Close();
  return error != 0 ? error : error_closing;
}

// Opens the file by its name with `disposition` and writes it whole. Readers may go on reading.
DWORD WriteNamed(const FileSystemCalls& calls, const std::wstring& path, DWORD disposition,
                 std::string_view contents) {
  return WriteAndClose(
      UniqueHandle(calls.create_file(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr)),
      contents);
}

// The path for a file that may not be replaced by a new one: it keeps its ACL, attributes, owner,
// creation time and links, and only needs the right to write it.
DWORD RewriteInPlace(const FileSystemCalls& calls, const std::wstring& path,
                     std::string_view contents) {
  return WriteNamed(calls, path, OPEN_EXISTING, contents);
}

// Creates a new file in `folder` under a name nobody can foresee ("kcf" and eight random hex
// digits), never one that is there already, and holds it open to be written.
DWORD CreateNewFile(const FileSystemCalls& calls, const std::wstring& folder, UniqueHandle& file,
                    std::wstring& path) {
  for (int attempt = 0; attempt < kNameTries; ++attempt) {
    ULONG random = 0;
    if (!RtlGenRandom(&random, sizeof random)) {
      return ERROR_GEN_FAILURE;
    }
    std::wstring name = L"kcf";
    for (int shift = 28; shift >= 0; shift -= 4) {
      name += L"0123456789abcdef"[(random >> shift) & 0xF];
    }
    path = JoinPath(folder, name + L".tmp");
    file = UniqueHandle(calls.create_file(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                          nullptr));
    if (file.valid()) {
      return 0;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS) {
      return error;
    }
  }
  return ERROR_FILE_EXISTS;
}

// The answers by which Windows says that the user may not put a new file there, as opposed to a
// file in use or a failing disk.
bool IsRefusal(DWORD error) {
  return error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

DWORD MoveIntoPlace(const FileSystemCalls& calls, const std::wstring& temporary,
                    const std::wstring& target) {
  return calls.move_file(temporary.c_str(), target.c_str(),
                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)
             ? 0
             : GetLastError();
}

// Puts the complete temporary file in the place of the existing `target` with ReplaceFileW, which
// gives it the old file's ACL, attributes and creation time, or else rewrites `target` in place.
DWORD Replace(const FileSystemCalls& calls, const std::wstring& temporary,
              const std::wstring& target, std::string_view contents) {
  // No backup name: Windows then removes the old file itself once the new one has its name.
  if (calls.replace_file(target.c_str(), temporary.c_str(), nullptr, 0, nullptr, nullptr)) {
    return 0;
  }
  const DWORD error = GetLastError();
  switch (PresenceOf(calls, target)) {
    case Presence::kPresent:
      // Nothing was moved: every answer but the two below leaves both files under their names.
      DeleteFileW(temporary.c_str());
      return IsRefusal(error) ? RewriteInPlace(calls, target, contents) : error;
    case Presence::kUnknown:
      // Whether the old file is still there cannot be told: the new one stays, perhaps as the
      // only copy of the settings.
      return error;
    case Presence::kAbsent:
      break;
  }
  // ERROR_UNABLE_TO_MOVE_REPLACEMENT or _2 without a backup name: the old file has left its name
  // (deleted, or kept under a name of Windows' choosing) and the new one, complete on disk, is
  // still the temporary file. It takes the name; failing that, the name is written anew; failing
  // that too, the temporary file stays, as the only copy of the settings.
  if (MoveIntoPlace(calls, temporary, target) == 0) {
    return 0;
  }
  const DWORD error_writing = WriteNamed(calls, target, OPEN_ALWAYS, contents);
  if (error_writing == 0) {
    DeleteFileW(temporary.c_str());
  }
  return error_writing;
}

// The save in a folder that nobody else may change (ReplaceFileUsing).
DWORD SaveInClosedFolder(const FileSystemCalls& calls, HeldEntry& end, std::string_view contents) {
  const std::wstring target = JoinPath(end.folder_path, end.name);
  Existing existing = Existing::kNone;
  if (end.exists) {
    // ReplaceFileW must be the only one to hold the old file when it takes its name.
    end.entry = UniqueHandle();
    if (const DWORD error = Examine(calls, target, existing)) {
      return error;
    }
  }
  if (existing == Existing::kRewritable) {
    return RewriteInPlace(calls, target, contents);
  }
  // A folder that refuses a new file may still let the user write the file that is there.
  const auto fall_back = [&](DWORD error) {
    return existing == Existing::kReplaceable && IsRefusal(error)
               ? RewriteInPlace(calls, target, contents)
               : error;
  };
  UniqueHandle file;
  std::wstring temporary;
  if (const DWORD error = CreateNewFile(calls, end.folder_path, file, temporary)) {
    return fall_back(error);
  }
  const DWORD error_writing = WriteAndClose(std::move(file), contents);
  if (error_writing != 0) {
    DeleteFileW(temporary.c_str());
    return fall_back(error_writing);
  }
  if (existing == Existing::kReplaceable) {
    return Replace(calls, temporary, target, contents);
  }
  const DWORD error = MoveIntoPlace(calls, temporary, target);
  if (error != 0) {
    DeleteFileW(temporary.c_str());
  }
  return error;
}

// The save in a folder that others may change (ReplaceFileUsing). The file is opened again by its
// name, without following a link, to write it, and written only if it is the very file the walk
// opened: a name swapped in between leads to a refusal, never to another file. A file with other
// names is refused too (kOtherNames). A missing one is created only where nothing has taken its
// name meanwhile.
DWORD SaveInOpenFolder(const FileSystemCalls& calls, const HeldEntry& end,
                       std::string_view contents) {
  const std::wstring target = JoinPath(end.folder_path, end.name);
  if (!end.exists) {
    return WriteNamed(calls, target, CREATE_NEW, contents);
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (GetFileInformationByHandle(end.entry.get(), &information) && information.nNumberOfLinks > 1) {
    return kOtherNames;
  }
  UniqueHandle file(calls.create_file(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  if (file.valid() && !SameFile(file.get(), end.entry.get())) {
    return kChangedMeanwhile;
  }
  return WriteAndClose(std::move(file), contents);
}

}  // namespace

std::string ReplaceFileUsing(const FileSystemCalls& calls, const std::string& path,
                             std::string_view contents) {
  const PathCalls walk{calls.create_file, calls.get_file_attributes, &OwnedByTrusted,
                       calls.closed_to_others};
  HeldEntry end;
  DWORD error = HoldPath(walk, Widen(path), LastLink::kFollow, 0, end);
  // Refused before anything is written: a directory, and a file the user has made read-only.
  if (error == 0 && (end.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0) {
    error = ERROR_ACCESS_DENIED;
  }
  if (error == 0) {
    error = calls.closed_to_others(end.folder.get()) ? SaveInClosedFolder(calls, end, contents)
                                                     : SaveInOpenFolder(calls, end, contents);
  }
  return error == 0 ? std::string() : DescribeWindowsError(error, end.path);
}

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  const FileSystemCalls windows{&CreateFileW, &GetFileAttributesW, &ReplaceFileW, &MoveFileExW,
                                &ClosedToOthers};
  return ReplaceFileUsing(windows, path, contents);
}

}  // namespace krovan
