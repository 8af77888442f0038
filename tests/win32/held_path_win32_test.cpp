#include "config/settings/held_path_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "config/settings/file_errors_win32.h"
#include "tests/scratch_directory.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

// What the injected calls do to the scratch folder game\data\highscore.dat, at the moment the
// walk opens the file.
enum class Meddling {
  kNone,
  kRenameTheFolder,    // renames data away and makes another data with a file of its own
  kOpenAnotherFile,    // the name leads elsewhere, as a junction Wine cannot show would
  kShowTheFolderLink,  // the name data shows as a link, as Wine shows a Unix link
};

Meddling meddling = Meddling::kNone;
bool link_shown = false;
bool folder_closed = true;

bool EndsWith(LPCWSTR name, const wchar_t* end) {
  return std::wstring_view(name).ends_with(end);
}

HANDLE WINAPI MeddlingCreateFile(LPCWSTR name, DWORD access, DWORD share,
                                 LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                 HANDLE template_file) {
  std::wstring opened = name;
  if (EndsWith(name, L"highscore.dat")) {
    if (meddling == Meddling::kRenameTheFolder && MoveFileW(L"game\\data", L"game\\moved")) {
      fs::create_directory("game/data");
      std::ofstream("game/data/highscore.dat") << "planted";
    }
    if (meddling == Meddling::kOpenAnotherFile) {
      opened = fs::absolute("elsewhere.dat").wstring();
    }
  }
  return CreateFileW(opened.c_str(), access, share, security, disposition, flags, template_file);
}

DWORD WINAPI MeddlingAttributes(LPCWSTR name) {
  const DWORD attributes = GetFileAttributesW(name);
  // Once: the link leads to the folder itself, which shows as none when it is walked again.
  if (meddling != Meddling::kShowTheFolderLink || !EndsWith(name, L"\\data") || link_shown) {
    return attributes;
  }
  link_shown = true;
  return attributes | FILE_ATTRIBUTE_REPARSE_POINT;
}

constexpr PathCalls kMeddlingCalls{&MeddlingCreateFile, &MeddlingAttributes,
                                   [](HANDLE) { return true; },
                                   [](HANDLE) { return folder_closed; }};

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::string text;
  std::getline(file, text);
  return file || !text.empty() ? text : "(none)";
}

struct Case {
  const char* name;
  Meddling meddling;
  bool folder_closed;
  DWORD error;
  const char* held_contents;  // of the file the walk holds, when it holds one
};

class HeldPathTest : public ScratchDirectoryTest, public ::testing::WithParamInterface<Case> {};

TEST_P(HeldPathTest, HoldsOnlyTheFileThatLiesWhereTheWalkWent) {
  const Case& test = GetParam();
  fs::create_directories("game/data");
  std::ofstream("game/data/highscore.dat") << "scores";
  std::ofstream("elsewhere.dat") << "elsewhere";
  meddling = test.meddling;
  folder_closed = test.folder_closed;
  link_shown = false;
  HeldEntry end;
  const DWORD error = HoldPath(kMeddlingCalls, fs::absolute("game/data/highscore.dat").wstring(),
                               LastLink::kKeep, DELETE, end);
  // Windows refuses to rename a folder held without sharing deletion; Wine renames it, and then
  // the walk finds that the folder has moved.
  const bool renamed = fs::exists("game/moved");
  EXPECT_EQ(error, renamed ? kChangedMeanwhile : test.error);
  const auto left = [] {
    return std::vector<std::string>{Read("game/data/highscore.dat"),
                                    Read("game/moved/highscore.dat"), Read("elsewhere.dat")};
  };
  std::vector<std::string> expected = {renamed ? "planted" : "scores",
                                       renamed ? "scores" : "(none)", "elsewhere"};
  if (error != 0) {
    EXPECT_EQ(left(), expected);  // nothing deleted
    return;
  }
  ASSERT_TRUE(end.exists);
  // Deleting through the held handle removes the file whose contents the case names.
  FILE_DISPOSITION_INFO disposition{.DeleteFile = TRUE};
  ASSERT_TRUE(SetFileInformationByHandle(end.entry.get(), FileDispositionInfo, &disposition,
                                         sizeof disposition));
  end = HeldEntry();
  std::ranges::replace(expected, std::string(test.held_contents), std::string("(none)"));
  EXPECT_EQ(left(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Meddling, HeldPathTest,
    ::testing::Values(Case{"Untouched", Meddling::kNone, true, 0, "scores"},
                      Case{"FolderRenamedMeanwhile", Meddling::kRenameTheFolder, true, 0, "scores"},
                      // A name that leads out of its folder is a link, as Wine shows one to a file.
                      Case{"NameLeadsElsewhereInClosedFolder", Meddling::kOpenAnotherFile, true, 0,
                           "elsewhere"},
                      Case{"NameLeadsElsewhereInOpenFolder", Meddling::kOpenAnotherFile, false,
                           kUntrustedLink, ""},
                      Case{"LinkInFolderOthersMayChange", Meddling::kShowTheFolderLink, false,
                           kUntrustedLink, ""},
                      Case{"LinkInClosedFolder", Meddling::kShowTheFolderLink, true, 0, "scores"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krovan
