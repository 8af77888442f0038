#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/settings/file_errors_posix.h"
#include "config/settings/remove_file.h"
#include "config/settings/trusted_links_posix.h"

namespace krovan {
namespace {

// A missing file, or a missing or non-folder part on the way, means there is nothing to delete.
bool MeansAbsent(int error) {
  return error == ENOENT || error == ENOTDIR;
}

// Deletes `end.name` from the held folder; unlinkat with no flag never removes a folder.
int RemoveHeld(const HeldPath& end) {
  struct stat status {};
  if (fstatat(end.folder.get(), end.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno;
  }
  if (S_ISDIR(status.st_mode)) {
    return EISDIR;
  }
  return unlinkat(end.folder.get(), end.name.c_str(), 0) == 0 ? 0 : errno;
}

}  // namespace

FileRemoval RemoveRegularFile(const std::string& path) {
  using enum FileRemoval::Outcome;
  HeldPath end;
  int error = FollowTrustedLinks(path, LastLink::kKeep, end);
  if (error == 0) {
    error = RemoveHeld(end);
  }
  if (error == 0) {
    return {kRemoved};
  }
  // Gone in between, too: someone else deleted it.
  if (MeansAbsent(error)) {
    return {kAbsent};
  }
  return {kFailed, DescribeFileError(error, end.path)};
}

}  // namespace krovan
