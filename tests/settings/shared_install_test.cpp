// Saves by an ordinary user in a game installed for several users: folders and files prepared
// by root with their owners, the save made by a child process that has dropped to the player's
// user and groups. Needs root to prepare them; skipped otherwise.
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <set>
#include <vector>

#include "config/settings/game_settings.h"
#include "config/settings/read_file.h"
#include "config/settings/replace_file.h"
#include "tests/scratch_directory.h"
#include "tests/settings/game_users.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

using namespace testing;  // the game's users

struct OwnerAndMode {
  mode_t mode;
  uid_t user;
  gid_t group;

  bool operator==(const OwnerAndMode&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const OwnerAndMode& p) {
    return out << std::oct << p.mode << std::dec << " " << p.user << ":" << p.group;
  }
};

using AclEntries = std::array<std::array<std::uint32_t, 2>, 5>;

// The raw form of an access ACL of five entries: tag and permissions, then the id.
std::string RawAcl(const AclEntries& entries) {
  std::string acl(4, '\0');
  acl[0] = 2;  // the format's version, little-endian like the entries' fields
  for (const auto& entry : entries) {
    for (std::uint32_t field : entry) {
      for (int byte = 0; byte < 4; ++byte) {
        acl += static_cast<char>(field >> (8 * byte) & 0xff);
      }
    }
  }
  return acl;
}

// "user::rw-, user:60:rw-, group::r--, mask::rw-, other::r--".
std::string GamesUserAcl() {
  return RawAcl({{{0x0001 | 6 << 16, ~0U},
                  {0x0002 | 6 << 16, 60},
                  {0x0004 | 4 << 16, ~0U},
                  {0x0010 | 6 << 16, ~0U},
                  {0x0020 | 4 << 16, ~0U}}});
}

// A folder's "user::rwx, user:1234:rwx, group::r-x, mask::`mask`, other::r-x": the other member
// may write it unless the mask takes writing away.
std::string OtherMemberFolderAcl(std::uint32_t mask) {
  return RawAcl({{{0x0001 | 7 << 16, ~0U},
                  {0x0002 | 7 << 16, kOtherMember},
                  {0x0004 | 5 << 16, ~0U},
                  {0x0010 | mask << 16, ~0U},
                  {0x0020 | 5 << 16, ~0U}}});
}

std::optional<std::string> AclOf(const fs::path& path) {
  std::array<char, 256> value{};
  const ssize_t size =
      getxattr(path.c_str(), "system.posix_acl_access", value.data(), value.size());
  return size < 0 ? std::nullopt : std::optional<std::string>(std::string(value.data(), size));
}

struct SaveCase {
  std::string name;
  OwnerAndMode folder;
  std::optional<OwnerAndMode> file{};                 // none: no krovan3d.cfg yet
  std::optional<std::vector<gid_t>> player_groups{};  // none: saved by root
  std::string error{};
  OwnerAndMode after{};      // the file's, after a successful save
  bool in_place = false;     // rewritten in place (same inode) rather than replaced
  bool second_link = false;  // the file also has the name other.cfg
  bool acl = false;          // the file has GamesUserAcl(), which must stay
  // krovan3d.cfg is a link of this user to the file, a file of the player's in the player's
  // folder home, through a second link other.lnk of `second_hop_by` when given.
  std::optional<uid_t> link_by{};
  std::optional<uid_t> second_hop_by{};
  std::optional<std::uint32_t> folder_acl_mask{};  // the folder has OtherMemberFolderAcl(mask)

  friend void PrintTo(const SaveCase& save, std::ostream* out) { *out << save.name; }
};

constexpr OwnerAndMode kSharedFolder = {02775, kRoot, kGames};
constexpr OwnerAndMode kStickyFolder = {01777, kRoot, kRoot};
const std::optional<std::vector<gid_t>> kGamesMember = std::vector<gid_t>{kGames};
const std::optional<std::vector<gid_t>> kNoGroups = std::vector<gid_t>{};
const std::optional<std::vector<gid_t>> kAsRoot = std::nullopt;
const std::string kInSharedFolder =
    "krovan3d.cfg is a symbolic link in a folder that others may write";

