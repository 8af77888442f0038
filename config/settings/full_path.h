#pragma once

#include <string>

namespace krovan {

// `path` (UTF-8) as an absolute path, for telling the user which file a message is about: a
// relative path is taken from the current folder. `path` itself where the current folder cannot
// be named. One implementation per platform.
std::string FullPath(const std::string& path);

}  // namespace krovan
