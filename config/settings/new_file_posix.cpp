#include "config/settings/new_file_posix.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <random>
#include <string_view>
#include <utility>

namespace krovan {
namespace {

constexpr mode_t kPrivateMode = 0600;
constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kNameInfix = ".saving-";
constexpr int kNameLength = 6;
constexpr int kNameAttempts = 100;

// What open() says on a file system (or kernel) without O_TMPFILE.
bool MeansNoUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Links the open file `fd` as `name`; /proc/self/fd names it to any user, and AT_EMPTY_PATH does
// the same without /proc for a privileged one.
int Link(int fd, const std::string& name) {
  const std::string proc_path = "/proc/self/fd/" + std::to_string(fd);
  if (linkat(AT_FDCWD, proc_path.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    return 0;
  }
  if (errno != ENOENT) {
    return errno;
  }
  if (linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0) {
    return 0;
  }
  // Without /proc and without the privilege the file cannot be named at all.
  return errno == ENOENT || errno == EPERM ? kNoUnnamedFiles : errno;
}

// The new file is locked for as long as its save runs: the lock goes with the process, so a
// named file that can be locked was left by a save that was killed. Best effort: without the
// lock (a file system without flock) a concurrent save may remove the file, and this save
// then reports the failed rename.
void Lock(const NewFile& file) {
  flock(file.fd, LOCK_EX | LOCK_NB);
}

// Removes the file at `path` if it is a regular file that no running save holds.
void RemoveIfLeftOver(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  struct stat opened {};
  struct stat named {};
  // Still the same file under that name once locked: not one a save has since renamed.
  if (fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      lstat(path.c_str(), &named) == 0 && named.st_dev == opened.st_dev &&
      named.st_ino == opened.st_ino) {
    unlink(path.c_str());
  }
  close(fd);
}

}  // namespace

void RemoveLeftovers(const std::filesystem::path& directory, const std::string& target) {
  const std::string prefix =
      std::filesystem::path(target).filename().string() + std::string(kNameInfix);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
    const std::string name = entry.path().filename().string();
    if (name.size() == prefix.size() + kNameLength && name.starts_with(prefix)) {
      RemoveIfLeftOver(entry.path());
    }
  }
}

int OpenNewFile(NewFileKind kind, const std::filesystem::path& directory, const std::string& target,
                NewFile& file) {
  if (kind == NewFileKind::kUnnamed) {
    file.fd = open(directory.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, kPrivateMode);
    if (file.fd < 0) {
      return MeansNoUnnamedFiles(errno) ? kNoUnnamedFiles : errno;
    }
    Lock(file);
    return 0;
  }
  std::string name = target + std::string(kNameInfix) + std::string(kNameLength, 'X');
  file.fd = mkostemp(name.data(), O_CLOEXEC);
  if (file.fd < 0) {
    return errno;
  }
  file.name = std::move(name);
  Lock(file);
  return 0;
}

int NameNewFile(const std::string& target, NewFile& file) {
  if (!file.name.empty()) {
    return 0;
  }
  // linkat never replaces a name, so another is drawn while the drawn one is taken.
  std::random_device random;
  std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
  int error = EEXIST;
  for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
    std::string name = target + std::string(kNameInfix);
    for (int i = 0; i < kNameLength; ++i) {
      name += kNameLetters[letter(random)];
    }
    error = Link(file.fd, name);
    if (error == 0) {
      file.name = std::move(name);
    }
  }
  return error;
}

}  // namespace krovan
