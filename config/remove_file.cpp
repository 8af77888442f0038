#include "config/remove_file.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "config/settings/trusted_links.h"

namespace krovan {

FileRemoval RemoveRegularFile(const std::string& path) {
  namespace fs = std::filesystem;
  using enum FileRemoval::Outcome;
  std::string reached = path;
  if (std::string refusal = FollowTrustedLinksOnTheWay(reached); !refusal.empty()) {
    return {kFailed, std::move(refusal)};
  }
  const fs::path file(std::u8string(reached.begin(), reached.end()));
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
