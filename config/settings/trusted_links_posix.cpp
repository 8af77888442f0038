#include "config/settings/trusted_links_posix.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <string_view>
#include <utility>
#include <vector>

#include "config/settings/file_errors_posix.h"
#include "config/settings/folder_writers_posix.h"

namespace krovan {
namespace {

// As many links as the kernel follows in one path lookup before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;

// A folder on the way, held open.
struct Folder {
  Descriptor fd;
  struct stat status {};
  // Reached only through folders where nobody else could have put the next one.
  bool reached_safely = true;
  // Nobody but the user and root may write it (OnlyUserAndRootMayWrite).
  bool theirs_alone = false;
  std::string path;  // the way to it, for messages
};

// Adds the parts of `path` to `parts`, a stack whose top is the next part to walk. Empty parts
// and "." lead nowhere and are left out. Only where nothing is left to walk does a "." stand for
// the folder reached, as the end of the path: a "." that a later ".." took for a folder of its
// own would go back to the wrong one.
void PushParts(std::string_view path, std::vector<std::string>& parts) {
  for (std::size_t end = path.size(); end > 0;) {
    const std::size_t slash = path.rfind('/', end - 1);
    const std::size_t begin = slash == std::string_view::npos ? 0 : slash + 1;
    const std::string_view part = path.substr(begin, end - begin);
    if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    end = slash == std::string_view::npos ? 0 : slash;
  }
  if (parts.empty()) {
    parts.emplace_back(".");
  }
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

// Whether nobody but the user and root could have put `entry`, a link or folder, in `holder`:
// 0, or why not. A folder that nobody else may write holds only what they put there. In a sticky
// folder nobody may move another's entry, so an entry of the user's or of the folder's owner was
// put there by them, the kernel's own rule (fs.protected_symlinks); the owner's counts only
// where the owner is root, for a folder's owner is another user like any other. Anywhere else
// anyone who may write the folder could have renamed into it any link of anyone's, root's too. A
// link with a second name may be a hard link that someone else made of another's link.
int PutThereByUserOrRoot(const struct stat& entry, const Folder& holder) {
  if (!holder.reached_safely) {
    return kLinkInSharedFolder;
  }
  if (S_ISLNK(entry.st_mode) && entry.st_nlink > 1 && entry.st_uid != geteuid()) {
    return kLinkByAnotherUser;
  }
  if (holder.theirs_alone) {
    return 0;
  }
  if ((holder.status.st_mode & S_ISVTX) == 0) {
    return kLinkInSharedFolder;
  }
  const bool owners = entry.st_uid == holder.status.st_uid && holder.status.st_uid == 0;
  return entry.st_uid == geteuid() || owners ? 0 : kLinkByAnotherUser;
}

// Makes the folder `where` in `from` the new start of the walk, in place of `folders`: the
// current folder or the root at first, the root for an absolute link, or the folder above the
// start. Nothing was followed to reach it; whether it holds only what the user and root put
// there is judged like any other folder's.
int Restart(int from, const char* where, std::string path, std::vector<Folder>& folders) {
  Folder start{.fd = Descriptor(openat(from, where, O_PATH | O_DIRECTORY | O_CLOEXEC)),
               .path = std::move(path)};
  if (!start.fd.valid() || fstat(start.fd.get(), &start.status) != 0) {
    return errno;
  }
  start.theirs_alone = OnlyUserAndRootMayWrite(start.fd.get(), start.status);
  folders.clear();
  folders.push_back(std::move(start));
  return 0;
}

// The text of the link open as `link` (O_PATH): the very link that was judged.
int ReadLinkText(int link, std::string& target) {
  std::array<char, PATH_MAX> text{};
  const ssize_t length = readlinkat(link, "", text.data(), text.size());
  if (length < 0) {
    return errno;
  }
  // The kernel takes an empty link for a missing file.
  if (length == 0) {
    return ENOENT;
  }
  if (static_cast<std::size_t>(length) == text.size()) {
    return ENAMETOOLONG;
  }
  target.assign(text.data(), static_cast<std::size_t>(length));
  return 0;
}

}  // namespace

int FollowTrustedLinks(const std::string& path, LastLink last, HeldPath& end) {
  std::vector<std::string> parts;
  PushParts(path, parts);
  // The folders from the start to the current one, each entered from the one before: ".." goes
  // back along them, as the kernel would, without another lookup.
  std::vector<Folder> folders;
  const bool absolute = path.starts_with('/');
  if (const int error = Restart(AT_FDCWD, absolute ? "/" : ".", absolute ? "/" : "", folders)) {
    return error;
  }
  int hops = 0;
  for (;;) {
    const std::string name = std::move(parts.back());
    parts.pop_back();
    const bool at_last = parts.empty();
    Folder& folder = folders.back();
    end.path = Join(folder.path, name);
    if (name == ".." && !at_last) {
      if (folders.size() > 1) {
        folders.pop_back();
      } else if (const int error = Restart(folder.fd.get(), "..", end.path, folders)) {
        return error;
      }
      continue;
    }
    Descriptor entry(openat(folder.fd.get(), name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat status {};
    if (!entry.valid() || fstat(entry.get(), &status) != 0) {
      // Nothing at the last part is no error: a save creates the file there.
      if (errno != ENOENT || !at_last) {
        return errno;
      }
      end.folder = std::move(folder.fd);
      end.name = name;
      return 0;
    }
    if (S_ISLNK(status.st_mode) && !(at_last && last == LastLink::kKeep)) {
      if (++hops > kMaxLinkHops) {
        return ELOOP;
      }
      if (const int error = PutThereByUserOrRoot(status, folder)) {
        return error;
      }
      std::string target;
      if (const int error = ReadLinkText(entry.get(), target)) {
        return error;
      }
      // A relative link goes on from the folder holding it; an absolute one from the root.
      if (target.starts_with('/')) {
        if (const int error = Restart(AT_FDCWD, "/", "/", folders)) {
          return error;
        }
      }
      PushParts(target, parts);
      continue;
    }
    if (at_last) {
      end.folder = std::move(folder.fd);
      end.name = name;
      end.status = status;
      end.exists = true;
      end.file = std::move(entry);
      return 0;
    }
    if (!S_ISDIR(status.st_mode)) {
      return ENOTDIR;
    }
    const bool reached_safely = PutThereByUserOrRoot(status, folder) == 0;
    const bool theirs_alone = OnlyUserAndRootMayWrite(entry.get(), status);
    folders.push_back({.fd = std::move(entry),
                       .status = status,
                       .reached_safely = reached_safely,
                       .theirs_alone = theirs_alone,
                       .path = end.path});
  }
}

}  // namespace krovan
