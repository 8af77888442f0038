#pragma once

#include <string>
#include <string_view>

namespace krovan {

// Replaces the file at `path` (relative or absolute, UTF-8) by `contents` so that it is never
// left half-written: the new contents go to a temporary file in the same directory, which is
// flushed to disk and then renamed over the old file. Refuses, leaving it untouched, a file
// that the user has made read-only and a path that names a directory. A symbolic link is kept
// and the file it points to is replaced. On failure the old file is byte-identical, the
// temporary file is gone, and the system's description of the error is returned; on success
// the empty string. The new file keeps the old one's permissions, and its owner and group
// where the process may set them. One implementation per platform.
std::string ReplaceFile(const std::string& path, std::string_view contents);

}  // namespace krovan
