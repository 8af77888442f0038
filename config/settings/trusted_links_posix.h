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
  Descriptor file;        // what is at `name`, held open (O_PATH, never followed); when `exists`
};

// Walks `path` part by part from the current folder, or from the root for an absolute path,
// holding each folder open and following a symbolic link only where nobody but the user running
// the program (the effective user) and root could have made it or put it there:
// - in a folder that nobody but the user and root may write (owner, mode, group members and
//   ACL: OnlyUserAndRootMayWrite), reached only through such folders or the next rule;
// - in a sticky folder, when the link is the user's or the folder owner's: the rule of Linux's
//   fs.protected_symlinks, sound there because nobody may move another's entry in or out.
// Nowhere else: in a folder that others may write and that is not sticky, anyone of them may
// rename into it any link that lies in a folder they may write, root's included, so a link's
// owner proves nothing there; nor inside a folder reached through one. A link with a second name
// counts as another user's unless it is the user's own. Root is a user like any other: root
// follows no link in a folder that another user may write. The kernel never sees the links
// followed here by hand, and does not guard group-writable folders (a shared setgid game folder).
// Links and folders are judged from their own descriptors, and a link's text is read from the
// descriptor that was judged. Returns 0, an errno value, or kLinkInSharedFolder or
// kLinkByAnotherUser (file_errors_posix.h) with `end.path` naming the refused link.
int FollowTrustedLinks(const std::string& path, LastLink last, HeldPath& end);

}  // namespace krovan
