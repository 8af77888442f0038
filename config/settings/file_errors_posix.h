#pragma once

#include <string>

namespace krovan {

// The file layer's results: 0 for success, an errno value (positive) for what the system
// refused, or one of these (negative) for what the file layer refuses itself or must tell apart
// from the system's answers.
enum FileError : int {
  // A pipe, device or socket in the file's place, which is never opened for writing.
  kNotRegularFile = -1,
  // The system cannot make or name an unnamed (O_TMPFILE) file; a named one serves instead.
  kNoUnnamedFiles = -2,
  // The new file cannot get the old one's owner, group, permissions or ACL; the old file is
  // rewritten in place instead.
  kCannotMatchOldFile = -3,
  // A symbolic link that another user made (FollowTrustedLinks).
  kLinkByAnotherUser = -4,
  // The name now leads to another file than the one just checked: someone changed the folder.
  kChangedMeanwhile = -5,
  // A symbolic link in a folder that others may write, where any of them could have put it, or
  // in a folder reached through one (FollowTrustedLinks).
  kLinkInSharedFolder = -6,
  // /proc is not mounted: a file held open by the walk cannot be opened for reading or writing
  // without looking its name up again, which is refused.
  kNoProcFs = -7,
};

// The description of `error` for the user, in the system's words where the system has them.
// `link` names the refused link of kLinkByAnotherUser and kLinkInSharedFolder.
std::string DescribeFileError(int error, const std::string& link = {});

}  // namespace krovan
