#pragma once

#include <string_view>

namespace krovan {

// What both ways of saving share: the two steps below, each returning an errno value, 0 on
// success, and the refusal of what is not a regular file.

// Returned instead of an errno value for a pipe, device or socket in the file's place, for which
// the system has no error of its own.
inline constexpr int kNotRegularFile = -1;

// Writes all of `contents` at offset 0 of the open file `fd`, retrying after interruptions and
// short writes.
int WriteFromStart(int fd, std::string_view contents);

// Flushes the open file `fd` to disk.
int SyncFile(int fd);

}  // namespace krovan
