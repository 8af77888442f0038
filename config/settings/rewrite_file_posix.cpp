#include "config/settings/rewrite_file_posix.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "config/settings/file_io_posix.h"

namespace krovan {
namespace {

// File systems that cannot reserve space (NFS before 4.2, many FUSE ones) say so; the rewrite
// then goes on without the reservation.
bool MeansCannotReserve(int error) {
  return error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

// Reserves the space through the system call itself. posix_fallocate would emulate it where the
// file system cannot, by reading each block of the descriptor, which is open for writing only:
// that fails with EBADF and would stop every rewrite on such a file system.
int Reserve(int fd, off_t length) {
  if (length == 0 || fallocate(fd, 0, 0, length) == 0) {
    return 0;
  }
  return MeansCannotReserve(errno) ? 0 : errno;
}

}  // namespace

int RewriteInPlace(int fd, std::string_view contents) {
  const auto length = static_cast<off_t>(contents.size());
  if (const int error = Reserve(fd, length)) {
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
