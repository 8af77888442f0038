// The order of a save's system calls, seen through a trace: a new file is on disk before it has
// a name and the folder is synced after the rename; a rewrite in place goes through the old
// file's own descriptor; and a save that fails leaves neither a name nor a descriptor behind.
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "config/settings/replace_file.h"
#include "tests/scratch_directory.h"
#include "tests/settings/traced_call.h"

namespace krovan {
namespace {

namespace fs = std::filesystem;
using testing::FakeAnswer;
using testing::SyscallArguments;
using testing::SyscallRecord;

enum class OldFile { kNone, kSingle, kLinked };

struct SaveCase {
  std::string name;
  OldFile old_file;
  std::optional<FakeAnswer> fake;
  std::string error;
  // What the save did to its files, in order (see Events).
  std::vector<std::string> events;

  friend void PrintTo(const SaveCase& save, std::ostream* out) { *out << save.name; }
};

FakeAnswer Fails(long number, long result) {
  return {number, {}, result};
}

const FakeAnswer kTmpfileNotSupported = {
    SYS_openat,
    [](const SyscallArguments& arguments) { return (arguments[2] & O_TMPFILE) == O_TMPFILE; },
    -EOPNOTSUPP};

const std::vector<std::string> kUnnamedSave = {"open unnamed", "write new", "sync new",
                                               "name",         "rename",    "sync folder"};
const std::vector<std::string> kRewrite = {"reserve old", "write old", "truncate old", "sync old"};
constexpr auto kIoError = "Input/output error";

const SaveCase kSaves[] = {
    {"Replaces", OldFile::kSingle, {}, "", kUnnamedSave},
    {"Creates", OldFile::kNone, {}, "", kUnnamedSave},
    {"ReplacesThroughNamedFile",
     OldFile::kSingle,
     kTmpfileNotSupported,
     "",
     {"create new", "write new", "sync new", "rename", "sync folder"}},
    {"RewritesInPlace", OldFile::kLinked, {}, "", kRewrite},
    {"SyncFails",
     OldFile::kSingle,
     Fails(SYS_fsync, -EIO),
     kIoError,
     {"open unnamed", "write new", "sync new"}},
    {"SyncFailsForNewFile",
     OldFile::kNone,
     Fails(SYS_fsync, -EIO),
     kIoError,
     {"open unnamed", "write new", "sync new"}},
    {"NameFails",
     OldFile::kSingle,
     Fails(SYS_linkat, -EIO),
     kIoError,
     {"open unnamed", "write new", "sync new", "name"}},
    {"RenameFails",
     OldFile::kSingle,
     Fails(SYS_renameat, -EIO),
     kIoError,
     {"open unnamed", "write new", "sync new", "name", "rename", "remove"}},
    {"WritesNothingInPlace",
     OldFile::kLinked,
     Fails(SYS_pwrite64, 0),
     kIoError,
     {"reserve old", "write old"}},
    {"TruncateFailsInPlace",
     OldFile::kLinked,
     Fails(SYS_ftruncate, -EIO),
     kIoError,
     {"reserve old", "write old", "truncate old"}},
};

// What a descriptor that the save opened refers to.
struct Opened {
  std::string what;     // "new", "old", "folder" or "other"
  long folder_at = -1;  // for a folder, the descriptor it was opened relative to
};

Opened WhatIsOpened(const SyscallArguments& arguments) {
  const auto flags = static_cast<int>(arguments[2]);
  if ((flags & O_TMPFILE) == O_TMPFILE || (flags & O_CREAT) != 0) {
    return {"new"};
  }
  if ((flags & O_DIRECTORY) != 0 && (flags & O_PATH) == 0) {
    return {"folder", static_cast<long>(arguments[0])};
  }
  return {(flags & O_ACCMODE) != O_RDONLY && (flags & O_PATH) == 0 ? "old" : "other"};
}

// The calls that write, name or sync a file, each named with the descriptor it went through:
// the new file, the old one (opened again for writing), a folder. Descriptors are told apart by
// what openat returned; those the save did not open are not its files.
std::vector<std::string> Events(const std::vector<SyscallRecord>& calls) {
  static const std::map<long, std::string> kThroughDescriptor = {
      {SYS_pwrite64, "write"},    {SYS_write, "write"}, {SYS_ftruncate, "truncate"},
      {SYS_fallocate, "reserve"}, {SYS_fsync, "sync"},  {SYS_fdatasync, "sync"}};
  std::map<long, Opened> opened;
  long renamed_in = -2;
  std::vector<std::string> events;
  for (const SyscallRecord& call : calls) {
    const auto fd = static_cast<long>(static_cast<int>(call.arguments[0]));
    if (call.number == SYS_openat && call.result >= 0) {
      opened[call.result] = WhatIsOpened(call.arguments);
      const auto flags = static_cast<int>(call.arguments[2]);
      if ((flags & O_TMPFILE) == O_TMPFILE) {
        events.push_back("open unnamed");
      } else if ((flags & O_CREAT) != 0) {
        events.push_back("create new");
      }
    } else if (call.number == SYS_close) {
      opened.erase(fd);
    } else if (call.number == SYS_linkat) {
      events.push_back("name");
    } else if (call.number == SYS_renameat || call.number == SYS_renameat2) {
      events.push_back("rename");
      renamed_in = fd;
    } else if (call.number == SYS_unlinkat) {
      events.push_back("remove");
    } else if (const auto action = kThroughDescriptor.find(call.number);
               action != kThroughDescriptor.end() && opened.contains(fd)) {
      const Opened& file = opened.at(fd);
      const bool renamed_folder = file.what == "folder" && file.folder_at == renamed_in;
      events.push_back(
          action->second + " " +
          (renamed_folder || file.what != "folder" ? file.what : std::string("other folder")));
    }
  }
  return events;
}

std::set<std::string> OpenDescriptors() {
  std::set<std::string> open;
  for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
    open.insert(entry.path().filename().string());
  }
  return open;
}

std::set<std::string> Names() {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

class SaveOrder : public ScratchDirectoryTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveOrder, KeepsTheFileWholeAndLeavesNothingBehind) {
  if (!testing::CanTrace()) {
    GTEST_SKIP() << "system calls cannot be traced here";
  }
  const SaveCase& save = GetParam();
  std::set<std::string> names;
  if (save.old_file != OldFile::kNone) {
    WriteFile("krovan3d.cfg", "old");
    names.insert("krovan3d.cfg");
  }
  if (save.old_file == OldFile::kLinked) {
    fs::create_hard_link("krovan3d.cfg", "other.cfg");
    names.insert("other.cfg");
  }
  if (save.error.empty()) {
    names.insert("krovan3d.cfg");
  }

  // The child answers with the save's error, then the descriptors it left open.
  const auto result = testing::RunTraced(
      [] {
        const std::set<std::string> before = OpenDescriptors();
        std::string answer = ReplaceFile("krovan3d.cfg", "new") + "\n";
        for (const std::string& fd : OpenDescriptors()) {
          if (!before.contains(fd)) {
            answer += fd + " ";
          }
        }
        return answer;
      },
      {.fake = save.fake});

  EXPECT_EQ(result.returned, save.error + "\n") << "after the error: descriptors left open";
  EXPECT_EQ(Events(result.calls), save.events);
  EXPECT_EQ(Names(), names) << "files left behind";
}

INSTANTIATE_TEST_SUITE_P(Saves, SaveOrder, ::testing::ValuesIn(kSaves),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace krovan
