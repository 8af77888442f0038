#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "config/settings/held_file_posix.h"
#include "config/settings/read_file.h"
#include "config/settings/trusted_links_posix.h"

namespace krovan {

std::string ReadFileStart(const char* path, std::size_t max_length) {
  HeldPath end;
  if (FollowTrustedLinks(path, LastLink::kFollow, end) != 0 || !end.exists) {
    return {};
  }
  Descriptor file;
  if (OpenHeldFile(end.file.get(), end.status, O_RDONLY, file) != 0) {
    return {};
  }
  const int fd = file.get();
  std::string text;
  {
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
