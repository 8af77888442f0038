#include "config/settings/held_path_win32.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "config/settings/file_errors_win32.h"
#include "config/settings/trust_win32.h"

namespace krovan {
namespace {

// As many reparse points as Windows follows in one path before it gives up.
constexpr int kMaxLinkHops = 63;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kShareFolder = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr DWORD kNoFollow = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
constexpr std::wstring_view kLongPrefix = L"\\\\?\\";
constexpr std::wstring_view kLongUncPrefix = L"\\\\?\\UNC\\";

// Makes `path` what `fill(buffer, size)` writes: a call that returns the length it wrote, or
// the size it needs when the buffer is too small. Returns an error code, 0 on success.
template <typename Fill>
DWORD FillPath(std::wstring& path, Fill fill) {
  std::wstring buffer(MAX_PATH, L'\0');
  DWORD length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = fill(buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (length == 0) {
    return GetLastError();
  }
  if (length >= buffer.size()) {
    return ERROR_INSUFFICIENT_BUFFER;  // it grew in between
  }
  buffer.resize(length);
  path = std::move(buffer);
  return 0;
}

// "\\?\C:\..." as "C:\...", "\\?\UNC\server\..." as "\\server\...".
std::wstring DosForm(const std::wstring& path) {
  if (path.starts_with(kLongUncPrefix)) {
    return L"\\\\" + path.substr(kLongUncPrefix.size());
  }
  return path.starts_with(kLongPrefix) ? path.substr(kLongPrefix.size()) : path;
}

std::wstring_view WithoutEndSeparator(std::wstring_view path) {
  return path.ends_with(L'\\') ? path.substr(0, path.size() - 1) : path;
}

// The length of the root of the full path `path` ("C:\", "\\server\share\"); 0 for none.
std::size_t RootLength(std::wstring_view path) {
  if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
    return 3;
  }
  const std::size_t share = path.starts_with(L"\\\\") ? path.find(L'\\', 2) : path.npos;
  const std::size_t end = share == path.npos ? path.npos : path.find(L'\\', share + 1);
  return end == path.npos ? 0 : end + 1;
}

// Opens `path` with `access`, and with READ_CONTROL to judge its owner and rights where the
// user may have that.
UniqueHandle Open(const PathCalls& calls, const std::wstring& path, DWORD access, DWORD share,
                  DWORD flags) {
  access |= FILE_READ_ATTRIBUTES;
  UniqueHandle handle(calls.create_file(path.c_str(), access | READ_CONTROL, share, nullptr,
                                        OPEN_EXISTING, flags, nullptr));
  if (!handle.valid() && GetLastError() == ERROR_ACCESS_DENIED) {
    handle = UniqueHandle(
        calls.create_file(path.c_str(), access, share, nullptr, OPEN_EXISTING, flags, nullptr));
  }
  return handle;
}

bool IsMissing(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// What an entry opened without following links turned out to be.
struct Seen {
  DWORD attributes = 0;
  std::wstring final_path;
  bool link = false;
  bool link_by_name = false;
};

// Whether the name `folder_path` still leads to the held `folder`: where Windows lets a held
// folder be renamed (Wine does), a name below its old path leads elsewhere.
DWORD CheckStillThere(const PathCalls& calls, HANDLE folder, const std::wstring& folder_path) {
  const UniqueHandle again(calls.create_file(folder_path.c_str(), FILE_READ_ATTRIBUTES, kShareAll,
                                             nullptr, OPEN_EXISTING, kNoFollow, nullptr));
  return again.valid() && SameFile(folder, again.get()) ? 0 : kChangedMeanwhile;
}

// Tells what `entry`, opened by the name `way` in the held `folder` (at `folder_path`), is. On
// Windows a link opened so is the link itself, with its reparse tag, in that folder. Wine opens
// what a Unix link points to instead; then only the name's attributes, or a final path outside
// the folder, show the link.
DWORD Inspect(const PathCalls& calls, HANDLE entry, const std::wstring& way, HANDLE folder,
              const std::wstring& folder_path, Seen& seen) {
  FILE_ATTRIBUTE_TAG_INFO tag{};
  if (!GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &tag, sizeof tag)) {
    return GetLastError();
  }
  if (const DWORD error = FinalPathOf(entry, seen.final_path)) {
    return error;
  }
  if (const DWORD error = CheckStillThere(calls, folder, folder_path)) {
    return error;
  }
  seen.attributes = tag.FileAttributes;
  const bool reparse = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  const DWORD name_attributes = calls.get_file_attributes(way.c_str());
  const std::wstring_view final_path = seen.final_path;
  const std::size_t separator = final_path.find_last_of(L'\\');
  // Both final paths are normalised by the file system, in the same case.
  const bool in_folder = separator != std::wstring_view::npos &&
                         final_path.substr(0, separator) == WithoutEndSeparator(folder_path);
  seen.link_by_name =
      !reparse && (!in_folder || (name_attributes != INVALID_FILE_ATTRIBUTES &&
                                  (name_attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0));
  seen.link = seen.link_by_name || (reparse && IsReparseTagNameSurrogate(tag.ReparseTag));
  return 0;
}

}  // namespace

const PathCalls& SystemPathCalls() {
  static constexpr PathCalls kSystem{&CreateFileW, &GetFileAttributesW, &OwnedByTrusted,
                                     &ClosedToOthers};
  return kSystem;
}

bool SameFile(HANDLE one, HANDLE other) {
  BY_HANDLE_FILE_INFORMATION first{};
  BY_HANDLE_FILE_INFORMATION second{};
  return GetFileInformationByHandle(one, &first) && GetFileInformationByHandle(other, &second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  return folder.ends_with(L'\\') ? folder + name : folder + L"\\" + name;
}

DWORD FinalPathOf(HANDLE handle, std::wstring& path) {
  std::wstring final_path;
  const DWORD error = FillPath(final_path, [&](wchar_t* buffer, DWORD size) {
    return GetFinalPathNameByHandleW(handle, buffer, size, FILE_NAME_NORMALIZED);
  });
  path = DosForm(final_path);
  return error;
}

// The C runtime's _wfullpath, which FullPath (full_path.h) uses too: one import for both.
DWORD FullPathOf(std::wstring& path) {
  const std::unique_ptr<wchar_t, decltype(&std::free)> full(_wfullpath(nullptr, path.c_str(), 0),
                                                            &std::free);
  if (!full) {
    return ERROR_BAD_PATHNAME;
  }
  path = full.get();
  return 0;
}

DWORD HoldPath(const PathCalls& calls, const std::wstring& path, LastLink last, DWORD access,
               HeldEntry& end) {
  std::wstring full = path;
  if (const DWORD error = FullPathOf(full)) {
    return error;
  }
  for (int hops = 0;;) {
    full = DosForm(full);
    std::size_t begin = RootLength(full);
    if (begin == 0) {
      return ERROR_BAD_PATHNAME;
    }
    UniqueHandle folder = Open(calls, full.substr(0, begin), 0, kShareFolder, kNoFollow);
    std::wstring folder_path;
    if (!folder.valid()) {
      return GetLastError();
    }
    if (const DWORD error = FinalPathOf(folder.get(), folder_path)) {
      return error;
    }
    for (;;) {
      const std::size_t separator = std::min(full.find(L'\\', begin), full.size());
      const std::wstring name = full.substr(begin, separator - begin);
      begin = full.find_first_not_of(L'\\', separator);
      const bool at_last = begin == std::wstring::npos;
      if (name.empty()) {
        return kIsFolder;  // a path that ends in its root
      }
      const std::wstring way = JoinPath(folder_path, name);
      end.path = way;
      UniqueHandle entry =
          Open(calls, way, at_last ? access : 0, at_last ? kShareAll : kShareFolder, kNoFollow);
      if (!entry.valid()) {
        const DWORD error = GetLastError();
        if (!at_last || !IsMissing(error)) {
          return IsMissing(error) ? ERROR_PATH_NOT_FOUND : error;
        }
        end.folder = std::move(folder);
        end.folder_path = folder_path;
        end.name = name;
        return 0;
      }
      Seen seen;
      if (const DWORD error = Inspect(calls, entry.get(), way, folder.get(), folder_path, seen)) {
        return error;
      }
      const bool keep = at_last && last == LastLink::kKeep;
      if (seen.link && (!keep || seen.link_by_name)) {
        if (++hops > kMaxLinkHops) {
          return ERROR_CANT_RESOLVE_FILENAME;
        }
        // The link's owner from the link itself; Wine's handle shows its target's.
        if (!calls.owned_by_trusted(entry.get()) || !calls.closed_to_others(folder.get())) {
          return kUntrustedLink;
        }
      }
      if (seen.link && !keep) {
        // Nobody else may change the folder, so the name still leads to the link just judged.
        const UniqueHandle target = Open(calls, way, 0, kShareAll, FILE_FLAG_BACKUP_SEMANTICS);
        std::wstring target_path;
        if (!target.valid()) {
          return GetLastError();
        }
        if (const DWORD error = FinalPathOf(target.get(), target_path)) {
          return error;
        }
        full = at_last ? target_path : JoinPath(target_path, full.substr(begin));
        break;
      }
      if (at_last) {
        end.folder = std::move(folder);
        end.folder_path = folder_path;
        end.name = name;
        end.entry = std::move(entry);
        end.attributes = seen.attributes;
        end.exists = true;
        end.link_by_name = seen.link_by_name;
        return 0;
      }
      if ((seen.attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        return ERROR_PATH_NOT_FOUND;
      }
      folder = std::move(entry);
      folder_path = seen.final_path;
    }
  }
}

}  // namespace krovan
