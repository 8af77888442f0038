#pragma once

#include <sys/stat.h>

#include <optional>
#include <string>

namespace krovan {

// What protects a file and who may use it: its owner, group, permission bits (setuid, setgid
// and sticky included) and POSIX access ACL. A file that replaces another must have all of the
// old one's, or the replacement would lock out users the old file let in, or let in others.
struct Protection {
  uid_t user = 0;
  gid_t group = 0;
  mode_t mode = 0;
  std::optional<std::string> acl;  // the raw extended attribute; none without an ACL

  bool operator==(const Protection&) const = default;
};

// The protection of the open file `fd`, described by `status`; none where it cannot be told in
// full: an ACL that cannot be read, or an NFSv4 ACL, which a new file could not be given.
std::optional<Protection> ProtectionOf(int fd, const struct stat& status);

// Gives the open file `fd` the protection `wanted`, as far as this process may: only root may
// give a file away, and a user may give only a group of their own. Returns whether the file now
// has exactly that protection.
bool GiveProtection(int fd, const Protection& wanted);

}  // namespace krovan
