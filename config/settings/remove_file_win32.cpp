#include <filesystem>
#include <system_error>

#include "config/settings/remove_file.h"

namespace krovan {

// The C++ library's file system operations. The Windows program itself deletes through the
// system (config/win32/); this serves the in-memory control model of the tests. Making a
// symbolic link needs a privilege on Windows: no user plants one for another.
FileRemoval RemoveRegularFile(const std::string& path) {
  namespace fs = std::filesystem;
  using enum FileRemoval::Outcome;
  const fs::path file(std::u8string(path.begin(), path.end()));
  std::error_code error;
  const fs::file_status status = fs::symlink_status(file, error);
  // Not found covers a missing folder on the way too.
  if (status.type() == fs::file_type::not_found) {
    return {kAbsent};
  }
  if (error) {
    return {kFailed, error.message()};
  }
  // std::filesystem::remove would take an empty directory.
  if (fs::is_directory(status)) {
    return {kFailed, std::make_error_code(std::errc::is_a_directory).message()};
  }
  if (fs::remove(file, error)) {
    return {kRemoved};
  }
  // Gone in between: someone else deleted it.
  return error ? FileRemoval{kFailed, error.message()} : FileRemoval{kAbsent};
}

}  // namespace krovan
