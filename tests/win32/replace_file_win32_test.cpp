#include "config/settings/replace_file_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "config/settings/file_errors_win32.h"
#include "config/settings/trust_win32.h"
#include "tests/scratch_directory.h"
#include "tests/win32/system_message.h"

// windows.h names its own ReplaceFile function through a macro.
#undef ReplaceFile
#include "config/settings/replace_file.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

// Longer than the new contents: a rewrite in place must cut off the rest.
constexpr char kOld[] = "800\r\n600\r\n16\r\n2\r\n0\r\n0\r\n1\r\n";
// CR LF as the writer makes it, and a lone LF that must not become CR LF either.
constexpr char kNew[] = "1024\r\n768\r\n\n-1\r\n";
constexpr DWORD kAnyError = ~DWORD{0};
// An application's own error code (bit 29), for which Windows has no text.
constexpr DWORD kErrorWithoutText = 0x20000001;
// Where Windows may keep the old file after ERROR_UNABLE_TO_MOVE_REPLACEMENT_2.
constexpr wchar_t kWindowsOwnName[] = L"rf1.tmp";

enum class Target {
  kMissing,
  kFile,
  kReadOnlyFile,
  kHiddenFile,
  kTwoLinks,
  kDirectory,
  kOpenWithoutSharing,
  kInMissingDirectory,
  kInNonAsciiDirectory,
};

// The file-system calls whose answer a test chooses: CreateFileW to create the temporary file, to
// open krovan3d.cfg for replacing (reading and deleting) or to write it;
// ReplaceFileW, MoveFileExW, and GetFileAttributesW once ReplaceFileW has failed.
enum class Call {
  kCreateTemporary,
  kOpenToReplace,
  kCreateTarget,
  kReplace,
  kMove,
  kAttributesAfterReplace
};
// What ReplaceFileW has done to the old file when it gives these answers without a backup name.
enum class Before { kNothing, kReplacedDeleted, kReplacedRenamed };

struct Refusal {
  Call call;
  DWORD error;
  Before before = Before::kNothing;
  int times = -1;  // how many calls are refused; -1: all
};

// How krovan3d.cfg was saved, told by its file index: a new file, or the old one rewritten.
enum class Saved { kNewFile, kInPlace, kEitherWay, kNot };

struct Case {
  std::string name;
  Target target;
  std::vector<Refusal> refusals;
  DWORD error;  // 0: saved
  Saved saved;
  bool keeps_temporary = false;  // as the only copy of the new settings
  bool shared_folder = false;    // others may change the folder
};

void PrintTo(const Case& test, std::ostream* out) {
  *out << test.name;
}

// The running case's refusals and folder, what it has done, and what another user does between
// two steps of the save.
std::vector<Refusal> planned_refusals;
bool folder_is_shared = false;
std::wstring temporary_name;  // of the last temporary file created
bool replace_failed = false;
void (*before_writing_target)() = nullptr;

const Refusal* Refused(Call call) {
  const auto found = std::ranges::find(planned_refusals, call, &Refusal::call);
  if (found == planned_refusals.end() || found->times == 0) {
    return nullptr;
  }
  if (found->times > 0) {
    --found->times;
  }
  return &*found;
}

void BeforeWritingTarget() {
  if (before_writing_target != nullptr) {
    std::exchange(before_writing_target, nullptr)();
  }
}

template <typename Result>
Result Fail(const Refusal& refusal, Result result) {
  SetLastError(refusal.error);
  return result;
}

HANDLE WINAPI CreateFileOrRefuse(LPCWSTR name, DWORD access, DWORD share,
                                 LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                 HANDLE template_file) {
  const bool target = fs::path(name).filename() == "krovan3d.cfg";
  const Call call = !target                  ? Call::kCreateTemporary
                    : (access & DELETE) != 0 ? Call::kOpenToReplace
                                             : Call::kCreateTarget;
  if ((access & (GENERIC_WRITE | DELETE)) != 0) {
    if (const Refusal* refusal = Refused(call)) {
      return Fail(*refusal, INVALID_HANDLE_VALUE);
    }
    if (target && (access & GENERIC_WRITE) != 0) {
      BeforeWritingTarget();
    }
  }
  const HANDLE file = CreateFileW(name, access, share, security, disposition, flags, template_file);
  if (!target && disposition == CREATE_NEW && file != INVALID_HANDLE_VALUE) {
    temporary_name = fs::path(name).filename().wstring();
  }
  return file;
}

