#pragma once

#include <string>
#include <string_view>

namespace krovan {

// Returned instead of an errno value when the file at the path is no longer a regular file.
inline constexpr int kNotRegularFile = -1;

// Rewrites the regular file at `path` in place with `contents`: the same inode, so its owner,
// group, permissions, ACL, extended attributes and other hard links all stay as they are. The
// space for the new contents is reserved first, so a full disk or a size limit leaves the file
// as it was; then the contents go over the old ones from the start, and only then is the file
// cut to their length. The reader ignores whatever follows the values it needs, so a save
// stopped between the write and the cut still reads as the new settings; only one stopped in
// the middle of that one write can leave old and new mixed. Returns an errno value, 0 on
// success.
int RewriteInPlace(const std::string& path, std::string_view contents);

}  // namespace krovan
