#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include "config/settings/file_io_posix.h"
#include "config/settings/protection_posix.h"
#include "config/settings/replace_file.h"
#include "config/settings/replace_file_posix.h"
#include "config/settings/rewrite_file_posix.h"
#include "config/settings/trusted_links_posix.h"

namespace krovan {
namespace {

constexpr mode_t kWriteBits = 0222;
constexpr mode_t kNewFileMode = 0666;  // before the umask, as open() would create it

// Returned instead of an errno value when the new file cannot be given the old one's owner,
// group, permissions or ACL.
constexpr int kCannotMatchOldFile = -3;

std::string ErrorText(int error) {
  return error == kNotRegularFile ? "Not a regular file" : std::strerror(error);
}

std::filesystem::path DirectoryOf(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  return parent.empty() ? std::filesystem::path(".") : parent;
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

// Gives the new file the old one's protection, or for a file that did not exist the mode that
// open() would have given it, then writes and syncs the contents.
int FillFile(int fd, const std::optional<Protection>& old, std::string_view contents) {
  if (!old) {
    if (fchmod(fd, kNewFileMode & ~CurrentUmask()) != 0) {
      return errno;
    }
  } else if (!GiveProtection(fd, *old)) {
    return kCannotMatchOldFile;
  }
  if (const int error = WriteFromStart(fd, contents)) {
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
int WriteNewFile(NewFileKind kind, const std::string& target, const std::optional<Protection>& old,
                 std::string_view contents, NewFile& file) {
  int error = OpenNewFile(kind, DirectoryOf(target), target, file);
  if (error != 0) {
    return error;
  }
  error = FillFile(file.fd, old, contents);
  if (error == 0) {
    error = NameNewFile(target, file);
  }
  if (error != 0) {
    Discard(file);
  }
  return error;
}

// Replaces `target` atomically: a new file, complete and on disk, renamed over it. Returns an
// errno value or kCannotMatchOldFile, 0 on success; on failure `target` is untouched and the new
// file gone.
int ReplaceByNewFile(const std::string& target, const std::optional<Protection>& old,
                     std::string_view contents, NewFileKind first) {
  // An unnamed file gets its name only once its contents are on disk, and the rename follows
  // at once: only a save killed between those two system calls leaves a file behind, which the
  // next save removes.
  RemoveLeftovers(DirectoryOf(target), target);
  NewFile file;
  int error = WriteNewFile(first, target, old, contents, file);
  if (error == kNoUnnamedFiles) {
    error = WriteNewFile(NewFileKind::kNamed, target, old, contents, file);
  }
  if (error != 0) {
    return error;
  }
  if (rename(file.name.c_str(), target.c_str()) != 0) {
    error = errno;
    Discard(file);
    return error;
  }
  // Closed after the rename to keep it next to the link; fsync has already reported any error
  // of the contents.
  close(file.fd);
  SyncDirectory(DirectoryOf(target));
  return 0;
}

// Where a new file cannot take the old one's place unchanged, the old file is rewritten in
// place instead: when the folder refuses new files or renames (a game folder of root's, a
// sticky one), when the new file cannot have the old one's owner, group, permissions or ACL (a
// file shared through its group), and when the file has other hard links, which a new file
// would leave with the old settings.
bool MeansRewriteInPlace(int error) {
  return error == EACCES || error == EPERM || error == kCannotMatchOldFile;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  return ReplaceFileStartingWith(path, contents, NewFileKind::kUnnamed);
}

std::string ReplaceFileStartingWith(const std::string& path, std::string_view contents,
                                    NewFileKind first) {
  PathEnd end;
  if (const int error = FollowTrustedLinks(path, LastLink::kFollow, end)) {
    return error == kUntrustedLink ? UntrustedLinkError(end.path) : ErrorText(error);
  }
  const std::string& target = end.path;
  if (!end.exists) {
    const int error = ReplaceByNewFile(target, std::nullopt, contents, first);
    return error == 0 ? std::string() : ErrorText(error);
  }
  if (const int error = CheckReplaceable(target, end.status)) {
    return ErrorText(error);
  }
  int error = end.status.st_nlink > 1
                  ? kCannotMatchOldFile
                  : ReplaceByNewFile(target, ProtectionOf(target, end.status), contents, first);
  if (MeansRewriteInPlace(error)) {
    error = RewriteInPlace(target, contents);
  }
  return error == 0 ? std::string() : ErrorText(error);
}

}  // namespace krovan
