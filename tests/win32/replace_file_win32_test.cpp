#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "tests/scratch_directory.h"
#include "tests/win32/system_message.h"

// windows.h names its own ReplaceFile function through a macro.
#undef ReplaceFile
#include "config/settings/replace_file.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

constexpr char kOld[] = "800\r\n600\r\n";
// CR LF as the writer makes it, and a lone LF that must not become CR LF either.
constexpr char kNew[] = "1024\r\n768\r\n\n-1\r\n";
constexpr DWORD kAnyError = ~DWORD{0};

enum class Target {
  kMissing,
  kFile,
  kReadOnlyFile,
  kHiddenFile,
  kDirectory,
  kOpenWithoutSharing,
  kInMissingDirectory,
  kInNonAsciiDirectory,
};

struct Case {
  std::string name;
  Target target;
  DWORD error;  // 0: replaced
};

void PrintTo(const Case& test, std::ostream* out) {
  *out << test.name;
}

std::vector<std::string> DirectoryListing(const fs::path& directory) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(directory)) {
    const std::u8string name = entry.path().lexically_relative(directory).u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::ranges::sort(names);
  return names;
}

class ReplaceFileWin32Test : public ScratchDirectoryTest,
                             public ::testing::WithParamInterface<Case> {};

TEST_P(ReplaceFileWin32Test, ReplacesWholeOrNotAtAll) {
  const Case& test = GetParam();
  fs::path path = "krovan3d.cfg";
  HANDLE held = INVALID_HANDLE_VALUE;
  switch (test.target) {
    case Target::kMissing:
      break;
    case Target::kFile:
    case Target::kHiddenFile:
    case Target::kReadOnlyFile:
    case Target::kOpenWithoutSharing:
      WriteFile(path, kOld);
      break;
    case Target::kDirectory:
      fs::create_directory(path);
      break;
    case Target::kInMissingDirectory:
      path = fs::path("missing") / path;
      break;
    case Target::kInNonAsciiDirectory:
      fs::create_directory(u8"\u00DCbung");
      path = fs::path(u8"\u00DCbung") / path;
      WriteFile(path, kOld);
      break;
  }
  if (test.target == Target::kReadOnlyFile) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  if (test.target == Target::kHiddenFile) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
  }
  if (test.target == Target::kOpenWithoutSharing) {
    held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
  }
  const std::vector<std::string> before = DirectoryListing(".");
  const std::u8string utf8 = path.u8string();

  const std::string error = ReplaceFile(std::string(utf8.begin(), utf8.end()), kNew);

  if (held != INVALID_HANDLE_VALUE) {
    CloseHandle(held);
  }
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (test.error == 0) {
    EXPECT_EQ(error, "");
    EXPECT_EQ(ReadFile(path), kNew);
  } else {
    EXPECT_NE(error, "");
    EXPECT_EQ(error.find_last_not_of(" \t\r\n"), error.size() - 1) << "no line end at the end";
    if (test.error != kAnyError) {
      EXPECT_EQ(error, testing::SystemMessage(test.error));
    }
    if (fs::is_regular_file(path)) {
      EXPECT_EQ(ReadFile(path), kOld) << "the old file is untouched";
    }
  }
  std::vector<std::string> after_expected = before;
  if (test.target == Target::kMissing && test.error == 0) {
    after_expected.push_back("krovan3d.cfg");
  }
  EXPECT_EQ(DirectoryListing("."), after_expected) << "nothing left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Win32, ReplaceFileWin32Test,
    ::testing::Values(Case{"NewFile", Target::kMissing, 0}, Case{"OldFile", Target::kFile, 0},
                      Case{"HiddenFile", Target::kHiddenFile, 0},
                      Case{"NonAsciiDirectory", Target::kInNonAsciiDirectory, 0},
                      Case{"ReadOnlyFile", Target::kReadOnlyFile, ERROR_ACCESS_DENIED},
                      Case{"Directory", Target::kDirectory, ERROR_ACCESS_DENIED},
                      Case{"FileInUse", Target::kOpenWithoutSharing, kAnyError},
                      Case{"MissingDirectory", Target::kInMissingDirectory, kAnyError}),
    [](const auto& info) { return info.param.name; });

class ReplaceFileLinkTest : public ScratchDirectoryTest {};

// The link stays a link; the file it names gets the new contents.
TEST_F(ReplaceFileLinkTest, ReplacesTheFileALinkNames) {
  fs::create_directory("game");
  WriteFile("game/real.cfg", kOld);
  if (!CreateSymbolicLinkW(L"krovan3d.cfg", L"game\\real.cfg",
                           SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE)) {
    GTEST_SKIP() << "no symbolic links here: " << testing::SystemMessage(GetLastError());
  }
  const DWORD attributes = GetFileAttributesW(L"krovan3d.cfg");
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    GTEST_SKIP() << "this system makes links that do not show as reparse points (Wine)";
  }
  EXPECT_EQ(ReplaceFile("krovan3d.cfg", kNew), "");
  EXPECT_TRUE(fs::is_symlink("krovan3d.cfg"));
  EXPECT_EQ(ReadFile("game/real.cfg"), kNew);
  EXPECT_EQ(DirectoryListing("game"), std::vector<std::string>{"real.cfg"});
}

}  // namespace
}  // namespace krovan
