#include "config/settings/protection_posix.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <tuple>
#include <utility>

namespace krovan {
namespace {

constexpr char kAclAttribute[] = "system.posix_acl_access";
// NFSv4 servers show their own kind of ACL under this name, which this file does not copy.
constexpr char kNfs4AclAttribute[] = "system.nfs4_acl";
constexpr mode_t kModeBits = 07777;

// The answers that say a file has no such attribute, or its file system none at all.
bool MeansNoAttribute(int error) {
  return error == ENODATA || error == ENOTSUP;
}

// Reads the attribute `name` of the open file `fd` into `value`, which stays empty where the
// file has none. False where it cannot be told: any other error (EIO, EACCES from a network
// file system, ERANGE when it grew meanwhile), so that it is never taken for none.
bool ReadAttribute(int fd, const char* name, std::optional<std::string>& value) {
  value.reset();
  const ssize_t size = fgetxattr(fd, name, nullptr, 0);
  if (size < 0) {
    return MeansNoAttribute(errno);
  }
  std::string read(static_cast<std::size_t>(size), '\0');
  const ssize_t got = fgetxattr(fd, name, read.data(), read.size());
  if (got < 0) {
    return false;
  }
  read.resize(static_cast<std::size_t>(got));
  value = std::move(read);
  return true;
}

// A new file may have inherited an ACL from its directory's default ACL: it is removed where
// the old file had none.
void SetAcl(int fd, const std::optional<std::string>& acl) {
  if (acl) {
    fsetxattr(fd, kAclAttribute, acl->data(), acl->size(), 0);
  } else {
    fremovexattr(fd, kAclAttribute);
  }
}

}  // namespace

std::optional<Protection> ProtectionOf(int fd, const struct stat& status) {
  std::optional<std::string> nfs4_acl;
  Protection read{
      .user = status.st_uid, .group = status.st_gid, .mode = status.st_mode & kModeBits, .acl = {}};
  if (!ReadAttribute(fd, kNfs4AclAttribute, nfs4_acl) || nfs4_acl ||
      !ReadAttribute(fd, kAclAttribute, read.acl)) {
    return std::nullopt;
  }
  return read;
}

bool GiveProtection(int fd, const Protection& wanted) {
  // The user and group together, else the group alone. A change of owner clears the setuid and
  // setgid bits, and the mode updates the ACL's owner, mask and other entries, so the order is
  // owner, ACL, mode. Every step may fail; the comparison afterwards tells, so the result of the
  // second fchown, which glibc's fortified headers insist on, is left aside.
  if (fchown(fd, wanted.user, wanted.group) != 0) {
    std::ignore = fchown(fd, static_cast<uid_t>(-1), wanted.group);
  }
  SetAcl(fd, wanted.acl);
  fchmod(fd, wanted.mode);
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    return false;
  }
  return ProtectionOf(fd, status) == wanted;
}

}  // namespace krovan
