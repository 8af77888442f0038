#include "tests/settings/traced_call.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/user.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace krovan::testing {
namespace {

// Writes all of `text` to `fd` from the child; false if it could not.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = write(fd, text.data(), text.size());
    if (written <= 0) {
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

std::string ReadAll(int fd) {
  std::string text;
  std::array<char, 256> buffer{};
  for (ssize_t got; (got = read(fd, buffer.data(), buffer.size())) > 0;) {
    text.append(buffer.data(), static_cast<std::size_t>(got));
  }
  return text;
}

[[noreturn]] void RunChild(const std::function<std::string()>& call, const TraceOptions& options,
                           int report) {
  if (options.prepare) {
    options.prepare();
  }
  // Stopped until the parent has set the trace up; counting starts after this.
  if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0 || raise(SIGSTOP) != 0) {
    _exit(2);
  }
  const std::string returned = call();
  _exit(WriteAll(report, returned) ? 0 : 1);
}

#if defined(__x86_64__)
// Skips the system call the child is entering: the kernel runs no call for number -1.
bool SkipCall(pid_t child) {
  user_regs_struct registers{};
  if (ptrace(PTRACE_GETREGS, child, nullptr, &registers) != 0) {
    return false;
  }
  registers.orig_rax = static_cast<unsigned long long>(-1);
  return ptrace(PTRACE_SETREGS, child, nullptr, &registers) == 0;
}

bool SetResult(pid_t child, long result) {
  user_regs_struct registers{};
  if (ptrace(PTRACE_GETREGS, child, nullptr, &registers) != 0) {
    return false;
  }
  registers.rax = static_cast<unsigned long long>(result);
  return ptrace(PTRACE_SETREGS, child, nullptr, &registers) == 0;
}
#else
bool SkipCall(pid_t) {
  return false;
}
bool SetResult(pid_t, long) {
  return false;
}
#endif

// Steps the stopped child from system call to system call until it ends; returns the calls it
// made and fails the test on an exit other than a normal one.
std::vector<SyscallRecord> Trace(pid_t child, const TraceOptions& options) {
  ptrace(PTRACE_SETOPTIONS, child, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
  std::vector<SyscallRecord> calls;
  bool faking = false;
  int signal_to_pass = 0;
  for (;;) {
    EXPECT_EQ(ptrace(PTRACE_SYSCALL, child, nullptr, signal_to_pass), 0);
    signal_to_pass = 0;
    int status = 0;
    EXPECT_EQ(waitpid(child, &status, 0), child);
    if (WIFEXITED(status) || WIFSIGNALED(status)) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
          << "the traced child ended with status " << status;
      return calls;
    }
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      signal_to_pass = WSTOPSIG(status);
      continue;
    }
    __ptrace_syscall_info info{};
    ptrace(PTRACE_GET_SYSCALL_INFO, child, sizeof info, &info);
    if (info.op == PTRACE_SYSCALL_INFO_EXIT) {
      if (calls.empty()) {
        continue;
      }
      calls.back().result = info.exit.rval;
      if (faking) {
        EXPECT_TRUE(SetResult(child, options.fake->result));
        calls.back().result = options.fake->result;
        faking = false;
      }
      continue;
    }
    SyscallRecord& call = calls.emplace_back();
    call.number = static_cast<long>(info.entry.nr);
    std::copy(std::begin(info.entry.args), std::end(info.entry.args), call.arguments.begin());
    if (static_cast<int>(calls.size()) == options.pause_at && options.between) {
      options.between();
    }
    const FakeAnswer* fake = options.fake ? &*options.fake : nullptr;
    if (fake != nullptr && call.number == fake->number &&
        (!fake->matches || fake->matches(call.arguments))) {
      faking = SkipCall(child);
      EXPECT_TRUE(faking);
    }
  }
}

}  // namespace

bool CanTrace() {
#if defined(__x86_64__)
  const pid_t child = fork();
  if (child == 0) {
    _exit(ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) == 0 ? 0 : 1);
  }
  int status = 0;
  return child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
#else
  return false;
#endif
}

TraceResult RunTraced(const std::function<std::string()>& call, const TraceOptions& options) {
  std::array<int, 2> pipe_ends{};
  EXPECT_EQ(pipe(pipe_ends.data()), 0);
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    RunChild(call, options, pipe_ends[1]);
  }
  close(pipe_ends[1]);
  TraceResult result;
  int status = 0;
  EXPECT_EQ(waitpid(child, &status, WUNTRACED), child);
  if (WIFSTOPPED(status)) {
    result.calls = Trace(child, options);
  } else {
    ADD_FAILURE() << "the child did not stop to be traced, status " << status;
  }
  result.returned = ReadAll(pipe_ends[0]);
  close(pipe_ends[0]);
  return result;
}

}  // namespace krovan::testing
