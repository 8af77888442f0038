#pragma once

#include <sys/stat.h>

#include <string>

namespace krovan {

// Whether nobody but the effective user and root may write the folder open as `folder`
// (O_PATH), described by `status`: its owner is one of them, and neither its mode, nor its POSIX
// access ACL, nor its NFSv4 ACL lets anyone else write. A group may write only where all its
// members are the user or root: its listed members and every user whose primary group it is, as
// with a user's private group under umask 002. Where that or the ACL cannot be told, others count
// as writers.
bool OnlyUserAndRootMayWrite(int folder, const struct stat& status);

// Whether the raw NFSv4 ACL `raw` (system.nfs4_acl) of a folder owned by `owner` and `group`
// lets only the user and root change its entries; one that cannot be parsed lets others.
bool Nfs4AclOfUserAndRoot(const std::string& raw, uid_t owner, gid_t group);

}  // namespace krovan
