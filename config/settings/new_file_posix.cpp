#include "config/settings/new_file_posix.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <climits>

#include <cerrno>
#include <random>
#include <string_view>
#include <utility>

#include "config/settings/file_errors_posix.h"
#include "config/settings/held_file_posix.h"

namespace krovan {
namespace {

constexpr std::string_view kNameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::string_view kNameInfix = ".saving-";
constexpr int kNameLength = 6;
constexpr int kNameAttempts = 100;

// The start of `target`'s temporary names: its own name and the infix where the whole fits in a
// name, else the infix alone, so that a long name can still be saved.
std::string TemporaryPrefix(const std::string& target) {
  const bool fits = target.size() + kNameInfix.size() + kNameLength <= NAME_MAX;
  return (fits ? target : std::string()) + std::string(kNameInfix);
}

// What open() says on a file system (or kernel) without O_TMPFILE.
bool MeansNoUnnamedFiles(int error) {
  return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

// Calls `make` with fresh temporary names for `target` while the name drawn is taken (EEXIST);
// the name that `make` took is kept in `name`.
template <typename Make>
int WithFreshName(const std::string& target, Make make, std::string& name) {
  std::random_device random;
  std::uniform_int_distribution<std::size_t> letter(0, kNameLetters.size() - 1);
  int error = EEXIST;
  for (int attempt = 0; attempt < kNameAttempts && error == EEXIST; ++attempt) {
    std::string drawn = TemporaryPrefix(target);
    for (int i = 0; i < kNameLength; ++i) {
      drawn += kNameLetters[letter(random)];
    }
    error = make(drawn);
    if (error == 0) {
      name = std::move(drawn);
    }
  }
  return error;
}

// Links the open file `fd` as `name` in `folder`. /proc/self/fd names it to any user, and
// AT_EMPTY_PATH does the same without /proc for a privileged one.
int Link(int fd, int folder, const std::string& name) {
  const std::string proc_path = "/proc/self/fd/" + std::to_string(fd);
  if (linkat(AT_FDCWD, proc_path.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
    return 0;
  }
  if (errno != ENOENT) {
    return errno;
  }
  if (linkat(fd, "", folder, name.c_str(), AT_EMPTY_PATH) == 0) {
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
  flock(file.fd.get(), LOCK_EX | LOCK_NB);
}

// Removes `name` from `folder` if it is a regular file that no running save holds.
void RemoveIfLeftOver(int folder, const char* name) {
  const Descriptor held(openat(folder, name, O_PATH | O_NOFOLLOW | O_CLOEXEC));
  struct stat opened {};
  struct stat named {};
  Descriptor file;
  // Opened only once seen to be a regular file, and still the same file under that name once
  // locked: not one a save has since renamed.
  if (held.valid() && fstat(held.get(), &opened) == 0 &&
      OpenHeldFile(held.get(), opened, O_RDONLY, file) == 0 &&
      flock(file.get(), LOCK_EX | LOCK_NB) == 0 &&
      fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_dev == opened.st_dev &&
      named.st_ino == opened.st_ino) {
    unlinkat(folder, name, 0);
  }
}

}  // namespace

int OpenNewFile(NewFileKind kind, int folder, const std::string& target, mode_t mode,
                NewFile& file) {
  if (kind == NewFileKind::kUnnamed) {
    file.fd = Descriptor(openat(folder, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode));
    if (!file.fd.valid()) {
      return MeansNoUnnamedFiles(errno) ? kNoUnnamedFiles : errno;
    }
    Lock(file);
    return 0;
  }
  const int error = WithFreshName(
      target,
      [folder, mode, &file](const std::string& name) {
        file.fd = Descriptor(openat(folder, name.c_str(),
                                    O_CREAT | O_EXCL | O_WRONLY | O_NOFOLLOW | O_CLOEXEC, mode));
        return file.fd.valid() ? 0 : errno;
      },
      file.name);
  if (error == 0) {
    Lock(file);
  }
  return error;
}

int NameNewFile(int folder, const std::string& target, NewFile& file) {
  if (!file.name.empty()) {
    return 0;
  }
  // linkat never replaces a name, so another is drawn while the drawn one is taken.
  return WithFreshName(
      target,
      [folder, &file](const std::string& name) { return Link(file.fd.get(), folder, name); },
      file.name);
}

void DiscardNewFile(int folder, NewFile& file) {
  file.fd.Close();
  if (!file.name.empty()) {
    unlinkat(folder, file.name.c_str(), 0);
  }
}

void RemoveLeftovers(int folder, const std::string& target) {
  const int listing = openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  DIR* const entries = listing < 0 ? nullptr : fdopendir(listing);
  if (entries == nullptr) {
    if (listing >= 0) {
      close(listing);
    }
    return;
  }
  const std::string prefix = TemporaryPrefix(target);
  while (const dirent* entry = readdir(entries)) {
    const std::string_view name = entry->d_name;
    if (name.size() == prefix.size() + kNameLength && name.starts_with(prefix)) {
      RemoveIfLeftOver(folder, entry->d_name);
    }
  }
  closedir(entries);
}

}  // namespace krovan
