// Another member of the group games changes a shared game folder while a player saves, reads or
// resets: the player's call runs in a traced child that is held before each of its system calls
// in turn, while the other player renames a folder or link on the way and puts a link or folder
// of their own in its place. Whatever the moment, nothing outside the game folder may change, and
// what the call returns must tell what it did. Needs root to prepare files of several users.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <vector>

#include "config/settings/read_file.h"
#include "config/settings/remove_file.h"
#include "config/settings/replace_file.h"
#include "tests/scratch_directory.h"
#include "tests/settings/game_users.h"
#include "tests/settings/traced_call.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

using namespace testing;  // the game's users

// One entry of a folder tree, made in order: a folder, a file with its text, or a link.
struct Entry {
  enum Kind { kFolder, kFile, kLink } kind;
  std::string path;
  std::string text;  // a file's contents, a link's target
  mode_t mode = 0;
  uid_t user = kRoot;
  gid_t group = kGames;
};

Entry Folder(std::string path, mode_t mode, uid_t user = kRoot, gid_t group = kGames) {
  return {Entry::kFolder, std::move(path), "", mode, user, group};
}
Entry File(std::string path, std::string text, mode_t mode, uid_t user = kRoot,
           gid_t group = kGames) {
  return {Entry::kFile, std::move(path), std::move(text), mode, user, group};
}
Entry Link(std::string path, std::string target, uid_t user) {
  return {Entry::kLink, std::move(path), std::move(target), 0, user, kGames};
}

void Make(const fs::path& root, const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
    const fs::path path = root / entry.path;
    if (entry.kind == Entry::kLink) {
      fs::create_symlink(entry.text, path);
      ASSERT_EQ(lchown(path.c_str(), entry.user, entry.group), 0);
      continue;
    }
    if (entry.kind == Entry::kFolder) {
      fs::create_directory(path);
    } else {
      WriteFile(path, entry.text);
    }
    ASSERT_EQ(chown(path.c_str(), entry.user, entry.group), 0);
    ASSERT_EQ(chmod(path.c_str(), entry.mode), 0);
  }
}

// Everything about the files under `folder` that a save or delete could change.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    struct stat status {};
    lstat(entry.path().c_str(), &status);
    files[entry.path().lexically_relative(folder).string()] =
        std::to_string(status.st_ino) + " " + std::to_string(status.st_mode) + " " +
        std::to_string(status.st_uid) + ":" + std::to_string(status.st_gid) + " " +
        (entry.is_symlink() ? fs::read_symlink(entry).string() : ReadFile(entry.path()));
  }
  return files;
}

enum class Call { kSave, kRead, kReset };

struct RaceCase {
  std::string name;
  Call call;
  std::string path;  // what the call is given; {root} stands for the scratch folder
  std::vector<Entry> layout;
  // The other player's move: `moved` is renamed to `moved`.moved, and `planted` takes its place.
  std::string moved;
  std::vector<Entry> planted;
  // The game's own file, which the call reaches when nobody interferes ("" for none), and what
  // the call says when it meets the other player's link instead.
  std::string game_file;
  std::string refusal;

  friend void PrintTo(const RaceCase& race, std::ostream* out) { *out << race.name; }
};

// The victim's own folder, whose files the other player aims at.
const std::vector<Entry> kHome = {
    Folder("home", 0755, kPlayer, kPlayerGroup),
    File("home/highscore.dat", "mine", 0644, kPlayer, kPlayerGroup),
    File("home/krovan3d.cfg", "mine", 0644, kPlayer, kPlayerGroup),
};

std::vector<Entry> With(std::vector<Entry> entries) {
  entries.insert(entries.begin(), kHome.begin(), kHome.end());
  entries.insert(entries.begin() + kHome.size(), Folder("game", 02775));
  return entries;
}

const std::vector<Entry> kScores = {Folder("game/data", 02775),
                                    File("game/data/highscore.dat", "scores", 0664)};
