#include "config/settings/folder_writers_posix.h"

#include <grp.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace krovan {
namespace {

bool UserOrRoot(uid_t user) {
  return user == 0 || user == geteuid();
}

// The name of `user`, or "" where it has none.
std::string UserName(uid_t user) {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return {};
  }
  return entry.pw_name;
}

// Whether every member of `group` is the user or root: those the group lists, and those whose
// primary group it is. Unknown groups, and lists that cannot be read, count as anyone's.
bool GroupOfUserAndRoot(gid_t group) {
  std::vector<char> buffer(65536);
  struct group entry {};
  struct group* found = nullptr;
  if (getgrgid_r(group, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
    return false;
  }
  const std::string user = UserName(geteuid());
  for (char** member = entry.gr_mem; *member != nullptr; ++member) {
    if (std::strcmp(*member, "root") != 0 && (user.empty() || user != *member)) {
      return false;
    }
  }
  bool alone = true;
  std::vector<char> line(16384);
  passwd account{};
  passwd* next = nullptr;
  setpwent();
  int error = 0;
  while (alone && (error = getpwent_r(&account, line.data(), line.size(), &next)) == 0) {
    alone = account.pw_gid != group || UserOrRoot(account.pw_uid);
  }
  endpwent();
  // ENOENT: the list was read to its end.
  return alone && error == ENOENT;
}

// The entries of a raw POSIX ACL (system.posix_acl_access): a 4-byte version, then 8 bytes each,
// little-endian: tag, permissions, id.
enum AclTag : std::uint16_t {
  kAclUser = 0x02,
  kAclGroupOwner = 0x04,
  kAclGroup = 0x08,
  kAclMask = 0x10,
  kAclOther = 0x20,
};
constexpr std::uint16_t kAclWrite = 2;
constexpr std::size_t kAclHeader = 4;
constexpr std::size_t kAclEntry = 8;

struct AclEntry {
  std::uint16_t tag;
  std::uint16_t permissions;
  std::uint32_t id;
};

std::uint32_t LittleEndian(const std::string& raw, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int byte = bytes - 1; byte >= 0; --byte) {
    value = value << 8 | static_cast<unsigned char>(raw[at + byte]);
  }
  return value;
}

// Whether the ACL `raw` lets only the user and root write: every entry that grants writing
// through the mask names one of them, or a group of theirs alone.
bool AclOfUserAndRoot(const std::string& raw, uid_t owner, gid_t owning_group) {
  if (raw.size() < kAclHeader || (raw.size() - kAclHeader) % kAclEntry != 0) {
    return false;
  }
  std::vector<AclEntry> entries;
  bool mask_writes = true;
  for (std::size_t at = kAclHeader; at < raw.size(); at += kAclEntry) {
    const AclEntry entry{static_cast<std::uint16_t>(LittleEndian(raw, at, 2)),
                         static_cast<std::uint16_t>(LittleEndian(raw, at + 2, 2)),
                         LittleEndian(raw, at + 4, 4)};
    if (entry.tag == kAclMask) {
      mask_writes = (entry.permissions & kAclWrite) != 0;
    }
    entries.push_back(entry);
  }
  for (const AclEntry& entry : entries) {
    if ((entry.permissions & kAclWrite) == 0 || entry.tag == kAclMask) {
      continue;
    }
    const bool masked =
        entry.tag == kAclUser || entry.tag == kAclGroup || entry.tag == kAclGroupOwner;
    if (masked && !mask_writes) {
      continue;
    }
    const bool ours = entry.tag == kAclUser         ? UserOrRoot(entry.id)
                      : entry.tag == kAclGroup      ? GroupOfUserAndRoot(entry.id)
                      : entry.tag == kAclGroupOwner ? GroupOfUserAndRoot(owning_group)
                      : entry.tag == kAclOther      ? false
                                                    : UserOrRoot(owner);
    if (!ours) {
      return false;
    }
  }
  return true;
}

// Whether the folder's ACL lets only the user and root write; a folder without one passes.
// The held descriptor is O_PATH, which fgetxattr refuses: the attribute is read through
// /proc/self/fd, which leads to the very folder without another lookup of its name.
bool AclAllowsOnlyUserAndRoot(int folder, const struct stat& status) {
  const std::string held = "/proc/self/fd/" + std::to_string(folder);
  std::array<char, 4096> value{};
  const ssize_t size =
      getxattr(held.c_str(), "system.posix_acl_access", value.data(), value.size());
  if (size < 0) {
    return errno == ENODATA || errno == ENOTSUP;
  }
  return AclOfUserAndRoot(std::string(value.data(), static_cast<std::size_t>(size)), status.st_uid,
                          status.st_gid);
}

}  // namespace

bool OnlyUserAndRootMayWrite(int folder, const struct stat& status) {
  if (!UserOrRoot(status.st_uid) || (status.st_mode & S_IWOTH) != 0) {
    return false;
  }
  if ((status.st_mode & S_IWGRP) != 0 && !GroupOfUserAndRoot(status.st_gid)) {
    return false;
  }
  return AclAllowsOnlyUserAndRoot(folder, status);
}

}  // namespace krovan
