#pragma once

#include <filesystem>
#include <string>

namespace krovan {

// How the new contents wait, complete and on disk, before they take the old file's place.
// kUnnamed: a file without a name (O_TMPFILE) that is linked under a temporary name only just
// before the rename, so a killed save leaves nothing behind. kNamed: a temporary file named from
// the start, for file systems without unnamed files. Temporary names are `target` followed by
// ".saving-" and six random characters, and the file is locked (flock) while its save runs.
enum class NewFileKind { kUnnamed, kNamed };

// The new file, open for writing; `name` stays empty while it has none.
struct NewFile {
  int fd = -1;
  std::string name;
};

// Returned instead of an errno value when this system cannot make or name an unnamed file.
inline constexpr int kNoUnnamedFiles = -2;

// Creates an empty, locked file of `kind`, mode 0600, in `directory`, which holds `target`.
// Returns an errno value, 0 on success.
int OpenNewFile(NewFileKind kind, const std::filesystem::path& directory, const std::string& target,
                NewFile& file);

// Removes the temporary files of `target` in `directory` that no running save holds: those of
// saves killed between naming the file and renaming it over `target`.
void RemoveLeftovers(const std::filesystem::path& directory, const std::string& target);

// Gives an unnamed file a fresh temporary name beside `target`; a named file is left as it is.
// Returns an errno value, 0 on success.
int NameNewFile(const std::string& target, NewFile& file);

}  // namespace krovan