// A link of root's to a file kept in a shared sub-folder, as packagers lay games out.
const std::vector<Entry> kLinkIntoConf = {Link("game/krovan3d.cfg", "conf/krovan3d.cfg", kRoot),
                                          Folder("game/conf", 02775),
                                          File("game/conf/krovan3d.cfg", "old", 0664)};
const std::vector<Entry> kOwnFileInConf = {
    Link("game/krovan3d.cfg", "conf/krovan3d.cfg", kRoot), Folder("game/conf", 02775),
    File("game/conf/krovan3d.cfg", "old", 0644, kPlayer, kPlayerGroup)};
const std::vector<Entry> kPlantedInConf = {
    Link("game/krovan3d.cfg", "conf/krovan3d.cfg", kRoot), Folder("game/conf", 02775),
    Link("game/conf/krovan3d.cfg", "../../home/krovan3d.cfg", kOtherMember)};
const std::vector<Entry> kConfLink = {Link("game/conf", "../home", kOtherMember)};
// A folder of the other player's own in conf's place, holding their link to the player's file.
const std::vector<Entry> kOwnConf = {
    Folder("game/conf", 02755, kOtherMember),
    Link("game/conf/krovan3d.cfg", "../../home/krovan3d.cfg", kOtherMember)};
const std::string kConfRefused = "conf is a symbolic link that another user made";

std::vector<RaceCase> Cases() {
  std::vector<RaceCase> cases = {
      {"ResetInSharedFolder",
       Call::kReset,
       "data/highscore.dat",
       With(kScores),
       "game/data",
       {Link("game/data", "../home", kOtherMember)},
       "game/data/highscore.dat",
       "data is a symbolic link that another user made"},
      {"ResetBesideProgram",
       Call::kReset,
       "{root}/game/data/highscore.dat",
       With(kScores),
       "game/data",
       {Link("game/data", "../home", kOtherMember)},
       "game/data/highscore.dat",
       "{root}/game/data is a symbolic link that another user made"},
      {"SaveThroughRootsLink",
       Call::kSave,
       "krovan3d.cfg",
       With({Folder("var", 02775), File("var/krovan3d.cfg", "old", 0664),
             Link("game/krovan3d.cfg", "{root}/var/krovan3d.cfg", kRoot)}),
       "game/krovan3d.cfg",
       {Link("game/krovan3d.cfg", "../home/krovan3d.cfg", kOtherMember)},
       "var/krovan3d.cfg",
       "krovan3d.cfg is a symbolic link that another user made"},
      {"SaveIntoSwappedFolder", Call::kSave, "krovan3d.cfg", With(kLinkIntoConf), "game/conf",
       kConfLink, "game/conf/krovan3d.cfg", kConfRefused},
      {"SaveOwnFileIntoSwappedFolder", Call::kSave, "krovan3d.cfg", With(kOwnFileInConf),
       "game/conf", kConfLink, "game/conf/krovan3d.cfg", kConfRefused},
      {"ReadFromSwappedFolder", Call::kRead, "krovan3d.cfg", With(kLinkIntoConf), "game/conf",
       kConfLink, "game/conf/krovan3d.cfg", ""},
      {"SavePlantedLinkWithFolderSwapped", Call::kSave, "krovan3d.cfg", With(kPlantedInConf),
       "game/conf", kOwnConf, "", "conf/krovan3d.cfg is a symbolic link that another user made"},
      {"ReadPlantedLinkWithFolderSwapped", Call::kRead, "krovan3d.cfg", With(kPlantedInConf),
       "game/conf", kOwnConf, "", ""},
  };
  return cases;
}

std::string Replace(std::string text, const std::string& root) {
  if (const std::size_t at = text.find("{root}"); at != std::string::npos) {
    text.replace(at, 6, root);
  }
  return text;
}

std::vector<Entry> Rooted(std::vector<Entry> entries, const std::string& root) {
  for (Entry& entry : entries) {
    entry.text = Replace(entry.text, root);
  }
  return entries;
}

