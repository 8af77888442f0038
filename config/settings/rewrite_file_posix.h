#pragma once

#include <string_view>

namespace krovan {

// Rewrites the regular file open for writing as `fd` in place with `contents`: the same inode,
// so its owner, group, permissions, ACL, extended attributes and other hard links all stay as
// they are. The space for the new contents is reserved first, so a full disk or a size limit
// leaves the file as it was; then the contents go over the old ones from the start, and only
// then is the file cut to their length. The reader ignores whatever follows the values it needs,
// so a save stopped between the write and the cut still reads as the new settings; only one
// stopped in the middle of that one write can leave old and new mixed. Returns an errno value,
// 0 on success.
int RewriteInPlace(int fd, std::string_view contents);

}  // namespace krovan
