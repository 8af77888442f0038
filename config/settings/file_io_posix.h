#pragma once

#include <string_view>

namespace krovan {

// The two steps of a save that both ways of saving share. Each returns an errno value, 0 on
// success.

// Writes all of `contents` at offset 0 of the open file `fd`, retrying after interruptions and
// short writes.
int WriteFromStart(int fd, std::string_view contents);

// Flushes the open file `fd` to disk.
int SyncFile(int fd);

}  // namespace krovan
