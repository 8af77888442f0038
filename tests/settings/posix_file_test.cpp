#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <map>
#include <sstream>

#include "config/settings/game_settings.h"
#include "config/settings/replace_file.h"
#include "tests/settings/scratch_directory.h"

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
    Refused("Pipe", {{"krovan3d.cfg", "fifo"}}, "Invalid argument"),
    Refused("LinkLoop", {{"krovan3d.cfg", "link loop.lnk"}, {"loop.lnk", "link krovan3d.cfg"}},
            "Too many levels of symbolic links"),
    Refused("LinkIntoMissingDirectory", {{"krovan3d.cfg", "link missing/real.cfg"}},
            "No such file or directory"),
};

class ReplaceFileCases : public ReplaceFileTest,
                         public ::testing::WithParamInterface<ReplaceCase> {};

TEST_P(ReplaceFileCases, LeavesTheExpectedTreeAndNoTemporaryFile) {
  Build(GetParam().before);
  EXPECT_EQ(ReplaceFile(kSettingsFileName, "new"), GetParam().error);
  EXPECT_EQ(Scan(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReplaceFileCases, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) { return info.param.name; });

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
  {
    const FileSizeLimit limit(GetParam());
    result = WriteSettings(GameSettings{});
  }
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.error, "File too large");
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