// krovan3d.cfg is a link of `link_by` to the player's own file, through a link of
// `second_hop_by` when given; a save by `groups` fails with `error`, if any.
SaveCase LinkCase(std::string name, OwnerAndMode folder, std::optional<std::vector<gid_t>> groups,
                  uid_t link_by, std::string error = {}, std::optional<uid_t> second_hop_by = {},
                  std::optional<std::uint32_t> folder_acl_mask = {}) {
  const OwnerAndMode file = {0644, kPlayer, kPlayerGroup};
  return {.name = std::move(name),
          .folder = folder,
          .file = file,
          .player_groups = std::move(groups),
          .error = std::move(error),
          .after = file,
          .link_by = link_by,
          .second_hop_by = second_hop_by,
          .folder_acl_mask = folder_acl_mask};
}

const std::vector<SaveCase> kSaveCases = {
    {.name = "OwnFileInRootsFolder",
     .folder = {0755, kRoot, kRoot},
     .file = OwnerAndMode{0644, kPlayer, kPlayerGroup},
     .player_groups = std::vector<gid_t>{},
     .after = {0644, kPlayer, kPlayerGroup},
     .in_place = true},
    {.name = "GroupFileInRootsFolder",
     .folder = {0755, kRoot, kRoot},
     .file = OwnerAndMode{0664, kRoot, kGames},
     .player_groups = std::vector<gid_t>{kGames},
     .after = {0664, kRoot, kGames},
     .in_place = true},
    {.name = "GroupFileInSharedSetgidFolder",
     .folder = {02775, kRoot, kGames},
     .file = OwnerAndMode{0664, kRoot, kGames},
     .player_groups = std::vector<gid_t>{kGames},
     .after = {0664, kRoot, kGames},
     .in_place = true},
    {.name = "OwnFileOfAGroupNotThePlayers",
     .folder = {0755, kPlayer, kPlayerGroup},
     .file = OwnerAndMode{0664, kPlayer, kGames},
     .player_groups = std::vector<gid_t>{},
     .after = {0664, kPlayer, kGames},
     .in_place = true},
    {.name = "OwnFileInOwnFolder",
     .folder = {0755, kPlayer, kPlayerGroup},
     .file = OwnerAndMode{0640, kPlayer, kPlayerGroup},
     .player_groups = std::vector<gid_t>{},
     .after = {0640, kPlayer, kPlayerGroup}},
    {.name = "OwnFileWithAclInOwnFolder",
     .folder = {0755, kPlayer, kPlayerGroup},
     .file = OwnerAndMode{0664, kPlayer, kPlayerGroup},
     .player_groups = std::vector<gid_t>{},
     .after = {0664, kPlayer, kPlayerGroup},
     .acl = true},
    {.name = "OwnFileWithTwoLinks",
     .folder = {0755, kPlayer, kPlayerGroup},
     .file = OwnerAndMode{0644, kPlayer, kPlayerGroup},
     .player_groups = std::vector<gid_t>{},
     .after = {0644, kPlayer, kPlayerGroup},
     .in_place = true,
     .second_link = true},
    {.name = "RootsFile",
     .folder = {0755, kRoot, kRoot},
     .file = OwnerAndMode{0644, kRoot, kRoot},
     .player_groups = std::vector<gid_t>{kGames},
     .error = "Permission denied"},
    {.name = "NoFileInRootsFolder",
     .folder = {0755, kRoot, kRoot},
     .player_groups = std::vector<gid_t>{kGames},
     .error = "Permission denied"},
    {.name = "RootKeepsAnotherUsersFileAndAcl",
     .folder = {0755, kRoot, kRoot},
     .file = OwnerAndMode{0664, kPlayer, kGames},
     .after = {0664, kPlayer, kGames},
     .acl = true},
    {.name = "RootWithTwoLinks",
     .folder = {0755, kRoot, kRoot},
     .file = OwnerAndMode{0644, kRoot, kRoot},
     .after = {0644, kRoot, kRoot},
     .in_place = true,
     .second_link = true},
    LinkCase("PlantedLinkInSharedSetgidFolder", kSharedFolder, kGamesMember, kOtherMember,
             kInSharedFolder),
    LinkCase("PlantedLinkInStickyFolder", kStickyFolder, kNoGroups, kOtherMember,
             "krovan3d.cfg is a symbolic link that another user made"),
    LinkCase("PlantedLinkInStickyFolderAsRoot", kStickyFolder, kAsRoot, kOtherMember,
             "krovan3d.cfg is a symbolic link that another user made"),
    LinkCase("PlantedSecondHopOfOwnLink", kStickyFolder, kNoGroups, kPlayer,
             "other.lnk is a symbolic link that another user made", kOtherMember),
    LinkCase("RootRefusesPlantedLink", kSharedFolder, kAsRoot, kOtherMember, kInSharedFolder),
    // Any member may rename into a shared folder a link that lies in another folder they may
    // write: neither the player's nor root's link there is followed.
    LinkCase("OwnLinkInSharedSetgidFolder", kSharedFolder, kGamesMember, kPlayer, kInSharedFolder),
    LinkCase("RootsLinkInSharedSetgidFolder", kSharedFolder, kGamesMember, kRoot, kInSharedFolder),
    LinkCase("RootsLinkInSharedSetgidFolderAsRoot", kSharedFolder, kAsRoot, kRoot, kInSharedFolder),
    LinkCase("FolderOwnersLinkInStickyFolder", kStickyFolder, kNoGroups, kRoot),
    LinkCase("FolderOwnersLinkInStickyFolderAsRoot", kStickyFolder, kAsRoot, kRoot),
    LinkCase("OwnLinkInOwnFolder", {0755, kPlayer, kPlayerGroup}, kNoGroups, kPlayer),
    LinkCase("PackagersLinkInRootsFolder", {0755, kRoot, kRoot}, kGamesMember, kRoot),
    LinkCase("PackagersLinkInRootsFolderAsRoot", {0755, kRoot, kRoot}, kAsRoot, kRoot),
    // A group of root alone adds no writer; the group games has the user games too.
    LinkCase("OwnLinkInFolderOfRootsGroup", {0775, kPlayer, kRoot}, kNoGroups, kPlayer),
    LinkCase("OwnLinkInFolderGamesMayWrite", {0775, kPlayer, kGames}, kNoGroups, kPlayer,
             kInSharedFolder),
    LinkCase("RootsLinkInFolderOfRootsGroupAsRoot", {0775, kRoot, kRoot}, kAsRoot, kRoot),
    LinkCase("RootsLinkInFolderGamesMayWriteAsRoot", {0775, kRoot, kGames}, kAsRoot, kRoot,
             kInSharedFolder),
    // Root follows no link in a folder of another user's, though that user made it.
    LinkCase("RootInAnotherUsersFolder", {0755, kOtherMember, kOtherMember}, kAsRoot, kOtherMember,
             kInSharedFolder),
    // An ACL that lets another user write, unless its mask takes writing away.
    LinkCase("OwnLinkInFolderAnotherUserMayWriteByAcl", {0755, kPlayer, kPlayerGroup}, kNoGroups,
             kPlayer, kInSharedFolder, {}, 7),
    LinkCase("OwnLinkInFolderWhoseAclMaskKeepsOthersOut", {0755, kPlayer, kPlayerGroup}, kNoGroups,
             kPlayer, {}, {}, 5),
    LinkCase("RootsLinkInFolderAnotherUserMayWriteByAclAsRoot", {0755, kRoot, kRoot}, kAsRoot,
             kRoot, kInSharedFolder, {}, 7),
};

