#include <cstdlib>
#include <memory>

#include "config/settings/full_path.h"
#include "config/text/utf16.h"

namespace krovan {

// The C runtime's _wfullpath: the current folder of the drive, and the path's own drive,
// folders, "." and "..", as Windows itself resolves a path.
std::string FullPath(const std::string& path) {
  const std::unique_ptr<wchar_t, decltype(&std::free)> full(
      _wfullpath(nullptr, Widen(path).c_str(), 0), &std::free);
  return full ? Narrow(full.get()) : path;
}

}  // namespace krovan
