#include "linux/settings/directory_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <thread>

namespace tarvex::posix {

std::optional<DirectoryLock> DirectoryLock::Take(const std::string& directory,
                                                 std::chrono::milliseconds patience) {
  UniqueFd fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd) return std::nullopt;
  constexpr std::chrono::milliseconds kPoll{5};
  const auto deadline = std::chrono::steady_clock::now() + patience;
  while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EWOULDBLOCK && errno != EINTR) return std::nullopt;
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(kPoll);
  }
  return DirectoryLock(std::move(fd));
}

}  // namespace tarvex::posix