// What the call returned, in one string: the save's error, the text read, or the deletion's
// outcome.
std::string CallFor(Call call, const std::string& path) {
  switch (call) {
    case Call::kSave:
      return ReplaceFile(path, "new");
    case Call::kRead:
      return ReadFileStart(path.c_str(), 16);
    case Call::kReset: {
      const FileRemoval removal = RemoveRegularFile(path);
      return removal.outcome == FileRemoval::Outcome::kRemoved  ? "removed"
             : removal.outcome == FileRemoval::Outcome::kAbsent ? "absent"
                                                                : removal.error;
    }
  }
  return {};
}

// What the call may return with the game's file as `game_text` afterwards ("gone" for none):
// either it reached the game's own file and did its work, or it refused the other player's link
// and left the game's file as it was.
bool TellsTheTruth(const RaceCase& race, const std::string& refusal, const std::string& returned,
                   const std::string& game_text) {
  if (race.game_file.empty()) {
    return returned == refusal;
  }
  switch (race.call) {
    case Call::kSave:
      return (returned.empty() && game_text == "new") ||
             (returned == refusal && game_text == "old");
    case Call::kRead:
      return returned == "old" || returned.empty();
    case Call::kReset:
      return (returned == "removed" && game_text == "gone") ||
             (returned == refusal && game_text == "scores");
  }
  return false;
}

class SharedFolderRace : public ::testing::TestWithParam<RaceCase> {
 protected:
  void SetUp() override {
    if (geteuid() != 0) {
      GTEST_SKIP() << "only root can prepare files of other users";
    }
    if (!testing::CanTrace()) {
      GTEST_SKIP() << "system calls cannot be traced here";
    }
  }

  // Runs the call held before its system call `pause_at` (0: never) while the other player
  // moves, and checks the outcome; returns how many system calls the call made.
  int RunOnce(int pause_at) {
    const RaceCase& race = GetParam();
    const ScratchDirectory scratch;
    const fs::path root = scratch.path();
    fs::permissions(root, fs::perms(0755));
    Make(root, Rooted(race.layout, root.string()));
    const auto home_before = Snapshot(root / "home");
    bool moved = false;
    TraceOptions options{
        .prepare =
            [&root] {
              const gid_t groups[] = {kGames};
              if (!BecomePlayer(groups) || chdir((root / "game").c_str()) != 0) {
                _exit(3);
              }
            },
        .pause_at = pause_at,
        .between =
            [&] {
              fs::rename(root / race.moved, root / (race.moved + ".moved"));
              Make(root, Rooted(race.planted, root.string()));
              moved = true;
            },
    };
    const std::string path = Replace(race.path, root.string());
    const auto result = RunTraced([&] { return CallFor(race.call, path); }, options);

    const std::string where = "held before system call " + std::to_string(pause_at);
    EXPECT_EQ(Snapshot(root / "home"), home_before) << where;
    std::string game_file = race.game_file;
    if (moved && game_file.starts_with(race.moved + "/")) {
      game_file.insert(race.moved.size(), ".moved");
    }
    const std::string game_text =
        game_file.empty() || !fs::exists(root / game_file) ? "gone" : ReadFile(root / game_file);
    const std::string refusal = Replace(race.refusal, root.string());
    EXPECT_TRUE(TellsTheTruth(race, refusal, result.returned, game_text))
        << where << ": returned \"" << result.returned << "\", the game's file \"" << game_text
        << "\"";
    // Undisturbed, the call reaches the game's file.
    if (pause_at == 0 && !race.game_file.empty()) {
      EXPECT_EQ(result.returned, race.call == Call::kSave   ? ""
                                 : race.call == Call::kRead ? "old"
                                                            : "removed");
    }
    return result.syscalls;
  }
};

TEST_P(SharedFolderRace, NoMomentLetsTheOtherPlayerReachAFileOutsideTheGame) {
  const int syscalls = RunOnce(0);
  ASSERT_GT(syscalls, 0);
  for (int pause_at = 1; pause_at <= syscalls && !HasFailure(); ++pause_at) {
    RunOnce(pause_at);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedFolderRace, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace krovan
