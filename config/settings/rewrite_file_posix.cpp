#include "config/settings/rewrite_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/settings/file_io_posix.h"

namespace krovan {
namespace {

// File systems that cannot reserve space (some network and FUSE ones) say so; the rewrite then
// goes on without the reservation.
bool MeansCannotReserve(int error) {
  return error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

int Rewrite(int fd, std::string_view contents) {
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    return errno;
  }
  // Opened by name after the checks: whatever took the name meanwhile must still be a file.
  if (!S_ISREG(status.st_mode)) {
    return kNotRegularFile;
  }
  const auto length = static_cast<off_t>(contents.size());
  if (const int error = posix_fallocate(fd, 0, length); error != 0 && !MeansCannotReserve(error)) {
    return error;
  }
  if (const int error = WriteFromStart(fd, contents)) {
    return error;
  }
  if (ftruncate(fd, length) != 0) {
    return errno;
  }
  return SyncFile(fd);
}

}  // namespace

int RewriteInPlace(const std::string& path, std::string_view contents) {
  // Never truncated on opening, which would lose the old contents before the new are written;
  // non-blocking, so that a pipe put in the file's place is refused instead of waited for.
  const int fd = open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  const int error = Rewrite(fd, contents);
  close(fd);
  return error;
}

}  // namespace krovan