DWORD WINAPI GetFileAttributesOrRefuse(LPCWSTR name) {
  if (const Refusal* refusal = replace_failed ? Refused(Call::kAttributesAfterReplace) : nullptr) {
    return Fail(*refusal, INVALID_FILE_ATTRIBUTES);
  }
  return GetFileAttributesW(name);
}

bool ClosedUnlessShared(HANDLE folder) {
  return !folder_is_shared && ClosedToOthers(folder);
}

BOOL WINAPI ReplaceFileOrRefuse(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags,
                                LPVOID exclude, LPVOID reserved) {
  const Refusal* refusal = Refused(Call::kReplace);
  if (refusal == nullptr) {
    return ReplaceFileW(replaced, replacement, backup, flags, exclude, reserved);
  }
  replace_failed = true;
  if (refusal->before == Before::kReplacedDeleted) {
    DeleteFileW(replaced);
  } else if (refusal->before == Before::kReplacedRenamed) {
    MoveFileW(replaced, (fs::path(replaced).parent_path() / kWindowsOwnName).c_str());
  }
  return Fail(*refusal, FALSE);
}

BOOL WINAPI MoveFileOrRefuse(LPCWSTR from, LPCWSTR to, DWORD flags) {
  if (const Refusal* refusal = Refused(Call::kMove)) {
    return Fail(*refusal, FALSE);
  }
  return MoveFileExW(from, to, flags);
}

constexpr FileSystemCalls kCallsOrRefusals{&CreateFileOrRefuse, &GetFileAttributesOrRefuse,
                                           &ReplaceFileOrRefuse, &MoveFileOrRefuse,
                                           &ClosedUnlessShared};

std::vector<std::string> DirectoryListing(const fs::path& directory) {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(directory)) {
    const std::u8string name = entry.path().lexically_relative(directory).u8string();
    names.emplace_back(name.begin(), name.end());
  }
  std::ranges::sort(names);
  return names;
}

std::uint64_t FileIndex(const fs::path& path) {
  const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  BY_HANDLE_FILE_INFORMATION information{};
  GetFileInformationByHandle(file, &information);
  CloseHandle(file);
  return std::uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow;
}

std::string Utf8Path(const fs::path& path) {
  const std::u8string utf8 = path.u8string();
  return {utf8.begin(), utf8.end()};
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
    case Target::kTwoLinks:
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
  if (test.target == Target::kTwoLinks) {
    ASSERT_TRUE(CreateHardLinkW(L"other-name.cfg", path.c_str(), nullptr))
        << testing::SystemMessage(GetLastError());
  }
  if (test.target == Target::kOpenWithoutSharing) {
    held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
  }
  const std::vector<std::string> before = DirectoryListing(".");
  const std::uint64_t old_index = fs::is_regular_file(path) ? FileIndex(path) : 0;
  planned_refusals = test.refusals;
  folder_is_shared = test.shared_folder;
  temporary_name.clear();
  replace_failed = false;

  const std::string error = test.refusals.empty() && !test.shared_folder
                                ? ReplaceFile(Utf8Path(path), kNew)
                                : ReplaceFileUsing(kCallsOrRefusals, Utf8Path(path), kNew);

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
    if (test.error == kErrorWithoutText) {
      EXPECT_EQ(error, "Error 536870913");
    } else if (test.error == kOtherNames) {
      EXPECT_EQ(error, "It has other names too, which another user may have given it");
    } else if (test.error != kAnyError) {
      EXPECT_EQ(error, testing::SystemMessage(test.error));
    }
  }
  switch (test.saved) {
    case Saved::kNewFile:
      EXPECT_NE(FileIndex(path), old_index) << "a new file in the old one's place";
      break;
    case Saved::kInPlace:
      EXPECT_EQ(FileIndex(path), old_index) << "the old file rewritten";
      break;
    case Saved::kEitherWay:
      break;
    case Saved::kNot:
      if (fs::is_regular_file(path)) {
        EXPECT_EQ(ReadFile(path), kOld) << "the old file is untouched";
      }
      break;
  }
  if (test.target == Target::kTwoLinks) {
    EXPECT_EQ(ReadFile("other-name.cfg"), test.error == 0 ? kNew : kOld)
        << "the other name shows the file's settings too";
  }
  if (test.shared_folder) {
    EXPECT_EQ(temporary_name, L"") << "a name of its own in a folder that others may change";
  }

  std::vector<std::string> after_expected = before;
  if (test.target == Target::kMissing && test.error == 0) {
    after_expected.push_back("krovan3d.cfg");
  }
  if (std::ranges::any_of(test.refusals, [](const Refusal& refusal) {
        return refusal.before == Before::kReplacedRenamed;
      })) {
    after_expected.push_back(
        Utf8Path(kWindowsOwnName));  // Windows' doing, under a name unknown to us
  }
  if (test.keeps_temporary) {
    std::erase(after_expected, "krovan3d.cfg");
    after_expected.push_back(Utf8Path(temporary_name));
    EXPECT_EQ(ReadFile(temporary_name), kNew);
  }
  std::ranges::sort(after_expected);
  EXPECT_EQ(DirectoryListing("."), after_expected) << "nothing left behind";
}

