#include "config/settings/replace_file_posix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <string>

#include "config/settings/file_errors_posix.h"
#include "config/settings/file_io_posix.h"
#include "config/settings/held_file_posix.h"
#include "config/settings/protection_posix.h"
#include "config/settings/replace_file.h"
#include "config/settings/rewrite_file_posix.h"
#include "config/settings/trusted_links_posix.h"

namespace krovan {
namespace {

constexpr mode_t kWriteBits = 0222;
// A file that did not exist is asked for as open() would make it, so that the kernel applies
// the umask or the folder's default ACL. One that replaces another stays the user's own until it
// has the old one's protection, which it then gets in full.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kReplacementMode = 0600;

// Refuses what must not be replaced, before it is opened: opening a device for writing may
// already do something. The permission bits are checked by hand because root may write any
// file, yet a file with no write bit is one the user has made read-only.
int CheckReplaceable(const struct stat& status) {
  if (S_ISDIR(status.st_mode)) {
    return EISDIR;
  }
  if (!S_ISREG(status.st_mode)) {
    return kNotRegularFile;
  }
  return (status.st_mode & kWriteBits) == 0 ? EACCES : 0;
}

// Opens the old file at `end` for writing, once. The open is the system's own check that the
// user may write the file (a rename needs only the folder's permission, and the file's own
// protection must hold too), and the descriptor is what everything after reads and rewrites.
// Opens the very file that the walk held (OpenHeldFile), never by its name again. Never
// truncates it, and never waits: a pipe in its place is refused, not opened.
int OpenOldFile(const HeldPath& end, Descriptor& old, struct stat& status) {
  if (const int error = OpenHeldFile(end.file.get(), end.status, O_WRONLY, old)) {
    return error;
  }
  return fstat(old.get(), &status) == 0 ? 0 : errno;
}

// Gives the new file the old one's protection, if there was an old file, then writes and syncs
// the contents.
int FillFile(int fd, const std::optional<Protection>& old, std::string_view contents) {
  if (old && !GiveProtection(fd, *old)) {
    return kCannotMatchOldFile;
  }
  if (const int error = WriteFromStart(fd, contents)) {
    return error;
  }
  return SyncFile(fd);
}

// Makes the rename itself durable by syncing the held folder. Best effort: the new file is
// already in place, and some file systems cannot sync a folder.
void SyncFolder(int folder) {
  const Descriptor synced(openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (synced.valid()) {
    SyncFile(synced.get());
  }
}

// Writes `contents` to a new file of `kind` and names it beside the target, leaving it open.
// On failure the file is closed and, if it had a name, removed.
int WriteNewFile(NewFileKind kind, const HeldPath& end, const std::optional<Protection>& old,
                 std::string_view contents, NewFile& file) {
  const int folder = end.folder.get();
  int error = OpenNewFile(kind, folder, end.name, old ? kReplacementMode : kNewFileMode, file);
  if (error != 0) {
    return error;
  }
  error = FillFile(file.fd.get(), old, contents);
  if (error == 0) {
    error = NameNewFile(folder, end.name, file);
  }
  if (error != 0) {
    DiscardNewFile(folder, file);
  }
  return error;
}

// Replaces the target atomically: a new file, complete and on disk, renamed over it. On
// failure the target is untouched and the new file gone.
int ReplaceByNewFile(const HeldPath& end, const std::optional<Protection>& old,
                     std::string_view contents, NewFileKind first) {
  const int folder = end.folder.get();
  // An unnamed file gets its name only once its contents are on disk, and the rename follows
  // at once: only a save killed between those two system calls leaves a file behind, which the
  // next save removes.
  RemoveLeftovers(folder, end.name);
  NewFile file;
  int error = WriteNewFile(first, end, old, contents, file);
  if (error == kNoUnnamedFiles) {
    file = NewFile{};
    error = WriteNewFile(NewFileKind::kNamed, end, old, contents, file);
  }
  if (error != 0) {
    return error;
  }
  if (renameat(folder, file.name.c_str(), folder, end.name.c_str()) != 0) {
    error = errno;
    DiscardNewFile(folder, file);
    return error;
  }
  // Closed after the rename to keep it next to the link; fsync has already reported any error
  // of the contents.
  file.fd.Close();
  SyncFolder(folder);
  return 0;
}

// A path that ends with a slash names a folder, as it does for open(): a file there, or nothing,
// is refused rather than saved under the name without the slash.
int RefuseAsFolder(const HeldPath& end) {
  return end.exists && S_ISDIR(end.status.st_mode) ? EISDIR : ENOTDIR;
}

// Where a new file cannot take the old one's place unchanged, the old file is rewritten in
// place instead: when the folder refuses new files or renames (a game folder of root's, a
// sticky one), when the file is a mount point of its own (a bind-mounted file, EBUSY), when the
// new file cannot have the old one's owner, group, permissions or ACL (a file shared through its
// group, an ACL that cannot be read or copied), and when the file has other hard links, which a
// new file would leave with the old settings.
bool MeansRewriteInPlace(int error) {
  return error == EACCES || error == EPERM || error == EBUSY || error == kCannotMatchOldFile;
}

int Save(const HeldPath& end, std::string_view contents, NewFileKind first) {
  if (!end.exists) {
    return ReplaceByNewFile(end, std::nullopt, contents, first);
  }
  if (const int error = CheckReplaceable(end.status)) {
    return error;
  }
  Descriptor old;
  struct stat status {};
  if (const int error = OpenOldFile(end, old, status)) {
    return error;
  }
  const std::optional<Protection> protection = ProtectionOf(old.get(), status);
  int error = status.st_nlink > 1 || !protection
                  ? kCannotMatchOldFile
                  : ReplaceByNewFile(end, protection, contents, first);
  if (MeansRewriteInPlace(error)) {
    error = RewriteInPlace(old.get(), contents);
  }
  return error;
}

}  // namespace

std::string ReplaceFile(const std::string& path, std::string_view contents) {
  return ReplaceFileStartingWith(path, contents, NewFileKind::kUnnamed);
}

std::string ReplaceFileStartingWith(const std::string& path, std::string_view contents,
                                    NewFileKind first) {
  HeldPath end;
  int error = FollowTrustedLinks(path, LastLink::kFollow, end);
  if (error == 0) {
    error = path.ends_with('/') ? RefuseAsFolder(end) : Save(end, contents, first);
  }
  return error == 0 ? std::string() : DescribeFileError(error, end.path);
}

}  // namespace krovan
