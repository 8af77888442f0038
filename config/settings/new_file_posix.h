#pragma once

#include <sys/types.h>

#include <string>

#include "config/settings/descriptor_posix.h"

namespace krovan {

// How the new contents wait, complete and on disk, before they take the old file's place.
// kUnnamed: a file without a name (O_TMPFILE) that is linked under a temporary name only just
// before the rename, so a killed save leaves nothing behind. kNamed: a temporary file named from
// the start, for file systems without unnamed files. Temporary names are the target's name
// followed by ".saving-" and six random characters (".saving-" and the six alone where the
// target's name is too long for that), and the file is locked (flock) while its save runs.
enum class NewFileKind { kUnnamed, kNamed };

// The new file, open for writing; `name` stays empty while it has none.
struct NewFile {
  Descriptor fd;
  std::string name;
};

// Every function here works in `folder`, the held folder (trusted_links_posix.h) that holds
// the file named `target`, and returns an errno value or a FileError, 0 on success.

// Creates an empty, locked file of `kind` for `target`, asking for `mode`, which the kernel
// narrows by the umask or the folder's default ACL. kNoUnnamedFiles where the system cannot make
// an unnamed one.
int OpenNewFile(NewFileKind kind, int folder, const std::string& target, mode_t mode,
                NewFile& file);

// Gives an unnamed file a fresh temporary name; a named file is left as it is.
int NameNewFile(int folder, const std::string& target, NewFile& file);

// Closes the new file and removes its name, if it has one.
void DiscardNewFile(int folder, NewFile& file);

// Removes the temporary files of `target` that no running save holds: those of saves killed
// between naming the file and renaming it over `target`. Best effort: nothing is removed from a
// folder that cannot be listed.
void RemoveLeftovers(int folder, const std::string& target);

}  // namespace krovan
