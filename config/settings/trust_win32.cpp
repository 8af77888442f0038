#include "config/settings/trust_win32.h"

#include <aclapi.h>
#include <windows.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <memory>

namespace krovan {
namespace {

// The rights over a folder by which someone else could put a link or folder of their own in it,
// or give themselves that right.
constexpr DWORD kRightsToChange = FILE_ADD_FILE | FILE_ADD_SUBDIRECTORY | FILE_DELETE_CHILD |
                                  FILE_WRITE_DATA | DELETE | WRITE_DAC | WRITE_OWNER |
                                  GENERIC_WRITE | GENERIC_ALL;

// An account, or with `and_below` a family of them, by the parts of its SID: S-1-<authority>-
// <rids>.
struct Account {
  BYTE authority;
  BYTE rid_count;
  std::array<DWORD, 2> rids;
  bool and_below = false;
};

constexpr std::array<Account, 3> kTrustedAccounts = {{
    {5, 1, {18}},        // the local system
    {5, 2, {32, 544}},   // the administrators
    {5, 1, {80}, true},  // the services (NT SERVICE\...): only administrators install them
}};

// The accounts whose entries in a DACL grant their rights to the folder's owner: a trusted owner
// makes them trusted.
constexpr std::array<Account, 2> kOwnerAccounts = {{
    {3, 1, {0}},  // creator owner
    {3, 1, {4}},  // owner rights
}};

struct LocalFreeDeleter {
  void operator()(void* memory) const { LocalFree(memory); }
};
using SecurityDescriptor = std::unique_ptr<void, LocalFreeDeleter>;

// The user the program runs as, from its process token; empty when that cannot be told.
std::unique_ptr<char[]> CurrentUser() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
    return {};
  }
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  auto user = std::make_unique<char[]>(size);
  const bool known = size != 0 && GetTokenInformation(token, TokenUser, user.get(), size, &size);
  CloseHandle(token);
  return known ? std::move(user) : nullptr;
}

bool Is(const SID& sid, const Account& account) {
  const BYTE* authority = sid.IdentifierAuthority.Value;
  if (std::any_of(authority, authority + 5, [](BYTE part) { return part != 0; }) ||
      authority[5] != account.authority ||
      (account.and_below ? sid.SubAuthorityCount < account.rid_count
                         : sid.SubAuthorityCount != account.rid_count)) {
    return false;
  }
  return std::equal(account.rids.begin(), account.rids.begin() + account.rid_count,
                    sid.SubAuthority);
}

bool IsAnyOf(PSID sid, const auto& accounts) {
  return std::ranges::any_of(
      accounts, [&](const Account& account) { return Is(*static_cast<const SID*>(sid), account); });
}

// SIDs are laid out as SID shows: their length follows from their count of RIDs.
bool SameSid(PSID first, PSID second) {
  const auto& one = *static_cast<const SID*>(first);
  const auto& other = *static_cast<const SID*>(second);
  return one.SubAuthorityCount == other.SubAuthorityCount &&
         std::memcmp(&one, &other,
                     offsetof(SID, SubAuthority) + one.SubAuthorityCount * sizeof(DWORD)) == 0;
}

bool IsTrusted(PSID sid) {
  const std::unique_ptr<char[]> user = CurrentUser();
  return (user && SameSid(sid, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid)) ||
         IsAnyOf(sid, kTrustedAccounts);
}

// The owner and, when asked for, the DACL of `entry`; false when they cannot be read.
bool ReadSecurity(HANDLE entry, SECURITY_INFORMATION what, PSID& owner, PACL& dacl,
                  SecurityDescriptor& descriptor) {
  PSECURITY_DESCRIPTOR raw = nullptr;
  const DWORD error =
      GetSecurityInfo(entry, SE_FILE_OBJECT, what, &owner, nullptr, &dacl, nullptr, &raw);
  descriptor.reset(raw);
  return error == ERROR_SUCCESS && owner != nullptr;
}

// Whether the entry `header` of a DACL lets someone untrusted change the folder. Denials only
// narrow, and inherit-only entries apply to what is made in it. Every kind of entry that grants
// keeps its rights right after the header; the plain and the conditional (callback) ones keep
// the SID after them, and a condition may hold for anyone. The object kinds, which keep GUIDs
// before the SID, and the compound kind count as granting to others.
bool GrantsChangeToOthers(const ACE_HEADER& header) {
  const bool plain = header.AceType == ACCESS_ALLOWED_ACE_TYPE ||
                     header.AceType == ACCESS_ALLOWED_CALLBACK_ACE_TYPE;
  const bool other_grant = header.AceType == ACCESS_ALLOWED_COMPOUND_ACE_TYPE ||
                           header.AceType == ACCESS_ALLOWED_OBJECT_ACE_TYPE ||
                           header.AceType == ACCESS_ALLOWED_CALLBACK_OBJECT_ACE_TYPE;
  if (!(plain || other_grant) || (header.AceFlags & INHERIT_ONLY_ACE) != 0) {
    return false;
  }
  const auto& allowed = reinterpret_cast<const ACCESS_ALLOWED_ACE&>(header);
  if ((allowed.Mask & kRightsToChange) == 0) {
    return false;
  }
  PSID sid = const_cast<DWORD*>(&allowed.SidStart);
  return other_grant || (!IsTrusted(sid) && !IsAnyOf(sid, kOwnerAccounts));
}

}  // namespace

bool OwnedByTrusted(HANDLE entry) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  SecurityDescriptor descriptor;
  return ReadSecurity(entry, OWNER_SECURITY_INFORMATION, owner, dacl, descriptor) &&
         IsTrusted(owner);
}

bool ClosedToOthers(PSID owner, const ACL* dacl) {
  if (owner == nullptr || !IsTrusted(owner) || dacl == nullptr) {
    return false;
  }
  // The entries follow the ACL's header, one after the other, each as long as its own says.
  const auto* entry = reinterpret_cast<const BYTE*>(dacl + 1);
  for (DWORD index = 0; index < dacl->AceCount; ++index) {
    const auto& header = *reinterpret_cast<const ACE_HEADER*>(entry);
    if (GrantsChangeToOthers(header)) {
      return false;
    }
    entry += header.AceSize;
  }
  return true;
}

bool ClosedToOthers(HANDLE folder) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  SecurityDescriptor descriptor;
  return ReadSecurity(folder, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, owner, dacl,
                      descriptor) &&
         ClosedToOthers(owner, dacl);
}

}  // namespace krovan
