#include "config/settings/remove_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/scratch_directory.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

// Deletes a file and nothing else, and tells a missing file (or folder on the way) from a
// failure: what Reset High Scores relies on, for names beyond ASCII too.
TEST(RemoveRegularFileTest, RemovesFilesOnlyAndTellsWhatHappened) {
  const ScratchDirectory scratch;
  const fs::path folder = scratch.path() / u8"\u00DCbung";
  fs::create_directories(folder / "directory");
  WriteFile(folder / u8"highscore-\u00E9.dat", "scores");
  WriteFile(folder / "plain", "x");
  using enum FileRemoval::Outcome;
  const struct {
    fs::path path;
    FileRemoval::Outcome expected;
  } kCases[] = {
      {folder / u8"highscore-\u00E9.dat", kRemoved},
      {folder / u8"highscore-\u00E9.dat", kAbsent},
      {folder / "missing" / "highscore.dat", kAbsent},
      {folder / "plain" / "highscore.dat", kAbsent},
      {folder / "directory", kFailed},
  };
  for (const auto& [path, expected] : kCases) {
    const FileRemoval removal = RemoveRegularFile(Utf8(path));
    EXPECT_EQ(removal.outcome, expected) << Utf8(path);
    // Only a failure has, and needs, the system's reason.
    EXPECT_EQ(removal.error.empty(), expected != kFailed) << Utf8(path);
  }
  EXPECT_TRUE(fs::is_directory(folder / "directory"));
  EXPECT_EQ(ReadFile(folder / "plain"), "x");
  EXPECT_FALSE(fs::exists(folder / u8"highscore-\u00E9.dat"));
}

}  // namespace
}  // namespace krovan
