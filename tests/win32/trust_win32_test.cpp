// Which folders nobody but the trusted may change, judged from owners and DACLs written in SDDL,
// as Windows makes them: a player's own folder, a folder at the root of C:, a shared one.
#include "config/settings/trust_win32.h"

#include <gtest/gtest.h>
#include <sddl.h>
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>

namespace krovan {
namespace {

// The player's SID as SDDL writes it.
std::wstring PlayerSid() {
  HANDLE token = nullptr;
  EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  auto user = std::make_unique<char[]>(size);
  EXPECT_TRUE(GetTokenInformation(token, TokenUser, user.get(), size, &size));
  CloseHandle(token);
  wchar_t* text = nullptr;
  EXPECT_TRUE(ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid, &text));
  std::wstring sid = text;
  LocalFree(text);
  return sid;
}

struct Folder {
  const char* name;
  std::wstring owner;  // "me" for the player
  std::wstring dacl;
  bool closed;
  BYTE last_entry_type = 0;  // when set, the kind the DACL's last entry is given instead

  friend void PrintTo(const Folder& folder, std::ostream* out) { *out << folder.name; }
};

// What a folder of the player's own holds, and the Modify that Authenticated Users inherit at
// the root of C:.
const std::wstring kOwn = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;me)";
const std::wstring kModifyForAll = L"(A;OICI;0x1301bf;;;AU)";

const Folder kFolders[] = {
    {"PlayersOwn", L"me", kOwn, true},
    {"OwnedByAdministrators", L"BA", kOwn, true},
    {"OwnedByAnotherUser", L"S-1-5-21-1-2-3-1001", kOwn, false},
    {"AtTheRootOfC", L"BA", kOwn + kModifyForAll, false},
    {"ReadableByEveryone", L"me", kOwn + L"(A;OICI;FR;;;WD)", true},
    {"InheritOnlyForEveryone", L"me", kOwn + L"(A;OICIIO;FA;;;WD)", true},
    {"DeniedToEveryone", L"me", L"D:P(D;;FA;;;WD)(A;;FA;;;me)", true},
    {"ForAService", L"me", kOwn + L"(A;;FA;;;S-1-5-80-1-2)", true},
    {"ForTheCreatorOwner", L"me", kOwn + L"(A;;FA;;;CO)", true},
    {"ForAnotherUser", L"me", kOwn + L"(A;;0x6;;;S-1-5-21-1-2-3-1001)", false},
    {"NullDacl", L"me", L"", false},  // no DACL at all: everyone may do everything
    {"ConditionalForEveryone", L"me", kOwn + L"(A;;FA;;;WD)", false,
     ACCESS_ALLOWED_CALLBACK_ACE_TYPE},
    {"ConditionalForThePlayer", L"me", kOwn + L"(A;;FA;;;me)", true,
     ACCESS_ALLOWED_CALLBACK_ACE_TYPE},
    {"ObjectEntryForThePlayer", L"me", kOwn + L"(A;;FA;;;me)", false,
     ACCESS_ALLOWED_OBJECT_ACE_TYPE},
};

class TrustTest : public ::testing::TestWithParam<Folder> {};

TEST_P(TrustTest, TellsWhetherOthersMayChangeAFolder) {
  const Folder& folder = GetParam();
  std::wstring sddl = L"O:" + folder.owner + folder.dacl;
  for (std::size_t at; (at = sddl.find(L"me")) != std::wstring::npos;) {
    sddl.replace(at, 2, PlayerSid());
  }
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                                   &descriptor, nullptr));
  PSID owner = nullptr;
  PACL dacl = nullptr;
  BOOL defaulted = FALSE;
  BOOL present = FALSE;
  ASSERT_TRUE(GetSecurityDescriptorOwner(descriptor, &owner, &defaulted));
  ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted));
  if (folder.last_entry_type != 0) {
    void* last = nullptr;
    ASSERT_TRUE(GetAce(dacl, dacl->AceCount - 1, &last));
    static_cast<ACE_HEADER*>(last)->AceType = folder.last_entry_type;
  }
  EXPECT_EQ(ClosedToOthers(owner, folder.dacl.empty() ? nullptr : dacl), folder.closed);
  LocalFree(descriptor);
}

INSTANTIATE_TEST_SUITE_P(Folders, TrustTest, ::testing::ValuesIn(kFolders),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace krovan