OwnerAndMode OwnerAndModeOf(const fs::path& path, ino_t* inode = nullptr) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
  if (inode != nullptr) {
    *inode = status.st_ino;
  }
  return {status.st_mode & 07777, status.st_uid, status.st_gid};
}

void Give(const fs::path& path, const OwnerAndMode& protection) {
  ASSERT_EQ(chown(path.c_str(), protection.user, protection.group), 0);
  ASSERT_EQ(chmod(path.c_str(), protection.mode), 0);
}

// Reads krovan3d.cfg in `folder` and saves "new" over it as `groups` of the player would, or as
// root; returns what ReadFileStart and ReplaceFile returned, joined by "|".
std::string SaveAs(const std::optional<std::vector<gid_t>>& groups, const fs::path& folder) {
  std::array<int, 2> pipe_ends{};
  EXPECT_EQ(pipe(pipe_ends.data()), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    const bool dropped = !groups || BecomePlayer(*groups);
    const std::string error =
        !dropped ? "could not become the player"
        : chdir(folder.c_str()) != 0
            ? "could not enter the folder"
            // Read first: an object is evaluated before its member function's arguments.
            : (ReadFileStart(kSettingsFileName, 3) + "|")
                  .append(ReplaceFile(kSettingsFileName, "new"));
    const ssize_t written = write(pipe_ends[1], error.data(), error.size());
    _exit(written == static_cast<ssize_t>(error.size()) ? 0 : 1);
  }
  close(pipe_ends[1]);
  std::string error;
  std::array<char, 256> buffer{};
  for (ssize_t got; (got = read(pipe_ends[0], buffer.data(), buffer.size())) > 0;) {
    error.append(buffer.data(), got);
  }
  close(pipe_ends[0]);
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  return error;
}

