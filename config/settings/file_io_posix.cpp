#include "config/settings/file_io_posix.h"

#include <unistd.h>

#include <cerrno>

namespace krovan {

int WriteFromStart(int fd, std::string_view contents) {
  off_t offset = 0;
  while (!contents.empty()) {
    const ssize_t written = pwrite(fd, contents.data(), contents.size(), offset);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : EIO;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
    offset += written;
  }
  return 0;
}

int SyncFile(int fd) {
  while (fsync(fd) != 0) {
    if (errno != EINTR) {
      return errno;
    }
  }
  return 0;
}

}  // namespace krovan
