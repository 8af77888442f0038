#pragma once

#include <string>

namespace krovan {

// What deleting a file did: deleted it, found nothing there (no such file or folder), or could
// not delete it, with the system's description of why.
struct FileRemoval {
  enum class Outcome { kRemoved, kAbsent, kFailed };
  Outcome outcome = Outcome::kRemoved;
  std::string error{};  // kFailed only

  bool operator==(const FileRemoval&) const = default;
};

// Deletes the file at `path` (UTF-8); a folder at that path is refused, never removed. On POSIX
// systems the links on the way are followed only where they are trusted (FollowTrustedLinks,
// trusted_links_posix.h), and the file is deleted from the folder the walk holds, so nobody can
// turn the delete to another folder meanwhile; a link at `path` itself is deleted, not followed.
// One implementation per platform.
FileRemoval RemoveRegularFile(const std::string& path);

}  // namespace krovan
