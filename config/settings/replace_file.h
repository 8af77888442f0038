#pragma once

#include <string>
#include <string_view>

namespace krovan {

// Replaces the file at `path` (relative or absolute, UTF-8) by `contents`, deciding per file
// how. Where the folder takes a new file and the new file can be the old one's equal (the same
// owner, group and permissions, ACL included, and no other hard link), the new contents go to a
// temporary file in the same folder, which is flushed to disk and then renamed over the old
// file: a save that stops anywhere leaves the old file or the new one, never a mix. Otherwise
// (a shared game folder the user may not write, a file shared through its group, a file with
// several links) the old file is rewritten in place, keeping everything about it but its
// contents. Refuses, leaving it untouched, a file that the user may not write or has made
// read-only and a path that names a directory. A symbolic link is kept and the file it points
// to is replaced; on POSIX systems only a trusted link is followed (FollowTrustedLinks,
// trusted_links_posix.h), and an untrusted one on the way refuses the save before anything is
// written. On failure the system's description of the error is returned, no temporary
// file is left and, but for an interrupted rewrite in place, the old file is byte-identical; on
// success the empty string. (One exception on Windows: when ReplaceFileW has already removed the
// old file and the name can be given the new contents in no way, the temporary file stays, as the
// only copy of the settings.) One implementation per platform.
std::string ReplaceFile(const std::string& path, std::string_view contents);

}  // namespace krovan
