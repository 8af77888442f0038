#include "config/settings/trusted_links_posix.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <string_view>
#include <vector>

#include "config/settings/trusted_links.h"

namespace krovan {
namespace {

// As many links as the kernel follows in one path lookup before it gives up with ELOOP.
constexpr int kMaxLinkHops = 40;
constexpr mode_t kOthersMayWrite = S_IWGRP | S_IWOTH;

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

// 0 when the link described by `link` may be followed out of `folder` ("" for the current one),
// else kUntrustedLink or an errno value.
int CheckTrusted(const struct stat& link, const std::string& folder) {
  if (link.st_uid == geteuid()) {
    return 0;
  }
  struct stat holder {};
  if (stat(folder.empty() ? "." : folder.c_str(), &holder) != 0) {
    return errno;
  }
  const bool trusted = link.st_uid == holder.st_uid || (holder.st_mode & kOthersMayWrite) == 0;
  return trusted ? 0 : kUntrustedLink;
}

int ReadLink(const std::string& link, std::string& target) {
  std::array<char, PATH_MAX> text{};
  const ssize_t length = readlink(link.c_str(), text.data(), text.size());
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

int FollowTrustedLinks(const std::string& path, LastLink last, PathEnd& end) {
  std::vector<std::string> parts;
  PushParts(path, parts);
  // Holds no symbolic link: each part is added once lstat has shown it to be a folder.
  std::string folder = path.starts_with('/') ? "/" : "";
  int hops = 0;
  for (;;) {
    end.path = Join(folder, parts.back());
    parts.pop_back();
    const bool at_last = parts.empty();
    if (lstat(end.path.c_str(), &end.status) != 0) {
      // Nothing at the last part is no error: a save creates the file there.
      return errno == ENOENT && at_last ? 0 : errno;
    }
    if (S_ISLNK(end.status.st_mode) && !(at_last && last == LastLink::kKeep)) {
      if (++hops > kMaxLinkHops) {
        return ELOOP;
      }
      std::string target;
      if (const int error = CheckTrusted(end.status, folder)) {
        return error;
      }
      if (const int error = ReadLink(end.path, target)) {
        return error;
      }
      // A relative link goes on from the folder holding it; an absolute one from the root.
      if (target.starts_with('/')) {
        folder.assign(1, '/');  // not = "/": GCC 12 at -O3 warns wrongly of an overlapping copy
      }
      PushParts(target, parts);
      continue;
    }
    if (at_last) {
      end.exists = true;
      return 0;
    }
    if (!S_ISDIR(end.status.st_mode)) {
      return ENOTDIR;
    }
    folder = end.path;
  }
}

std::string UntrustedLinkError(const std::string& link) {
  return link + " is a symbolic link that another user made";
}

std::string FollowTrustedLinksOnTheWay(std::string& path) {
  PathEnd end;
  const int error = FollowTrustedLinks(path, LastLink::kKeep, end);
  if (error == kUntrustedLink) {
    return UntrustedLinkError(end.path);
  }
  if (error == 0) {
    path = end.path;
  }
  return {};
}

}  // namespace krovan
