#include "config/settings/protection_posix.h"

#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <tuple>

namespace krovan {
namespace {

constexpr char kAclAttribute[] = "system.posix_acl_access";
constexpr mode_t kModeBits = 07777;

// The ACL of the open file `fd`; none when there is none or it cannot be read.
std::optional<std::string> AclOf(int fd) {
  const ssize_t size = fgetxattr(fd, kAclAttribute, nullptr, 0);
  if (size < 0) {
    return std::nullopt;
  }
  std::string value(static_cast<std::size_t>(size), '\0');
  const ssize_t got = fgetxattr(fd, kAclAttribute, value.data(), value.size());
  if (got < 0) {
    return std::nullopt;
  }
  value.resize(static_cast<std::size_t>(got));
  return value;
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

Protection ProtectionOf(int fd, const struct stat& status) {
  return {.user = status.st_uid,
          .group = status.st_gid,
          .mode = status.st_mode & kModeBits,
          .acl = AclOf(fd)};
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
  const Protection given{.user = status.st_uid,
                         .group = status.st_gid,
                         .mode = status.st_mode & kModeBits,
                         .acl = AclOf(fd)};
  return given == wanted;
}

}  // namespace krovan
