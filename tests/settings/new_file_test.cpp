// How a save makes its new file on every file system: the mode the kernel gives it, a name that
// fits beside a long one, and a path that names a folder.
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <vector>

#include "config/settings/replace_file.h"
#include "tests/scratch_directory.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

class NewFileTest : public ScratchDirectoryTest {};

std::vector<std::string> Names() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

mode_t ModeOf(const char* path) {
  struct stat status {};
  EXPECT_EQ(stat(path, &status), 0);
  return status.st_mode & 07777;
}

// The process's umask as the kernel holds it, read without changing it.
std::string UmaskLine() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("Umask:")) {
      return line;
    }
  }
  return {};
}

// A default ACL in the kernel's own form: user::rw-, group::r--, group:100:rwx, mask::rwx,
// other::r--.
std::string DefaultAcl() {
  struct Entry {
    std::uint16_t tag, permissions;
    std::uint32_t id;
  };
  const Entry entries[] = {
      {0x01, 6, ~0U}, {0x04, 4, ~0U}, {0x08, 7, 100}, {0x10, 7, ~0U}, {0x20, 4, ~0U}};
  const std::uint32_t version = 2;
  std::string acl(reinterpret_cast<const char*>(&version), sizeof version);
  acl.append(reinterpret_cast<const char*>(entries), sizeof entries);
  return acl;
}

TEST_F(NewFileTest, TakesTheUmaskAndLeavesIt) {
  const mode_t before = umask(027);
  const std::string umask_line = UmaskLine();
  EXPECT_EQ(ReplaceFile("krovan3d.cfg", "new"), "");
  EXPECT_EQ(UmaskLine(), umask_line);
  umask(before);
  EXPECT_EQ(ModeOf("krovan3d.cfg"), 0640U);
  EXPECT_EQ(ReadFile("krovan3d.cfg"), "new");
}

TEST_F(NewFileTest, TakesTheFoldersDefaultAcl) {
  const std::string acl = DefaultAcl();
  fs::create_directory("shared");
  if (setxattr("shared", "system.posix_acl_default", acl.data(), acl.size(), 0) != 0) {
    GTEST_SKIP() << "no ACLs here";
  }
  const mode_t before = umask(022);
  EXPECT_EQ(ReplaceFile("shared/krovan3d.cfg", "new"), "");
  umask(before);
  // The default ACL, not the umask, sets the group's bits (its mask): rw- from the mode 0666.
  EXPECT_EQ(ModeOf("shared/krovan3d.cfg"), 0664U);
}

TEST_F(NewFileTest, SavesBesideALongName) {
  const std::string name(250, 'k');
  WriteFile(name, "old");
  EXPECT_EQ(ReplaceFile(name, "new"), "");
  EXPECT_EQ(ReadFile(name), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{name});
}

struct FolderPathCase {
  const char* name;
  const char* path;
  const char* error;

  friend void PrintTo(const FolderPathCase& path, std::ostream* out) { *out << path.path; }
};

class FolderPath : public ScratchDirectoryTest,
                   public ::testing::WithParamInterface<FolderPathCase> {};

TEST_P(FolderPath, IsNotSavedAsAFile) {
  WriteFile("f", "old");
  fs::create_directory("d");
  EXPECT_EQ(ReplaceFile(GetParam().path, "new"), GetParam().error);
  EXPECT_EQ(ReadFile("f"), "old");
  EXPECT_EQ(Names(), (std::vector<std::string>{"d", "f"}));
  EXPECT_TRUE(fs::is_empty("d"));
}

const FolderPathCase kFolderPaths[] = {
    {"File", "f/", "Not a directory"},
    {"Missing", "g/", "Not a directory"},
    {"Folder", "d/", "Is a directory"},
};

INSTANTIATE_TEST_SUITE_P(Paths, FolderPath, ::testing::ValuesIn(kFolderPaths),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krovan
