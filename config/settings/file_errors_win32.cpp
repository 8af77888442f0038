#include "config/settings/file_errors_win32.h"

#include <array>
#include <utility>

#include "config/text/utf16.h"

namespace krovan {
namespace {

constexpr std::array<std::pair<DWORD, const char*>, 3> kDescriptions = {{
    {kChangedMeanwhile, "The file was replaced by another while it was being opened"},
    {kIsFolder, "It is a folder, not a file"},
    {kOtherNames, "It has other names too, which another user may have given it"},
}};

}  // namespace

std::string SystemErrorText(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer, length);
  LocalFree(buffer);
  text.erase(text.find_last_not_of(L" \t\r\n") + 1);
  // The number is appended: putting text in front of a string calls the one member that
  // libstdc++ 13 and later keeps compiled in its library, which links its exception runtime.
  return text.empty() ? std::string("Error ").append(std::to_string(error)) : Narrow(text);
}

std::string DescribeWindowsError(DWORD error, const std::wstring& link) {
  if (error == kUntrustedLink) {
    return Narrow(link).append(" is a link that another user may have made or put there");
  }
  for (const auto& [code, text] : kDescriptions) {
    if (error == code) {
      return text;
    }
  }
  return SystemErrorText(error);
}

}  // namespace krovan
