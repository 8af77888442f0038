#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include "config/settings/game_settings.h"
#include "config/settings/replace_file.h"
#include "config/settings/replace_file_posix.h"
#include "config/settings/settings_text.h"
#include "tests/scratch_directory.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;

// A directory tree by relative path: "dir", "fifo", "link <target>" or "file <octal mode> <bytes>".
using Tree = std::map<std::string, std::string>;

void Build(const Tree& tree) {
  for (const auto& [path, entry] : tree) {
    if (entry == "dir") {
      fs::create_directory(path);
    } else if (entry == "fifo") {
      ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    } else if (entry.starts_with("link ")) {
      fs::create_symlink(entry.substr(5), path);
    } else {
      WriteFile(path, entry.substr(9));
      fs::permissions(path, fs::perms(std::stoi(entry.substr(5, 3), nullptr, 8)));
    }
  }
}

Tree Scan() {
  Tree tree;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
    const std::string path = entry.path().lexically_relative(".").string();
    const fs::file_status status = entry.symlink_status();
    if (fs::is_symlink(status)) {
      tree[path] = "link " + fs::read_symlink(path).string();
    } else if (fs::is_directory(status) || fs::is_fifo(status)) {
      tree[path] = fs::is_fifo(status) ? "fifo" : "dir";
    } else {
      std::ostringstream mode;
      mode << std::oct << static_cast<unsigned>(status.permissions());
      tree[path] =
          "file " + std::string(3 - mode.str().size(), '0') + mode.str() + " " + ReadFile(path);
    }
  }
  return tree;
}

class ReplaceFileTest : public ScratchDirectoryTest {
 protected:
  void SetUp() override {
    ScratchDirectoryTest::SetUp();
    umask_ = umask(022);
  }
  void TearDown() override {
    umask(umask_);
    ScratchDirectoryTest::TearDown();
  }

 private:
  mode_t umask_ = 0;
};

struct ReplaceCase {
  std::string name;
  Tree before;
  std::string error;
  Tree after;

  friend void PrintTo(const ReplaceCase& replace, std::ostream* out) { *out << replace.name; }
};

ReplaceCase Refused(std::string name, Tree before, std::string error) {
  return {std::move(name), before, std::move(error), before};
}

const std::vector<ReplaceCase> kReplaceCases = {
    {"NewFile", {}, "", {{"krovan3d.cfg", "file 644 new"}}},
    {"KeepsMode600", {{"krovan3d.cfg", "file 600 old"}}, "", {{"krovan3d.cfg", "file 600 new"}}},
    {"KeepsMode200", {{"krovan3d.cfg", "file 200 old"}}, "", {{"krovan3d.cfg", "file 200 new"}}},
    {"LinkToFile",
     {{"krovan3d.cfg", "link real.cfg"}, {"real.cfg", "file 640 old"}},
     "",
     {{"krovan3d.cfg", "link real.cfg"}, {"real.cfg", "file 640 new"}}},
    {"LinkChainRelativeToEachLink",
     {{"krovan3d.cfg", "link sub/next.lnk"},
      {"sub", "dir"},
      {"sub/next.lnk", "link real.cfg"},
      {"sub/real.cfg", "file 644 old"}},
     "",
     {{"krovan3d.cfg", "link sub/next.lnk"},
      {"sub", "dir"},
      {"sub/next.lnk", "link real.cfg"},
      {"sub/real.cfg", "file 644 new"}}},
    {"DanglingLinkCreatesTarget",
     {{"krovan3d.cfg", "link made.cfg"}},
     "",
     {{"krovan3d.cfg", "link made.cfg"}, {"made.cfg", "file 644 new"}}},
    Refused("ReadOnly", {{"krovan3d.cfg", "file 444 old"}}, "Permission denied"),
    Refused("NoPermissionBits", {{"krovan3d.cfg", "file 000 old"}}, "Permission denied"),
    Refused("LinkToReadOnly", {{"krovan3d.cfg", "link real.cfg"}, {"real.cfg", "file 400 old"}},
            "Permission denied"),
    Refused("Directory", {{"krovan3d.cfg", "dir"}, {"krovan3d.cfg/inner", "file 644 old"}},
            "Is a directory"),
    Refused("LinkToDirectory", {{"krovan3d.cfg", "link sub"}, {"sub", "dir"}}, "Is a directory"),
    Refused("Pipe", {{"krovan3d.cfg", "fifo"}}, "Not a regular file"),
    Refused("LinkLoop", {{"krovan3d.cfg", "link loop.lnk"}, {"loop.lnk", "link krovan3d.cfg"}},
            "Too many levels of symbolic links"),
    Refused("LinkIntoMissingDirectory", {{"krovan3d.cfg", "link missing/real.cfg"}},
            "No such file or directory"),
};

