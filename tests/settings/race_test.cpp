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

// One entry of a folder tree, made in order: a folder, a file with its text, a link, a second
// name of an entry made before, or a named pipe.
struct Entry {
  enum Kind { kFolder, kFile, kLink, kHardLink, kPipe } kind;
  std::string path;
  std::string text;  // a file's contents, a link's target, the first name of a hard link
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
Entry HardLink(std::string path, std::string first_name) {
  return {Entry::kHardLink, std::move(path), std::move(first_name)};
}
Entry Pipe(std::string path) {
  return {Entry::kPipe, std::move(path), "", 0666, kOtherMember};
}

void Make(const fs::path& root, const std::vector<Entry>& entries) {
  for (const Entry& entry : entries) {
    const fs::path path = root / entry.path;
    if (entry.kind == Entry::kLink) {
      fs::create_symlink(entry.text, path);
      ASSERT_EQ(lchown(path.c_str(), entry.user, entry.group), 0);
      continue;
    }
    if (entry.kind == Entry::kHardLink) {
      ASSERT_EQ(link((root / entry.text).c_str(), path.c_str()), 0);
      continue;
    }
    if (entry.kind == Entry::kFolder) {
      fs::create_directory(path);
    } else if (entry.kind == Entry::kPipe) {
      ASSERT_EQ(mkfifo(path.c_str(), entry.mode), 0);
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
  // No move where `moved` is empty: the layout alone is what the other player left.
  std::string moved;
  std::vector<Entry> planted;
  // The game's own file, which the call reaches when nobody interferes ("" for none), and what
  // the call says when it meets the other player's link instead.
  std::string game_file;
  std::string refusal;
  std::string start = "game";  // the folder the call starts in
  bool as_root = false;        // run by root, not by the player

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
// The file kept in a shared sub-folder, as packagers lay games out.
const std::vector<Entry> kConfFile = {Folder("game/conf", 02775),
                                      File("game/conf/krovan3d.cfg", "old", 0664)};
const std::vector<Entry> kOwnFileInConf = {
    Folder("game/conf", 02775), File("game/conf/krovan3d.cfg", "old", 0644, kPlayer, kPlayerGroup)};
const std::vector<Entry> kPlantedInConf = {
    Folder("game/conf", 02775),
    Link("game/conf/krovan3d.cfg", "../../home/krovan3d.cfg", kOtherMember)};
const std::vector<Entry> kConfLink = {Link("game/conf", "../home", kOtherMember)};
// A folder of the other player's own in conf's place, holding their link to the player's file.
const std::vector<Entry> kOwnConf = {
    Folder("game/conf", 02755, kOtherMember),
    Link("game/conf/krovan3d.cfg", "../../home/krovan3d.cfg", kOtherMember)};
const std::string kConfRefused = "conf is a symbolic link in a folder that others may write";
const std::string kCfgRefused = "krovan3d.cfg is a symbolic link in a folder that others may write";
// A folder of root's alone, holding the file and a link whose text is only dots and slashes.
const std::vector<Entry> kDotsLink = {Folder("own", 0755), File("own/krovan3d.cfg", "old", 0664),
                                      Folder("own/deep", 0755),
                                      Link("own/deep/here", "././/", kRoot)};
// A sticky folder of root's holding a second name of `user`'s link, made by the other player.
std::vector<Entry> HardLinked(uid_t user) {
  return {Folder("tmp", 01777, kRoot, kRoot), Folder("links", 02775),
          Link("links/home.lnk", "{root}/home/krovan3d.cfg", user),
          HardLink("tmp/krovan3d.cfg", "links/home.lnk")};
}

// The rows for the player; each is also run by root.
std::vector<RaceCase> PlayersCases() {
  return {
      {"ResetInSharedFolder",
       Call::kReset,
       "data/highscore.dat",
       With(kScores),
       "game/data",
       {Link("game/data", "../home", kOtherMember)},
       "game/data/highscore.dat",
       "data is a symbolic link in a folder that others may write"},
      {"ResetBesideProgram",
       Call::kReset,
       "{root}/game/data/highscore.dat",
       With(kScores),
       "game/data",
       {Link("game/data", "../home", kOtherMember)},
       "game/data/highscore.dat",
       "{root}/game/data is a symbolic link in a folder that others may write"},
      // Root's link from another shared folder, renamed into the game folder by the other
      // player: its owner proves nothing there.
      {"RootsLinkMovedIntoSharedFolder",
       Call::kSave,
       "krovan3d.cfg",
       With({Link("game/krovan3d.cfg", "{root}/home/krovan3d.cfg", kRoot)}),
       "",
       {},
       "",
       kCfgRefused},
      {"SaveIntoSwappedFolder", Call::kSave, "conf/krovan3d.cfg", With(kConfFile), "game/conf",
       kConfLink, "game/conf/krovan3d.cfg", kConfRefused},
      {"SaveOwnFileIntoSwappedFolder", Call::kSave, "conf/krovan3d.cfg", With(kOwnFileInConf),
       "game/conf", kConfLink, "game/conf/krovan3d.cfg", kConfRefused},
      {"ReadFromSwappedFolder", Call::kRead, "conf/krovan3d.cfg", With(kConfFile), "game/conf",
       kConfLink, "game/conf/krovan3d.cfg", ""},
      {"SavePlantedLinkWithFolderSwapped", Call::kSave, "conf/krovan3d.cfg", With(kPlantedInConf),
       "game/conf", kOwnConf, "",
       "conf/krovan3d.cfg is a symbolic link in a folder that others may write"},
      {"ReadPlantedLinkWithFolderSwapped", Call::kRead, "conf/krovan3d.cfg", With(kPlantedInConf),
       "game/conf", kOwnConf, "", ""},
      // The folder above the start is judged like any other: the game folder, shared.
      {"LinkInTheFolderAboveTheStart",
       Call::kSave,
       "../krovan3d.cfg",
       With({Folder("game/start", 0755), Link("game/krovan3d.cfg", "../home/krovan3d.cfg", kRoot)}),
       "",
       {},
       "",
       "../krovan3d.cfg is a symbolic link in a folder that others may write",
       "game/start"},
      // "here" leads to own/deep itself, so ".." goes on to own.
      {"DotsOnlyLinkThenBack",
       Call::kSave,
       "deep/here/../krovan3d.cfg",
       With(kDotsLink),
       "",
       {},
       "own/krovan3d.cfg",
       "",
       "own"},
      // A pipe in the file's place once the walk has seen the file is never opened: the save
      // and the read go on with the file the walk held, or refuse.
      {"PipeSwappedForTheFile",
       Call::kSave,
       "conf/krovan3d.cfg",
       With(kConfFile),
       "game/conf/krovan3d.cfg",
       {Pipe("game/conf/krovan3d.cfg")},
       "game/conf/krovan3d.cfg",
       "Not a regular file"},
      {"PipeSwappedForTheFileRead",
       Call::kRead,
       "conf/krovan3d.cfg",
       With(kConfFile),
       "game/conf/krovan3d.cfg",
       {Pipe("game/conf/krovan3d.cfg")},
       "game/conf/krovan3d.cfg",
       ""},
  };
}

std::vector<RaceCase> Cases() {
  std::vector<RaceCase> cases = PlayersCases();
  for (RaceCase race : PlayersCases()) {
    race.name += "AsRoot";
    race.as_root = true;
    cases.push_back(std::move(race));
  }
  // A second name of the folder owner's link, which the kernel's rule alone would follow; root's
  // own link counts as root's, so root meets the player's.
  const std::string hard_link_refused =
      "{root}/tmp/krovan3d.cfg is a symbolic link that another user made";
  cases.push_back({"HardLinkOfRootsLinkInStickyFolder",
                   Call::kSave,
                   "{root}/tmp/krovan3d.cfg",
                   With(HardLinked(kRoot)),
                   "",
                   {},
                   "",
                   hard_link_refused});
  cases.push_back({"HardLinkOfPlayersLinkInStickyFolderAsRoot",
                   Call::kSave,
                   "{root}/tmp/krovan3d.cfg",
                   With(HardLinked(kPlayer)),
                   "",
                   {},
                   "",
                   hard_link_refused,
                   "game",
                   true});
  // Root follows no link in a folder that another user owns, though that user made the link.
  cases.push_back({"RootInAnotherUsersFolder",
                   Call::kSave,
                   "krovan3d.cfg",
                   With({Folder("theirs", 0755, kOtherMember),
                         Link("theirs/krovan3d.cfg", "../home/krovan3d.cfg", kOtherMember)}),
                   "",
                   {},
                   "",
                   kCfgRefused,
                   "theirs",
                   true});
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
            [&root, &race] {
              const gid_t groups[] = {kGames};
              if ((!race.as_root && !BecomePlayer(groups)) ||
                  chdir((root / race.start).c_str()) != 0) {
                _exit(3);
              }
            },
        .pause_at = pause_at,
        .between =
            [&] {
              if (race.moved.empty()) {
                return;
              }
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
    if (moved && (game_file == race.moved || game_file.starts_with(race.moved + "/"))) {
      game_file.insert(race.moved.size(), ".moved");
    }
    std::string game_text =
        game_file.empty() || !fs::exists(root / game_file) ? "gone" : ReadFile(root / game_file);
    // A save may also put its new file at the name, in place of what the other player put there.
    struct stat named {};
    if (game_file != race.game_file && lstat((root / race.game_file).c_str(), &named) == 0 &&
        S_ISREG(named.st_mode) && ReadFile(root / race.game_file) == "new") {
      game_text = "new";
    }
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
    return static_cast<int>(result.calls.size());
  }
};

TEST_P(SharedFolderRace, NoMomentLetsTheOtherPlayerReachAFileOutsideTheGame) {
  const int syscalls = RunOnce(0);
  ASSERT_GT(syscalls, 0);
  for (int pause_at = 1; pause_at <= syscalls && !HasFailure() && !GetParam().moved.empty();
       ++pause_at) {
    RunOnce(pause_at);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedFolderRace, ::testing::ValuesIn(Cases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace krovan
