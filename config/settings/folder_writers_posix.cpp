#include "config/settings/folder_writers_posix.h"

#include <grp.h>
#include <linux/limits.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
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

// The entries of an NFSv4 ACL (system.nfs4_acl), XDR: big-endian 4-byte units, a count, then
// per entry its type, flags, access mask and who, a string (length, bytes, zeros to 4 bytes).
constexpr std::uint32_t kNfs4Allow = 0;
constexpr std::uint32_t kNfs4LastType = 3;  // deny, audit and alarm grant nothing
constexpr std::uint32_t kNfs4InheritOnly = 0x8;
constexpr std::uint32_t kNfs4IdentifierGroup = 0x40;
// Rights that change a folder's entries or who may. Deleting the folder itself (0x10000) is its
// parent's business.
enum Nfs4Right : std::uint32_t {
  kNfs4AddFile = 0x2,
  kNfs4AddSubdirectory = 0x4,
  kNfs4DeleteChild = 0x40,
  kNfs4WriteAcl = 0x40000,
  kNfs4WriteOwner = 0x80000,
};
constexpr std::uint32_t kNfs4Writes =
    kNfs4AddFile | kNfs4AddSubdirectory | kNfs4DeleteChild | kNfs4WriteAcl | kNfs4WriteOwner;

// Reads the XDR of an NFSv4 ACL a unit or a string at a time; any read past its end fails.
class XdrReader {
 public:
  explicit XdrReader(const std::string& raw) : raw_(raw) {}

  bool Unit(std::uint32_t* value) {
    if (raw_.size() - at_ < 4) {
      return false;
    }
    *value = 0;
    for (int byte = 0; byte < 4; ++byte) {
      *value = *value << 8 | static_cast<unsigned char>(raw_[at_++]);
    }
    return true;
  }

  bool String(std::string* value) {
    std::uint32_t length = 0;
    if (!Unit(&length) || raw_.size() - at_ < length) {
      return false;
    }
    *value = raw_.substr(at_, length);
    at_ += length;
    for (; at_ % 4 != 0; ++at_) {
      if (at_ == raw_.size() || raw_[at_] != '\0') {
        return false;
      }
    }
    return true;
  }

  bool AtEnd() const { return at_ == raw_.size(); }

 private:
  const std::string& raw_;
  std::size_t at_ = 0;
};

// The id that `text` spells in decimal, if that is all it is.
bool Number(const std::string& text, std::uint32_t* id) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *id);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

// Whether the named principal `who` ("name@domain", or a bare id) is the user or root, or with
// `group` a group of theirs alone. Names that do not resolve here are someone else's.
bool PrincipalOfUserAndRoot(const std::string& who, bool group) {
  std::uint32_t id = 0;
  if (!Number(who, &id)) {
    const std::size_t at = who.find('@');
    if (at == 0 || at == std::string::npos) {
      return false;
    }
    const std::string name = who.substr(0, at);
    std::vector<char> buffer(65536);
    if (group) {
      struct group entry {};
      struct group* found = nullptr;
      if (getgrnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
          found == nullptr) {
        return false;
      }
      id = entry.gr_gid;
    } else {
      passwd entry{};
      passwd* found = nullptr;
      if (getpwnam_r(name.c_str(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
          found == nullptr) {
        return false;
      }
      id = entry.pw_uid;
    }
  }
  return group ? GroupOfUserAndRoot(id) : UserOrRoot(id);
}

// Whether the allowing entry for `who` grants only the user and root.
bool Nfs4WhoOfUserAndRoot(const std::string& who, std::uint32_t flags, uid_t owner, gid_t group) {
  if (who == "OWNER@") {
    return UserOrRoot(owner);
  }
  if (who == "GROUP@") {
    return GroupOfUserAndRoot(group);
  }
  if (who == "EVERYONE@") {
    return false;
  }
  return PrincipalOfUserAndRoot(who, (flags & kNfs4IdentifierGroup) != 0);
}

// Whether the folder's ACL or NFSv4 ACL `name` lets only the user and root write; a folder
// without one passes. The held descriptor is O_PATH, which fgetxattr refuses: the attribute is
// read through /proc/self/fd, which leads to the very folder without another lookup of its name.
bool AttributeAllowsOnlyUserAndRoot(int folder, const struct stat& status, const char* name,
                                    bool (*of_user_and_root)(const std::string&, uid_t, gid_t)) {
  const std::string held = "/proc/self/fd/" + std::to_string(folder);
  std::vector<char> value(XATTR_SIZE_MAX);
  const ssize_t size = getxattr(held.c_str(), name, value.data(), value.size());
  if (size < 0) {
    return errno == ENODATA || errno == ENOTSUP || errno == EOPNOTSUPP;
  }
  return of_user_and_root(std::string(value.data(), static_cast<std::size_t>(size)), status.st_uid,
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
  return AttributeAllowsOnlyUserAndRoot(folder, status, "system.posix_acl_access",
                                        AclOfUserAndRoot) &&
         AttributeAllowsOnlyUserAndRoot(folder, status, "system.nfs4_acl", Nfs4AclOfUserAndRoot);
}

bool Nfs4AclOfUserAndRoot(const std::string& raw, uid_t owner, gid_t group) {
  XdrReader reader(raw);
  std::uint32_t count = 0;
  if (!reader.Unit(&count)) {
    return false;
  }
  for (std::uint32_t entry = 0; entry < count; ++entry) {
    std::uint32_t type = 0;
    std::uint32_t flags = 0;
    std::uint32_t mask = 0;
    std::string who;
    if (!reader.Unit(&type) || !reader.Unit(&flags) || !reader.Unit(&mask) ||
        !reader.String(&who) || type > kNfs4LastType) {
      return false;
    }
    const bool grants_writing =
        type == kNfs4Allow && (flags & kNfs4InheritOnly) == 0 && (mask & kNfs4Writes) != 0;
    if (grants_writing && !Nfs4WhoOfUserAndRoot(who, flags, owner, group)) {
      return false;
    }
  }
  return reader.AtEnd();
}

}  // namespace krovan
