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
#include "config/settings/replace_file_posix.h"

namespace krovan {
namespace {

// As many links as the kernel follows in one path lookup before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kPermissionBits = 0777;
constexpr mode_t kWriteBits = 0222;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as open() would create it

// Refusal of a pipe, device or socket in the file's place, for which the system has no error:
// renaming over it would simply remove it.
constexpr int kNotRegularFile = -1;

std::string ErrorText(int error) {
  return error == kNotRegularFile ? "Not a regular file" : std::strerror(error);
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
    return kNotRegularFile;
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

// The old file's owner and group, kept when the process may set them.
struct Owner {
  uid_t user = static_cast<uid_t>(-1);  // -1: leave as created
  gid_t group = static_cast<gid_t>(-1);
};

// Best effort: only root may give a file away, and a user may set only a group of their own,
// so the user and group are tried together and then the group alone. What cannot be set stays
// as created, the saving user's. Done before fchmod, since a change of owner clears the setuid
// and setgid bits.
void SetOwner(int fd, const Owner& owner) {
  if (fchown(fd, owner.user, owner.group) != 0) {
    fchown(fd, static_cast<uid_t>(-1), owner.group);
  }
}

int FillFile(int fd, const Owner& owner, mode_t mode, std::string_view contents) {
  SetOwner(fd, owner);
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

// Closes the new file and removes its name, if it has one.
void Discard(const NewFile& file) {
  close(file.fd);
  if (!file.name.empty()) {
    unlink(file.name.c_str());
  }
}

// Writes `contents` to a new file of `kind` and names it beside `target`, leaving it open.
// On failure the file is closed and, if it had a name, removed.
int WriteNewFile(NewFileKind kind, const std::string& target, const Owner& owner, mode_t mode,
                 std::string_view contents, NewFile& file) {
  int error = OpenNewFile(kind, DirectoryOf(target), target, file);
  if (error != 0) {
    return error;
  }
  error = FillFile(file.fd, owner, mode, contents);
  if (error == 0) {
    error = NameNewFile(target, file);
  }
  if (error != 0) {
    Discard(file);
  }
  return error;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  return ReplaceFileStartingWith(path, contents, NewFileKind::kUnnamed);
}

std::string ReplaceFileStartingWith(const std::string& path, std::string_view contents,
                                    NewFileKind first) {
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
  const Owner owner = exists ? Owner{status.st_uid, status.st_gid} : Owner{};

  // An unnamed file gets its name only once its contents are on disk, and the rename follows
  // at once: only a save killed between those two system calls leaves a file behind, which the
  // next save removes.
  RemoveLeftovers(DirectoryOf(target), target);
  NewFile file;
  int error = WriteNewFile(first, target, owner, mode, contents, file);
  if (error == kNoUnnamedFiles) {
    error = WriteNewFile(NewFileKind::kNamed, target, owner, mode, contents, file);
  }
  if (error != 0) {
    return ErrorText(error);
  }
  if (rename(file.name.c_str(), target.c_str()) != 0) {
    error = errno;
    Discard(file);
    return ErrorText(error);
  }
  // Closed after the rename to keep it next to the link; fsync has already reported any error
  // of the contents.
  close(file.fd);
  SyncDirectory(DirectoryOf(target));
  return {};
}

}  // namespace krovan
