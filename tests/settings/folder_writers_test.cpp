// Who an NFSv4 ACL lets change a folder's entries, and that the folder's own is read.
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "config/settings/folder_writers_posix.h"
#include "tests/scratch_directory.h"
#include "tests/settings/traced_call.h"

namespace krovan {
namespace {

constexpr std::uint32_t kAllow = 0, kDeny = 1, kInheritOnly = 0x8, kGroupFlag = 0x40;
constexpr std::uint32_t kRead = 0x1 | 0x20, kAddFile = 0x2;

struct Ace {
  std::uint32_t type, flags, mask;
  std::string who;
};

// The XDR of an NFSv4 ACL of `aces` (of `count` entries, unless told), as system.nfs4_acl has it.
std::string Nfs4Acl(const std::vector<Ace>& aces, std::optional<std::uint32_t> count = {}) {
  std::string raw;
  const auto unit = [&raw](std::uint32_t value) {
    raw += {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
  };
  unit(count.value_or(aces.size()));
  for (const Ace& ace : aces) {
    unit(ace.type), unit(ace.flags), unit(ace.mask), unit(ace.who.size());
    raw += ace.who + std::string((4 - ace.who.size() % 4) % 4, '\0');
  }
  return raw;
}

const std::string kOwnerWrites = Nfs4Acl({{kAllow, 0, kAddFile, "OWNER@"}});

struct Nfs4Case {
  const char* name;
  std::string raw;
  bool ours;
  uid_t owner = geteuid();
  gid_t group = 1;  // daemon's

  friend void PrintTo(const Nfs4Case& acl, std::ostream* out) { *out << acl.name; }
};

const Nfs4Case kNfs4Cases[] = {
    {"Owner", kOwnerWrites, true},
    {"OwnerAnotherUser", kOwnerWrites, false, 1234},
    {"GroupOfOthers", Nfs4Acl({{kAllow, 0, 0x40, "GROUP@"}}), false},
    {"EveryoneWrites", Nfs4Acl({{kAllow, 0, 0x80000, "EVERYONE@"}}), false},
    {"EveryoneReads", Nfs4Acl({{kAllow, 0, kRead, "EVERYONE@"}, {kAllow, 0, 0x7, "OWNER@"}}), true},
    {"DenyEveryone", Nfs4Acl({{kDeny, 0, kAddFile, "EVERYONE@"}}), true},
    {"InheritOnlyEveryone", Nfs4Acl({{kAllow, kInheritOnly, kAddFile, "EVERYONE@"}}), true},
    {"RootByName", Nfs4Acl({{kAllow, 0, kAddFile, "root@localdomain"}}), true},
    {"RootById", Nfs4Acl({{kAllow, 0, kAddFile, "0"}}), true},
    {"UnknownUser", Nfs4Acl({{kAllow, 0, 0x4, "no-such-user@localdomain"}}), false},
    {"GroupOfOthersByName", Nfs4Acl({{kAllow, kGroupFlag, 0x40000, "daemon@localdomain"}}), false},
    {"UnknownType", Nfs4Acl({{4, 0, kRead, "OWNER@"}}), false},
    {"Truncated", kOwnerWrites.substr(0, kOwnerWrites.size() - 4), false},
    {"BadPadding", kOwnerWrites.substr(0, kOwnerWrites.size() - 1) + "x", false},
    {"MoreThanCounted", kOwnerWrites + std::string(4, '\0'), false},
    {"CountBeyondData", Nfs4Acl({{kAllow, 0, kRead, "OWNER@"}}, 2), false},
};

class Nfs4Acls : public ::testing::TestWithParam<Nfs4Case> {};

TEST_P(Nfs4Acls, LetOnlyTheUserAndRootChangeEntries) {
  const Nfs4Case& acl = GetParam();
  EXPECT_EQ(Nfs4AclOfUserAndRoot(acl.raw, acl.owner, acl.group), acl.ours);
}

INSTANTIATE_TEST_SUITE_P(Cases, Nfs4Acls, ::testing::ValuesIn(kNfs4Cases),
                         [](const auto& info) { return std::string(info.param.name); });

// The second attribute read, after the POSIX ACL, is the NFSv4 ACL: one that cannot be read
// lets others write.
TEST(FolderWriters, UnreadableNfs4AclLetsOthers) {
  if (!testing::CanTrace()) {
    GTEST_SKIP() << "system calls cannot be traced here";
  }
  ScratchDirectory scratch;
  std::filesystem::permissions(scratch.path(), std::filesystem::perms(0755));
  const int folder = open(scratch.path().c_str(), O_PATH | O_DIRECTORY);
  struct stat status {};
  ASSERT_EQ(fstat(folder, &status), 0);
  ASSERT_TRUE(OnlyUserAndRootMayWrite(folder, status));
  static int reads;
  reads = 0;
  const testing::FakeAnswer second = {
      SYS_getxattr, [](const testing::SyscallArguments&) { return ++reads == 2; }, -EIO};
  const auto judge = [&] { return OnlyUserAndRootMayWrite(folder, status) ? "ours" : "others"; };
  EXPECT_EQ(testing::RunTraced(judge, {.fake = second}).returned, "others");
  close(folder);
}

}  // namespace
}  // namespace krovan
