#include "config/settings/file_errors_posix.h"

#include <array>
#include <cstring>
#include <utility>

namespace krovan {
namespace {

constexpr std::array<std::pair<FileError, const char*>, 4> kDescriptions = {{
    {kNotRegularFile, "Not a regular file"},
    {kNoUnnamedFiles, "The file system cannot make unnamed files"},
    {kCannotMatchOldFile, "The new file cannot have the old one's owner and permissions"},
    {kChangedMeanwhile, "The file was replaced by another while it was being saved"},
}};

}  // namespace

std::string DescribeFileError(int error, const std::string& link) {
  if (error == kUntrustedLink) {
    return link + " is a symbolic link that another user made";
  }
  for (const auto& [code, text] : kDescriptions) {
    if (error == code) {
      return text;
    }
  }
  return std::strerror(error);
}

}  // namespace krovan
