// Answers that a real system gives rarely, given to the save's own system calls through a trace:
// where each leads, what the save says, and which way the file went (a new inode or the same).
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <set>

#include "config/settings/replace_file.h"
#include "tests/scratch_directory.h"
#include "tests/settings/traced_call.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;
using testing::FakeAnswer;
using testing::SyscallArguments;

// Which way the save went: a new file renamed over the old one, or the old one kept (rewritten
// in place, or left as it was).
enum class Inode { kNew, kSame };

struct RareAnswer {
  std::string name;
  FakeAnswer fake;
  bool second_name;  // the file has another hard link, so the save rewrites it in place
  std::string error;
  std::string text_after;
  Inode inode;
  bool needs_root = false;  // to give the file to another user, whose owner only root can keep

  friend void PrintTo(const RareAnswer& answer, std::ostream* out) { *out << answer.name; }
};

FakeAnswer TmpfileRefused(int error) {
  return {SYS_openat,
          [](const SyscallArguments& arguments) { return (arguments[2] & O_TMPFILE) == O_TMPFILE; },
          -error};
}

const FakeAnswer kFsyncFails = {SYS_fsync, {}, -EIO};
const FakeAnswer kWritesNothing = {SYS_pwrite64, {}, 0};

const RareAnswer kAnswers[] = {
    {"FsyncFails", kFsyncFails, false, "Input/output error", "old", Inode::kSame},
    // The new contents are there, but the system could not say they are on disk.
    {"FsyncFailsInPlace", kFsyncFails, true, "Input/output error", "new", Inode::kSame},
    {"WritesNothing", kWritesNothing, false, "Input/output error", "old", Inode::kSame},
    {"WritesNothingInPlace", kWritesNothing, true, "Input/output error", "old", Inode::kSame},
    // A named temporary file instead.
    {"TmpfileNotSupported", TmpfileRefused(EOPNOTSUPP), false, "", "new", Inode::kNew},
    {"TmpfileIsDirectory", TmpfileRefused(EISDIR), false, "", "new", Inode::kNew},
    {"TmpfileInvalid", TmpfileRefused(EINVAL), false, "", "new", Inode::kNew},
    // A refusal, not a file system without unnamed files: the folder's own answer.
    {"TmpfileNotPermitted", TmpfileRefused(EPERM), false, "", "new", Inode::kSame},
    // NFS before 4.2 and many FUSE file systems: the rewrite goes on without a reservation.
    {"CannotReserve", {SYS_fallocate, {}, -EOPNOTSUPP}, true, "", "new", Inode::kSame},
    // An ACL that cannot be read, or an NFSv4 one, is never dropped by a new file.
    {"AclUnreadable", {SYS_fgetxattr, {}, -EIO}, false, "", "new", Inode::kSame},
    {"Nfs4Acl", {SYS_fgetxattr, {}, 40}, false, "", "new", Inode::kSame},
    // A bind-mounted file cannot be renamed over.
    {"RenameBusy", {SYS_renameat, {}, -EBUSY}, false, "", "new", Inode::kSame},
    // The new file cannot be the other user's: the old one is rewritten in place.
    {"ChownRefused", {SYS_fchown, {}, -EPERM}, false, "", "new", Inode::kSame, true},
};

class RareAnswers : public ScratchDirectoryTest,
                    public ::testing::WithParamInterface<RareAnswer> {};

ino_t InodeOf(const fs::path& path) {
  struct stat status {};
  EXPECT_EQ(stat(path.c_str(), &status), 0);
  return status.st_ino;
}

std::set<std::string> Names() {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

TEST_P(RareAnswers, LeadWhereTheyShould) {
  const RareAnswer& answer = GetParam();
  if (answer.needs_root && geteuid() != 0) {
    GTEST_SKIP() << "only root may give a file to another user";
  }
  if (!testing::CanTrace()) {
    GTEST_SKIP() << "system calls cannot be traced here";
  }
  constexpr uid_t kOtherUser = 65534;
  WriteFile("krovan3d.cfg", "old");
  fs::permissions("krovan3d.cfg", fs::perms(0640));
  if (answer.needs_root) {
    ASSERT_EQ(chown("krovan3d.cfg", kOtherUser, kOtherUser), 0);
  }
  std::set<std::string> names = {"krovan3d.cfg"};
  if (answer.second_name) {
    fs::create_hard_link("krovan3d.cfg", "other.cfg");
    names.insert("other.cfg");
  }
  const ino_t before = InodeOf("krovan3d.cfg");

  const auto result =
      testing::RunTraced([] { return ReplaceFile("krovan3d.cfg", "new"); }, {.fake = answer.fake});

  EXPECT_EQ(result.returned, answer.error);
  EXPECT_EQ(ReadFile("krovan3d.cfg"), answer.text_after);
  EXPECT_EQ(InodeOf("krovan3d.cfg") == before, answer.inode == Inode::kSame);
  EXPECT_EQ(Names(), names) << "files left behind";
  struct stat status {};
  ASSERT_EQ(stat("krovan3d.cfg", &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640U);
  EXPECT_EQ(status.st_uid, answer.needs_root ? kOtherUser : geteuid());
}

INSTANTIATE_TEST_SUITE_P(Answers, RareAnswers, ::testing::ValuesIn(kAnswers),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace krovan
