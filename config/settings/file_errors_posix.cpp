#include "config/settings/file_errors_posix.h"

#include <array>
#include <cstring>
#include <utility>

namespace krovan {
namespace {

constexpr std::array<std::pair<FileError, const char*>, 2> kLinkDescriptions = {{
    {kLinkByAnotherUser, " is a symbolic link that another user made"},
    {kLinkInSharedFolder, " is a symbolic link in a folder that others may write"},
}};

constexpr std::array<std::pair<FileError, const char*>, 5> kDescriptions = {{
    {kNotRegularFile, "Not a regular file"},
    {kNoUnnamedFiles, "The file system cannot make unnamed files"},
    {kCannotMatchOldFile, "The new file cannot have the old one's owner and permissions"},
    {kChangedMeanwhile, "The file was replaced by another while it was being saved"},
    {kNoProcFs, "The file cannot be opened safely without /proc mounted"},
}};

}  // namespace

std::string DescribeFileError(int error, const std::string& link) {
  for (const auto& [code, text] : kLinkDescriptions) {
    if (error == code) {
      return link + text;
    }
  }
  for (const auto& [code, text] : kDescriptions) {
    if (error == code) {
      return text;
    }
  }
  return std::strerror(error);
}

}  // namespace krovan