std::set<std::string> NamesIn(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.insert(entry.path().lexically_relative(folder).string());
  }
  return names;
}

void Link(const fs::path& link, const fs::path& target, uid_t user) {
  fs::create_symlink(target, link);
  ASSERT_EQ(lchown(link.c_str(), user, kGames), 0);
}

class SharedInstall : public ::testing::TestWithParam<SaveCase> {
 protected:
  void SetUp() override {
    if (geteuid() != 0) {
      GTEST_SKIP() << "only root can prepare files of other users";
    }
  }
  ScratchDirectory scratch_;
};

TEST_P(SharedInstall, SavesWhatThePlayerMayAndKeepsTheFilesOwnerAndMode) {
  const SaveCase& save = GetParam();
  // The player must be able to reach the game folder, whatever the umask.
  fs::permissions(scratch_.path(), fs::perms(0755));
  const fs::path folder = scratch_.path() / "game";
  const fs::path home = scratch_.path() / "home";
  const fs::path file = save.link_by ? home / "notes.txt" : folder / kSettingsFileName;
  fs::create_directory(folder);
  fs::create_directory(home);
  Give(folder, save.folder);
  if (save.folder_acl_mask) {
    const std::string acl = OtherMemberFolderAcl(*save.folder_acl_mask);
    ASSERT_EQ(setxattr(folder.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0);
  }
  Give(home, {0755, kPlayer, kPlayerGroup});
  ino_t inode_before = 0;
  if (save.file) {
    WriteFile(file, "old");
    Give(file, *save.file);
    if (save.acl) {
      const std::string acl = GamesUserAcl();
      ASSERT_EQ(setxattr(file.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0);
    }
    if (save.second_link) {
      fs::create_hard_link(file, folder / "other.cfg");
    }
    OwnerAndModeOf(file, &inode_before);
  }
  if (save.link_by) {
    Link(folder / kSettingsFileName, save.second_hop_by ? "other.lnk" : file, *save.link_by);
  }
  if (save.second_hop_by) {
    Link(folder / "other.lnk", file, *save.second_hop_by);
  }
  const std::set<std::string> names = NamesIn(scratch_.path());
  const bool refused_link = save.link_by && !save.error.empty();

  EXPECT_EQ(SaveAs(save.player_groups, folder),
            (save.file && !refused_link ? "old|" : "|") + save.error);
  EXPECT_EQ(fs::is_symlink(folder / kSettingsFileName), save.link_by.has_value());

  if (!save.error.empty()) {
    EXPECT_EQ(NamesIn(scratch_.path()), names) << "files left behind";
    if (save.file) {
      EXPECT_EQ(ReadFile(file), "old");
      EXPECT_EQ(OwnerAndModeOf(file), *save.file);
    }
    return;
  }
  ino_t inode_after = 0;
  EXPECT_EQ(OwnerAndModeOf(file, &inode_after), save.after);
  EXPECT_EQ(ReadFile(file), "new");
  EXPECT_EQ(inode_after == inode_before, save.in_place);
  EXPECT_EQ(NamesIn(scratch_.path()), names) << "files left behind";
  EXPECT_EQ(AclOf(file), save.acl ? std::optional(GamesUserAcl()) : std::nullopt);
  if (save.second_link) {
    EXPECT_EQ(ReadFile(folder / "other.cfg"), "new");
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedInstall, ::testing::ValuesIn(kSaveCases),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace krovan
