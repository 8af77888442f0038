#pragma once

#include <string>

#include "config/toolkit.h"

namespace krovan {

// Deletes the file at `path` (UTF-8) with the C++ library's file system operations; a directory
// at that path is refused, never removed, and so is a path through an untrusted symbolic link
// (FollowTrustedLinksOnTheWay, settings/trusted_links.h). Used where no platform call is needed.
FileRemoval RemoveRegularFile(const std::string& path);

}  // namespace krovan
