#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

#include "config/settings/replace_file.h"

namespace krovan {
namespace {

// As many links as the kernel follows in one path lookup before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kWriteBits = 0222;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as open() would create it

std::string ErrorText(int error) {
  return std::strerror(error);
}

std::filesystem::path DirectoryOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::filesystem::path(".") : parent;
}

// Follows symbolic links from `path` to the file they finally name and stats it; `exists`
// stays false when that file does not exist yet (no file, or a dangling link). Returns an errno
// value, 0 on success.
int FindTarget(std::string& path, struct stat& status, bool& exists) {
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    if (lstat(path.c_str(), &status) != 0) {
      return errno == ENOENT ? 0 : errno;
    }
    if (!S_ISLNK(status.st_mode)) {
      exists = true;
      return 0;
    }
    std::array<char, PATH_MAX> link{};
    const ssize_t length = readlink(path.c_str(), link.data(), link.size());
    if (length < 0) {
      return errno;
    }
    if (static_cast<std::size_t>(length) == link.size()) {
      return ENAMETOOLONG;
    }
    // A relative link is relative to the directory holding it; an absolute one replaces all.
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    path = (parent / std::string_view(link.data(), length)).string();
  }
  return ELOOP;
}

// Refuses what must not be replaced. The permission bits are checked by hand because root may
// write any file, yet a file with no write bit is one the user has made read-only.
int CheckReplaceable(const std::string& path, const struct stat& status) {
  if (S_ISDIR(status.st_mode)) {
    return EISDIR;
  }
  if (!S_ISREG(status.st_mode)) {
    return EINVAL;  // a device or pipe: renaming over it would remove it
  }
  if ((status.st_mode & kWriteBits) == 0) {
    return EACCES;
  }
  // Renaming needs only the directory's permission; keep the file's own protection too.
  return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

mode_t CurrentUmask() {
  const mode_t mask = umask(0);
  umask(mask);
  return mask;
}

int WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = write(fd, contents.data(), contents.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : EIO;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
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

int FillFile(int fd, mode_t mode, std::string_view contents) {
  if (fchmod(fd, mode) != 0) {
    return errno;
  }
  if (const int error = WriteAll(fd, contents)) {
    return error;
  }
  return SyncFile(fd);
}

// Makes the rename itself durable. Best effort: the new file is already in place, and some
// file systems cannot sync a directory.
void SyncDirectory(const std::filesystem::path& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    SyncFile(fd);
    close(fd);
  }
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  std::string target = path;
  struct stat status {};
  bool exists = false;
  if (const int error = FindTarget(target, status, exists)) {
    return ErrorText(error);
  }
  if (exists) {
    if (const int error = CheckReplaceable(target, status)) {
      return ErrorText(error);
    }
  }
  const mode_t mode =
      exists ? (status.st_mode & kPermissionBits) : (kNewFileMode & ~CurrentUmask());

  std::string temporary = target + ".XXXXXX";
  const int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    return ErrorText(errno);
  }
  int error = FillFile(fd, mode, contents);
  if (close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    unlink(temporary.c_str());
    return ErrorText(error);
  }
  SyncDirectory(DirectoryOf(target));
  return {};
}

}  // namespace krovan
