#include "child_process.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace tarvex::posix {
namespace {

constexpr int kNotRun = 2;

bool GiveUpSuperuser() {
  if (::geteuid() != 0) return true;
  constexpr uid_t kNobody = 65534;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace

std::optional<bool> InChild(const std::function<bool()>& body, Rights rights) {
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  // The child leaves with _exit: the test framework's exit handlers belong to the parent.
  if (child == 0) {
    if (rights == Rights::kUnprivileged && !GiveUpSuperuser()) ::_exit(kNotRun);
    ::_exit(body() ? 0 : 1);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) == kNotRun) return std::nullopt;
  return WEXITSTATUS(status) == 0;
}

}  // namespace tarvex::posix
