#pragma once

#include <string_view>

namespace krovan {

// What both ways of saving share: the two steps below, each returning an errno value, 0 on
// success.

// Writes all of `contents` at offset 0 of the open file `fd`, retrying after interruptions and
// short writes. A write that writes nothing (which no file system should answer) is EIO.
int WriteFromStart(int fd, std::string_view contents);

// Flushes the open file `fd` to disk.
int SyncFile(int fd);

}  // namespace krovan
