#pragma once

#include <string>

namespace krovan {

// Replaces `path` (UTF-8) by a path to the same place that passes through no symbolic link but
// perhaps its last part, which stays as it is. On POSIX systems the links on the way are
// followed only where they are trusted (FollowTrustedLinks, trusted_links_posix.h): an untrusted
// one leaves `path` as it was and returns the reason. Otherwise returns ""; where the way is
// missing or blocked `path` stays as it is, for the operation on it to meet the same. On Windows
// the system follows links itself, and `path` always stays as it is. One implementation per
// platform.
std::string FollowTrustedLinksOnTheWay(std::string& path);

}  // namespace krovan