constexpr Refusal kNoNewFile{Call::kCreateTemporary, ERROR_ACCESS_DENIED};
constexpr Refusal kNoWritingTheFile{Call::kCreateTarget, ERROR_ACCESS_DENIED};
constexpr Refusal kNoMove{Call::kMove, ERROR_ACCESS_DENIED};
constexpr Refusal kOldFileDeleted{Call::kReplace, ERROR_UNABLE_TO_MOVE_REPLACEMENT,
                                  Before::kReplacedDeleted};

INSTANTIATE_TEST_SUITE_P(
    Win32, ReplaceFileWin32Test,
    ::testing::Values(
        // What Wine itself answers.
        Case{"NewFile", Target::kMissing, {}, 0, Saved::kEitherWay},
        Case{"OldFile", Target::kFile, {}, 0, Saved::kNewFile},
        Case{"HiddenFile", Target::kHiddenFile, {}, 0, Saved::kNewFile},
        Case{"NonAsciiDirectory", Target::kInNonAsciiDirectory, {}, 0, Saved::kNewFile},
        Case{"TwoLinks", Target::kTwoLinks, {}, 0, Saved::kInPlace},
        Case{"ReadOnlyFile", Target::kReadOnlyFile, {}, ERROR_ACCESS_DENIED, Saved::kNot},
        Case{"Directory", Target::kDirectory, {}, ERROR_ACCESS_DENIED, Saved::kNot},
        Case{"FileInUse", Target::kOpenWithoutSharing, {}, kAnyError, Saved::kNot},
        Case{"MissingDirectory", Target::kInMissingDirectory, {}, kAnyError, Saved::kNot},
        // What Windows answers where Wine cannot: ACLs, "Program Files", ReplaceFileW's failures.
        Case{"FolderRefusesNewFile", Target::kFile, {kNoNewFile}, 0, Saved::kInPlace},
        Case{"FileMayNotBeDeleted",
             Target::kFile,
             {{Call::kOpenToReplace, ERROR_ACCESS_DENIED}},
             0,
             Saved::kInPlace},
        // Another name is tried where one is taken; a folder crowded with them is an error.
        Case{"TemporaryNameTaken",
             Target::kFile,
             {{Call::kCreateTemporary, ERROR_FILE_EXISTS, Before::kNothing, 3}},
             0,
             Saved::kNewFile},
        Case{"TemporaryNamesAllTaken",
             Target::kFile,
             {{Call::kCreateTemporary, ERROR_FILE_EXISTS}},
             ERROR_FILE_EXISTS,
             Saved::kNot},
        Case{"ReplaceRefused",
             Target::kFile,
             {{Call::kReplace, ERROR_ACCESS_DENIED}},
             0,
             Saved::kInPlace},
        Case{"OldFileNotRemovable",
             Target::kFile,
             {{Call::kReplace, ERROR_UNABLE_TO_REMOVE_REPLACED}},
             0,
             Saved::kInPlace},
        Case{"ReplaceBusy",
             Target::kFile,
             {{Call::kReplace, ERROR_SHARING_VIOLATION}},
             ERROR_SHARING_VIOLATION,
             Saved::kNot},
        Case{"ReplaceFailsWithoutText",
             Target::kFile,
             {{Call::kReplace, kErrorWithoutText}},
             kErrorWithoutText,
             Saved::kNot},
        Case{"NewFileNotMovedOldDeleted", Target::kFile, {kOldFileDeleted}, 0, Saved::kNewFile},
        Case{"NewFileNotMovedOldRenamed",
             Target::kFile,
             {{Call::kReplace, ERROR_UNABLE_TO_MOVE_REPLACEMENT_2, Before::kReplacedRenamed}},
             0,
             Saved::kNewFile},
        Case{"OldDeletedNewWrittenAnew",
             Target::kFile,
             {kOldFileDeleted, kNoMove},
             0,
             Saved::kEitherWay},
        Case{"OldDeletedNothingWorks",
             Target::kFile,
             {kOldFileDeleted, kNoMove, kNoWritingTheFile},
             ERROR_ACCESS_DENIED,
             Saved::kNot,
             true},
        // Whether the old file has gone cannot be told: the new one is kept.
        Case{"OldFileMaybeGone",
             Target::kFile,
             {kOldFileDeleted, {Call::kAttributesAfterReplace, ERROR_ACCESS_DENIED}},
             ERROR_UNABLE_TO_MOVE_REPLACEMENT,
             Saved::kNot,
             true},
        Case{"NeitherPathAllowed",
             Target::kFile,
             {kNoNewFile, kNoWritingTheFile},
             ERROR_ACCESS_DENIED,
             Saved::kNot},
        Case{"NoFileFolderRefuses",
             Target::kMissing,
             {kNoNewFile},
             ERROR_ACCESS_DENIED,
             Saved::kNot},
        Case{"NoFileMoveRefused", Target::kMissing, {kNoMove}, ERROR_ACCESS_DENIED, Saved::kNot},
        // A folder that others may change: the file the walk opened, through its own handle.
        Case{"SharedFolderOldFile", Target::kFile, {}, 0, Saved::kInPlace, false, true},
        Case{"SharedFolderTwoLinks", Target::kTwoLinks, {}, kOtherNames, Saved::kNot, false, true},
        Case{"SharedFolderNewFile", Target::kMissing, {}, 0, Saved::kEitherWay, false, true},
        Case{"SharedFolderReadOnlyFile",
             Target::kReadOnlyFile,
             {},
             ERROR_ACCESS_DENIED,
             Saved::kNot,
             false,
             true},
        Case{"SharedFolderFileNotWritable",
             Target::kFile,
             {kNoWritingTheFile},
             ERROR_ACCESS_DENIED,
             Saved::kNot,
             false,
             true}),
    [](const auto& info) { return info.param.name; });