constexpr std::array kNewFileKinds = {NewFileKind::kUnnamed, NewFileKind::kNamed};

std::string KindName(NewFileKind kind) {
  return kind == NewFileKind::kUnnamed ? "Unnamed" : "Named";
}

}  // namespace

void PrintTo(NewFileKind kind, std::ostream* out) {
  *out << KindName(kind);
}

namespace {

// Every case with either kind of new file; kNamed is what file systems without O_TMPFILE get.
class ReplaceFileCases
    : public ReplaceFileTest,
      public ::testing::WithParamInterface<std::tuple<ReplaceCase, NewFileKind>> {};

int OpenDescriptors() {
  return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

TEST_P(ReplaceFileCases, LeavesTheExpectedTreeAndNoTemporaryFileOrDescriptor) {
  const auto& [replace, kind] = GetParam();
  Build(replace.before);
  const int descriptors = OpenDescriptors();
  EXPECT_EQ(ReplaceFileStartingWith(kSettingsFileName, "new", kind), replace.error);
  EXPECT_EQ(Scan(), replace.after);
  EXPECT_EQ(OpenDescriptors(), descriptors);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceFileCases,
                         ::testing::Combine(::testing::ValuesIn(kReplaceCases),
                                            ::testing::ValuesIn(kNewFileKinds)),
                         [](const auto& info) {
                           return std::get<0>(info.param).name + "_" +
                                  KindName(std::get<1>(info.param));
                         });

class NewFileKinds : public ReplaceFileTest, public ::testing::WithParamInterface<NewFileKind> {};

// Root can give a file away: the saved file stays the user's, in the user's group.
TEST_P(NewFileKinds, KeepsOwnerAndGroup) {
  if (geteuid() != 0) {
    GTEST_SKIP() << "only root may create a file owned by another user";
  }
  constexpr uid_t kOtherUser = 65534;
  constexpr gid_t kOtherGroup = 65534;
  Build({{"krovan3d.cfg", "file 640 old"}});
  ASSERT_EQ(chown("krovan3d.cfg", kOtherUser, kOtherGroup), 0);
  EXPECT_EQ(ReplaceFileStartingWith(kSettingsFileName, "new", GetParam()), "");
  struct stat status {};
  ASSERT_EQ(stat("krovan3d.cfg", &status), 0);
  EXPECT_EQ(status.st_uid, kOtherUser);
  EXPECT_EQ(status.st_gid, kOtherGroup);
  EXPECT_EQ(Scan(), (Tree{{"krovan3d.cfg", "file 640 new"}}));
}

// A save killed while writing (here by SIGXFSZ past a file size limit) leaves the old file
// and, with an unnamed new file, nothing else; a named one stays behind until the next save.
TEST_P(NewFileKinds, KilledSaveLeavesOldFile) {
  const std::string old_text = "file 644 " + std::string(100, '7');
  Build({{"krovan3d.cfg", old_text}});
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const rlimit no_core{0, 0};
    const rlimit small{10, RLIM_INFINITY};
    setrlimit(RLIMIT_CORE, &no_core);
    signal(SIGXFSZ, SIG_DFL);
    setrlimit(RLIMIT_FSIZE, &small);
    ReplaceFileStartingWith(kSettingsFileName, std::string(100, 'n'), GetParam());
    _exit(0);
  }
  int wait_status = 0;
  ASSERT_EQ(waitpid(child, &wait_status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(wait_status) && WTERMSIG(wait_status) == SIGXFSZ);
  Tree left = Scan();
  EXPECT_EQ(left.extract("krovan3d.cfg").mapped(), old_text);
  EXPECT_EQ(left.size(), GetParam() == NewFileKind::kUnnamed ? 0U : 1U);
  EXPECT_EQ(ReplaceFileStartingWith(kSettingsFileName, "new", GetParam()), "");
  EXPECT_EQ(Scan(), (Tree{{"krovan3d.cfg", "file 644 new"}}));
}

// A temporary file that a running save holds locked is not a leftover, nor is a file of the
// user's that only looks like one.
TEST_F(ReplaceFileTest, KeepsRunningSavesAndLookalikes) {
  const Tree others = {{"krovan3d.cfg.saving-Run123", "file 600 running"},
                       {"krovan3d.cfg.saving-old", "file 600 user's"},
                       {"krovan3d.cfg.backup", "file 644 user's"}};
  Build(others);
  const int running = open("krovan3d.cfg.saving-Run123", O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(flock(running, LOCK_EX), 0);
  EXPECT_EQ(ReplaceFile(kSettingsFileName, "new"), "");
  close(running);
  Tree expected = others;
  expected["krovan3d.cfg"] = "file 644 new";
  EXPECT_EQ(Scan(), expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, NewFileKinds, ::testing::ValuesIn(kNewFileKinds),
                         [](const auto& info) { return KindName(info.param); });

// Makes write() fail with EFBIG beyond `bytes`, as a full disk would, for the object's lifetime.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_limit_);
    const rlimit limit{.rlim_cur = bytes, .rlim_max = old_limit_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_limit_);
    signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_limit_{};
  sighandler_t old_handler_ = nullptr;
};

class FailedWrite : public ReplaceFileTest, public ::testing::WithParamInterface<rlim_t> {};

TEST_P(FailedWrite, KeepsTheOldFileByteForByte) {
  const Tree before = {{"krovan3d.cfg", "file 640 800\r\n600\r\n" + std::string(300, '7')}};
  Build(before);
  WriteResult result;
  std::string named_error;
  {
    const FileSizeLimit limit(GetParam());
    result = WriteSettings(GameSettings{});
    named_error = ReplaceFileStartingWith(kSettingsFileName, FormatSettings(GameSettings{}),
                                          NewFileKind::kNamed);
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "File too large");
  EXPECT_EQ(named_error, "File too large");
  EXPECT_EQ(Scan(), before);
}

// A file with a second link is rewritten in place; the space for the new contents is taken
// before any old byte is overwritten, so running out of it leaves both names as they were.
TEST_P(FailedWrite, InPlaceKeepsTheOldFileByteForByte) {
  const Tree before = {{"krovan3d.cfg", "file 640 800\r\n600\r\n"},
                       {"other.cfg", "file 640 800\r\n600\r\n"}};
  WriteFile("krovan3d.cfg", "800\r\n600\r\n");
  fs::permissions("krovan3d.cfg", fs::perms(0640));
  fs::create_hard_link("krovan3d.cfg", "other.cfg");
  std::string error;
  {
    const FileSizeLimit limit(GetParam());
    error = ReplaceFile(kSettingsFileName, FormatSettings(GameSettings{}));
  }
  EXPECT_EQ(error, "File too large");
  EXPECT_EQ(Scan(), before);
}

INSTANTIATE_TEST_SUITE_P(Limits, FailedWrite, ::testing::Values(0, 1, 40, 67));

using ReadSpecialFile = ReplaceFileTest;

TEST_F(ReadSpecialFile, NamedPipeIsNotWaitedFor) {
  Build({{"krovan3d.cfg", "fifo"}});
  EXPECT_EQ(ReadSettings().ValuesRead, 0);
}

}  // namespace
}  // namespace krovan
