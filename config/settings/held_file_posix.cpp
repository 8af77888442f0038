#include "config/settings/held_file_posix.h"

#include <fcntl.h>

#include <cerrno>
#include <string>

#include "config/settings/file_errors_posix.h"

namespace krovan {

int OpenHeldFile(int held, const struct stat& status, int flags, Descriptor& opened) {
  if (!S_ISREG(status.st_mode)) {
    return kNotRegularFile;
  }
  // /proc/self/fd/N is a link that the kernel resolves to the open file, not to a name:
  // O_NOFOLLOW would refuse it. O_NONBLOCK and O_NOCTTY change nothing for a regular file.
  const std::string proc = "/proc/self/fd/" + std::to_string(held);
  opened = Descriptor(open(proc.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!opened.valid()) {
    // The held descriptor is open, so a missing entry means a missing /proc.
    return errno == ENOENT ? kNoProcFs : errno;
  }
  // Whatever lies at /proc if it is not the kernel's must lead to the very file held.
  struct stat reopened {};
  if (fstat(opened.get(), &reopened) != 0) {
    return errno;
  }
  const bool same = reopened.st_dev == status.st_dev && reopened.st_ino == status.st_ino;
  return same ? 0 : kChangedMeanwhile;
}

}  // namespace krovan
