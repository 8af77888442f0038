// Saves and Resets through Unix symbolic links in game folders that link-tests.sh makes, as
// Wine shows them: a link in a folder that everyone may modify is refused, one in a folder of the
// player's own is followed.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "config/settings/read_file.h"
#include "config/settings/remove_file.h"
#include "config/text/utf16.h"

// windows.h names its own ReplaceFile function through a macro.
#undef ReplaceFile
#include "config/settings/replace_file.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

fs::path Tree() {
  const char* tree = std::getenv("KROVAN_LINK_TREE");
  return tree == nullptr ? fs::path() : fs::path(tree);
}

std::string Read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return file ? text.str() : "(none)";
}

std::string Utf8Path(const fs::path& path) {
  return Narrow(path.wstring());
}

class FileLinksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Tree().empty()) {
      GTEST_SKIP() << "run by link-tests.sh, which makes the folders";
    }
  }
};

TEST_F(FileLinksTest, ResetRefusesALinkInAFolderEveryoneMayModify) {
  const FileRemoval removal = RemoveRegularFile(Utf8Path(Tree() / "shared/data/highscore.dat"));
  EXPECT_EQ(removal.outcome, FileRemoval::Outcome::kFailed);
  EXPECT_EQ(removal.error, Utf8Path((Tree() / "shared/data").make_preferred()) +
                               " is a link that another user may have made or put there");
  EXPECT_EQ(Read(Tree() / "outside-shared/data/highscore.dat"), "scores");
}

TEST_F(FileLinksTest, ResetRefusesALinkInPlaceOfTheFile) {
  const FileRemoval removal =
      RemoveRegularFile(Utf8Path(Tree() / "shared/linked-file/highscore.dat"));
  EXPECT_EQ(removal.outcome, FileRemoval::Outcome::kFailed);
  EXPECT_NE(removal.error.find("is a link that another user"), std::string::npos);
  EXPECT_EQ(Read(Tree() / "outside-shared/data/highscore.dat"), "scores");
  EXPECT_TRUE(fs::is_symlink(Tree() / "shared/linked-file/highscore.dat") ||
              fs::exists(Tree() / "shared/linked-file/highscore.dat"));
}

TEST_F(FileLinksTest, ResetFollowsTheLinkOfAFolderOfThePlayersOwn) {
  const FileRemoval removal = RemoveRegularFile(Utf8Path(Tree() / "own/data/highscore.dat"));
  EXPECT_EQ(removal, FileRemoval{FileRemoval::Outcome::kRemoved});
  EXPECT_EQ(Read(Tree() / "outside-own/data/highscore.dat"), "(none)");
  EXPECT_TRUE(fs::exists(Tree() / "own/data"));
}

TEST_F(FileLinksTest, SaveRefusesALinkInAFolderEveryoneMayModify) {
  const fs::path link = (Tree() / "shared/krovan3d.cfg").make_preferred();
  EXPECT_EQ(ReplaceFile(Utf8Path(link), "new"),
            Utf8Path(link) + " is a link that another user may have made or put there");
  EXPECT_EQ(Read(Tree() / "outside-shared/real.cfg"), "theirs");
}

TEST_F(FileLinksTest, SaveThroughALinkOfThePlayersOwnWritesWhatItNamesAndKeepsIt) {
  EXPECT_EQ(ReplaceFile(Utf8Path(Tree() / "own/krovan3d.cfg"), "new"), "");
  EXPECT_EQ(Read(Tree() / "outside-own/real.cfg"), "new");
  EXPECT_EQ(Read(Tree() / "own/krovan3d.cfg"), "new");
  // Still a link: what is written to the file it names reads through it.
  std::ofstream(Tree() / "outside-own/real.cfg", std::ios::binary) << "later";
  EXPECT_EQ(Read(Tree() / "own/krovan3d.cfg"), "later") << "the link became a plain file";
}

TEST_F(FileLinksTest, ReadFollowsOnlyALinkOfThePlayersOwn) {
  EXPECT_EQ(ReadFileStart(Utf8Path(Tree() / "shared/krovan3d.cfg").c_str(), 64), "");
  const std::string own = ReadFileStart(Utf8Path(Tree() / "own/krovan3d.cfg").c_str(), 64);
  EXPECT_EQ(own, Read(Tree() / "outside-own/real.cfg"));
  EXPECT_NE(own, "");
}

}  // namespace
}  // namespace krovan
