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

namespace krovan {
namespace {

// As many links as the kernel follows in one path lookup before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kOthersMayWrite = S_IWGRP | S_IWOTH;

// A folder on the way, held open.
struct Folder {
  Descriptor fd;
  struct stat status {};
  bool vouches = true;  // for the links of its owner, and for the folders in it
  std::string path;     // the way to it, for messages
};

// Adds the parts of `path` to `parts`, a stack whose top is the next part to walk. Empty parts
// and "." lead nowhere and are left out; a path of none such leads to ".".
void PushParts(std::string_view path, std::vector<std::string>& parts) {
  const std::size_t before = parts.size();
  for (std::size_t end = path.size(); end > 0;) {
    const std::size_t slash = path.rfind('/', end - 1);
    const std::size_t begin = slash == std::string_view::npos ? 0 : slash + 1;
    const std::string_view part = path.substr(begin, end - begin);
    if (!part.empty() && part != ".") {
      parts.emplace_back(part);
    }
    end = slash == std::string_view::npos ? 0 : slash;
  }
  if (parts.size() == before) {
    parts.emplace_back(".");
  }
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) {
    return name;
  }
  return folder.ends_with('/') ? folder + name : folder + "/" + name;
}

// Whether `entry`, a link or folder found in `holder`, is one that the user may trust: the
// user's own, or one that `holder` vouches for.
bool Trusted(const struct stat& entry, const Folder& holder) {
  return entry.st_uid == geteuid() ||
         (holder.vouches &&
          (entry.st_uid == holder.status.st_uid || (holder.status.st_mode & kOthersMayWrite) == 0));
}

// Makes the folder `where` in `from` the new start of the walk, in place of `folders`: the
// current folder or the root at first, the root for an absolute link, or the folder above the
// start. The user chose it, so it vouches.
int Restart(int from, const char* where, std::string path, std::vector<Folder>& folders) {
  Folder start{.fd = Descriptor(openat(from, where, O_PATH | O_DIRECTORY | O_CLOEXEC)),
               .path = std::move(path)};
  if (!start.fd.valid() || fstat(start.fd.get(), &start.status) != 0) {
    return errno;
  }
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
      if (!Trusted(status, folder)) {
        return kUntrustedLink;
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
      return 0;
    }
    if (!S_ISDIR(status.st_mode)) {
      return ENOTDIR;
    }
    const bool vouches = Trusted(status, folder);
    folders.push_back(
        {.fd = std::move(entry), .status = status, .vouches = vouches, .path = end.path});
  }
}

}  // namespace krovan
