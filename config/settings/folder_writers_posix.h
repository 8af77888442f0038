#pragma once

#include <sys/stat.h>

namespace krovan {

// Whether nobody but the effective user and root may write the folder open as `folder`
// (O_PATH), described by `status`: its owner is one of them, and neither its mode nor its POSIX
// access ACL lets anyone else write. A group may write only where all its members are the user
// or root: its listed members and every user whose primary group it is, as with a user's private
// group under umask 002. Where that or the ACL cannot be told, others count as writers.
bool OnlyUserAndRootMayWrite(int folder, const struct stat& status);

}  // namespace krovan
