#include <windows.h>

#include "config/settings/held_path_win32.h"
#include "config/settings/read_file.h"
#include "config/text/utf16.h"

namespace krovan {

// The file is reached by the same walk as a save, so that a link another user may have put there
// is not followed, not even to read (a link to another computer's share would hand it the
// player's credentials), and read through the handle the walk opened.
std::string ReadFileStart(const char* path, std::size_t max_length) {
  HeldEntry end;
  if (HoldPath(SystemPathCalls(), Widen(path), LastLink::kFollow, GENERIC_READ, end) != 0 ||
      !end.exists || (end.attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return {};
  }
  std::string text(max_length, '\0');
  std::size_t length = 0;
  DWORD got = 0;
  while (length < text.size() &&
         ReadFile(end.entry.get(), text.data() + length, static_cast<DWORD>(text.size() - length),
                  &got, nullptr) &&
         got != 0) {
    length += got;
  }
  text.resize(length);
  return text;
}

}  // namespace krovan
