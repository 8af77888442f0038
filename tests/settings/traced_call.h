#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace krovan::testing {

// The arguments of a system call, as the kernel received them.
using SyscallArguments = std::array<std::uint64_t, 6>;

// An answer that a real system gives rarely: every call of `number` for which `matches` holds
// (every one when it is empty) is not run, and returns `result` instead (-errno for an error).
struct FakeAnswer {
  long number = 0;
  bool (*matches)(const SyscallArguments&) = nullptr;
  long result = 0;
};

struct TraceOptions {
  // Runs in the child before the trace starts: becoming the player, entering the game folder.
  std::function<void()> prepare{};
  // Before the call's system call number `pause_at` (from 1; 0 never) runs, the child is held
  // and the test runs `between`, as another process would in that moment.
  int pause_at = 0;
  std::function<void()> between{};
  std::optional<FakeAnswer> fake{};
};

// One system call the call made, in the order it entered them.
struct SyscallRecord {
  long number = 0;
  SyscallArguments arguments{};
  long result = 0;  // what the call saw: -errno for an error, or the faked answer
};

struct TraceResult {
  std::string returned;              // what the call returned
  std::vector<SyscallRecord> calls;  // every system call it made
};

// Whether this machine can trace calls (ptrace, and the registers of x86-64 to fake answers).
bool CanTrace();

// Runs `call` in a forked child traced with ptrace, and returns what it returned once the child
// has ended. The call's own code runs unchanged: the trace steps in only between system calls.
TraceResult RunTraced(const std::function<std::string()>& call, const TraceOptions& options);

}  // namespace krovan::testing
