#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/settings/read_file.h"
#include "config/settings/trusted_links_posix.h"

namespace krovan {

std::string ReadFileStart(const char* path, std::size_t max_length) {
  HeldPath end;
  if (FollowTrustedLinks(path, LastLink::kFollow, end) != 0 || !end.exists) {
    return {};
  }
  // Non-blocking: opening a named pipe would otherwise wait for a writer, and a terminal must
  // not become the program's controlling one. The flag changes nothing for a regular file. A
  // link put in the file's place since it was followed is refused.
  const Descriptor file(openat(end.folder.get(), end.name.c_str(),
                               O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!file.valid()) {
    return {};
  }
  const int fd = file.get();
  std::string text;
  struct stat status {};
  if (fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
    text.resize(max_length);
    std::size_t filled = 0;
    while (filled < max_length) {
      const ssize_t got = read(fd, text.data() + filled, max_length - filled);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got <= 0) {
        break;
      }
      filled += static_cast<std::size_t>(got);
    }
    text.resize(filled);
  }
  return text;
}

}  // namespace krovan
