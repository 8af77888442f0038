#pragma once

#include <grp.h>
#include <unistd.h>

#include <span>

namespace krovan::testing {

// The users of a game installed for several: root, who installed it; the player (nobody), in
// whose place the tests save; and another member of the group games.
inline constexpr uid_t kRoot = 0;
inline constexpr uid_t kPlayer = 65534;
inline constexpr gid_t kPlayerGroup = 65534;
inline constexpr gid_t kGames = 60;
inline constexpr uid_t kOtherMember = 1234;

// Turns this process, run by root, into the player with the supplementary `groups`; false if it
// could not.
inline bool BecomePlayer(std::span<const gid_t> groups) {
  return setgroups(groups.size(), groups.data()) == 0 &&
         setresgid(kPlayerGroup, kPlayerGroup, kPlayerGroup) == 0 &&
         setresuid(kPlayer, kPlayer, kPlayer) == 0;
}

}  // namespace krovan::testing
