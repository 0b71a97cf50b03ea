// An advisory lock on the folder of the settings file, held across one read, change and
// replacement, so that two programs saving at once both keep their keys. The folder, not the
// file, carries it: the replacement puts a new file in the old one's place, and a lock on the old
// file would not keep the next writer out.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "linux/settings/unique_fd.h"

namespace tarvex::posix {

class DirectoryLock {
 public:
  // Waits at most `patience` for the lock; nothing when the folder cannot be opened or another
  // writer holds the lock that long. Released when the object goes.
  static std::optional<DirectoryLock> Take(const std::string& directory,
                                           std::chrono::milliseconds patience);

 private:
  explicit DirectoryLock(UniqueFd fd) : fd_(std::move(fd)) {}
  UniqueFd fd_;
};

}  // namespace tarvex::posix
