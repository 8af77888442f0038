#pragma once

#include <cstddef>
#include <string>

namespace krovan {

// The first `max_length` bytes (or fewer, up to a read error or the end) of the regular file at
// `path`, or a symbolic link to one; "" when there is no such file. A link is followed only where
// it is trusted (FollowTrustedLinks, trusted_links_posix.h; HoldPath, held_path_win32.h); an
// untrusted one reads as no file. What is checked is the file actually opened, and opening never
// waits: a named pipe or a device is refused, not read.
// One implementation per platform.
std::string ReadFileStart(const char* path, std::size_t max_length);

}  // namespace krovan
