#include "config/settings/rewrite_file_posix.h"

#include <fcntl.h>
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

}  // namespace

int RewriteInPlace(int fd, std::string_view contents) {
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

}  // namespace krovan
