#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "config/settings/full_path.h"

namespace krovan {

std::string FullPath(const std::string& path) {
  if (path.starts_with('/')) {
    return path;
  }
  // getcwd allocates a buffer of the length it needs.
  const std::unique_ptr<char, decltype(&std::free)> folder(getcwd(nullptr, 0), &std::free);
  if (!folder) {
    return path;
  }
  const std::string full = folder.get();
  return full.ends_with('/') ? full + path : full + "/" + path;
}

}  // namespace krovan
