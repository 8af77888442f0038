#pragma once

#include <windows.h>

#include <string>

namespace krovan {

// The Windows file layer's own refusals, beside the system's error codes: application codes
// (bit 29 set), which no Windows call returns.
// A junction or symbolic link that another user may have made or put there.
constexpr DWORD kUntrustedLink = APPLICATION_ERROR_MASK | 0xCF0 | 1;
// The name now leads to another file than the one just opened: someone changed the folder.
constexpr DWORD kChangedMeanwhile = APPLICATION_ERROR_MASK | 0xCF0 | 2;
// A folder where a file was to be deleted.
constexpr DWORD kIsFolder = APPLICATION_ERROR_MASK | 0xCF0 | 3;
// A file with another name too, in a folder that others may change: before Windows 10 anyone
// may give a file they can merely open a second name, so it may be any file of the system's.
constexpr DWORD kOtherNames = APPLICATION_ERROR_MASK | 0xCF0 | 4;

// The system's description of a Windows error code, as FormatMessage gives it (full stop
// included) minus the line end; "Error <code>" for a code Windows has no text for.
std::string SystemErrorText(DWORD error);

// The description of `error` for the user, in the system's words where the system has them.
// `link` names the refused link of kUntrustedLink.
std::string DescribeWindowsError(DWORD error, const std::wstring& link = {});

}  // namespace krovan