// Another user, who may change the folder, swaps a name between the walk and the write.
class SharedFolderSwapTest : public ScratchDirectoryTest {
 protected:
  SharedFolderSwapTest() {
    planned_refusals.clear();
    folder_is_shared = true;
  }
  ~SharedFolderSwapTest() override {
    folder_is_shared = false;
    before_writing_target = nullptr;
  }
};

TEST_F(SharedFolderSwapTest, AFileSwappedInIsRefusedAndLeftAlone) {
  WriteFile("krovan3d.cfg", kOld);
  before_writing_target = [] {
    ASSERT_TRUE(MoveFileW(L"krovan3d.cfg", L"moved.cfg"));
    WriteFile("krovan3d.cfg", "theirs");
  };
  EXPECT_EQ(ReplaceFileUsing(kCallsOrRefusals, "krovan3d.cfg", kNew),
            "The file was replaced by another while it was being opened");
  EXPECT_EQ(ReadFile("krovan3d.cfg"), "theirs");
  EXPECT_EQ(ReadFile("moved.cfg"), kOld);
  EXPECT_EQ(DirectoryListing("."), (std::vector<std::string>{"krovan3d.cfg", "moved.cfg"}));
}

TEST_F(SharedFolderSwapTest, AFilePutWhereNoneWasIsLeftAlone) {
  before_writing_target = [] { WriteFile("krovan3d.cfg", "theirs"); };
  EXPECT_EQ(ReplaceFileUsing(kCallsOrRefusals, "krovan3d.cfg", kNew),
            testing::SystemMessage(ERROR_FILE_EXISTS));
  EXPECT_EQ(ReadFile("krovan3d.cfg"), "theirs");
  EXPECT_EQ(DirectoryListing("."), std::vector<std::string>{"krovan3d.cfg"});
}

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
