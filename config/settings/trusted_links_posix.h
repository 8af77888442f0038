#pragma once

#include <sys/stat.h>

#include <string>

namespace krovan {

// Returned instead of an errno value for a symbolic link that is not trusted.
inline constexpr int kUntrustedLink = -4;

// Whether the last part of a path is followed when it is a symbolic link: to reach the file the
// link names (reading, saving) or the link itself (deleting).
enum class LastLink { kFollow, kKeep };

// Where a path leads: `path` names the same place through no symbolic link (but the last part,
// with LastLink::kKeep); `exists` is false where nothing is there yet (a missing file, a dangling
// link), and otherwise `status` is the lstat of what is there.
struct PathEnd {
  std::string path;
  struct stat status {};
  bool exists = false;
};

// Walks `path` part by part as the system would, following a symbolic link only when it is
// trusted: when it belongs to the user running the program (the effective user), or to the owner
// of the folder that holds it, or when that folder may be written by nobody but its owner.
// Anyone else's link in a folder that others may write could have been planted there to steer a
// save onto a file of the player's own. That is the rule of Linux's fs.protected_symlinks for
// sticky world-writable folders; the kernel never sees the links followed here by hand, and does
// not guard group-writable folders (a shared setgid game folder), so it is applied here, to
// every link on the way and for root too. Returns an errno value, 0 on success, or
// kUntrustedLink with `end.path` naming the refused link.
int FollowTrustedLinks(const std::string& path, LastLink last, PathEnd& end);

// The reason given for refusing the untrusted symbolic link at `link`.
std::string UntrustedLinkError(const std::string& link);

}  // namespace krovan
