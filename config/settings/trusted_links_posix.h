#pragma once

#include <sys/stat.h>

#include <string>

#include "config/settings/descriptor_posix.h"

namespace krovan {

// Whether the last part of a path is followed when it is a symbolic link: to reach the file the
// link names (reading, saving) or the link itself (deleting).
enum class LastLink { kFollow, kKeep };

// Where a path leads: the folder that holds its end, held open (O_PATH), and the end's name in
// it. Every later step acts relative to `folder`, never by the path again, so that nobody can
// rename a folder on the way or put a link in its place between the walk and its use.
struct HeldPath {
  Descriptor folder;
  std::string name;       // one part, without a slash
  std::string path;       // the way walked, through no link (but the last part with kKeep)
  struct stat status {};  // of what is at `name`, not following a link; when `exists` only
  bool exists = false;    // false where nothing is there yet: a missing file, a dangling link
};

// Walks `path` part by part from the current folder, or from the root for an absolute path,
// holding each folder open and following a symbolic link only when it is trusted:
// - when it belongs to the user running the program (the effective user);
// - or when the folder holding it vouches for it: it belongs to that folder's owner, or nobody
//   but the owner may write that folder.
// A folder vouches for links only when it may itself be trusted: it is the start, or it belongs
// to the user or to the owner of the folder holding it, or nobody else may write the folder
// holding it, and that folder vouches too. Anyone else's link in a folder that others may write,
// or any link in a folder that another user put on the way, could have been planted to steer a
// save onto a file of the player's own. That is the rule of Linux's fs.protected_symlinks for
// sticky world-writable folders, applied here to every link on the way and for root too: the
// kernel never sees the links followed here by hand, and does not guard group-writable folders
// (a shared setgid game folder). Links and folders are judged from their own descriptors, and a
// link's text is read from the descriptor that was judged. Returns 0, an errno value, or
// kUntrustedLink (file_errors_posix.h) with `end.path` naming the refused link.
int FollowTrustedLinks(const std::string& path, LastLink last, HeldPath& end);

}  // namespace krovan
