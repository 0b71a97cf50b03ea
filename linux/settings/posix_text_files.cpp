#include "linux/settings/posix_text_files.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <optional>
#include <random>

#include "linux/settings/directory_lock.h"
#include "linux/settings/unique_fd.h"

namespace tarvex::posix {
namespace {

constexpr mode_t kNewFileMode = 0644;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr int kTemporaryNameAttempts = 100;
constexpr std::chrono::milliseconds kLockPatience{3000};

int OpenRetrying(const char* path, int flags, mode_t mode = 0) {
  int fd = -1;
  do {
    fd = ::open(path, flags | O_CLOEXEC, mode);
  } while (fd < 0 && errno == EINTR);
  return fd;
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Whether the path is no symbolic link, or one that this user or the superuser owns.
bool TrustedPath(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return true;
  return link.st_uid == ::geteuid() || link.st_uid == 0;
}

// The file that a replacement really writes: a symbolic link's final target, so that a link
// the user keeps (into a folder of dotfiles, say) is not replaced by a plain file. Nothing when
// the link leads nowhere or is not to be trusted.
std::optional<std::string> ReplacedFile(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  if (!TrustedPath(path)) return std::nullopt;
  const std::unique_ptr<char, decltype(&::free)> target(::realpath(path.c_str(), nullptr), &::free);
  if (!target) return std::nullopt;
  return std::string(target.get());
}

// A temporary file beside `target`, created here and by no one else (O_EXCL), with its name.
struct Temporary {
  UniqueFd fd;
  std::string path;
};

std::optional<Temporary> CreateTemporaryBeside(const std::string& target, mode_t mode) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    std::string name = target + ".tmp-";
    for (int i = 0; i < 8; ++i) name += kLetters[letter(random)];
    UniqueFd fd(OpenRetrying(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, mode));
    if (fd) return Temporary{std::move(fd), std::move(name)};
    if (errno != EEXIST) return std::nullopt;
  }
  return std::nullopt;
}

// Makes the rename itself durable. A file system that cannot flush a directory, or a directory
// that may be written but not opened, has the new file in place all the same.
bool FlushDirectory(const std::string& directory) {
  const UniqueFd fd(OpenRetrying(directory.c_str(), O_RDONLY | O_DIRECTORY));
  if (!fd) return true;
  return ::fsync(fd.get()) == 0 || errno == EINVAL || errno == EROFS;
}

}  // namespace

FileContent PosixTextFiles::Read(const std::string& path) {
  if (!TrustedPath(path)) return {FileContent::kUnreadable, {}};
  // Non-blocking, so that a pipe put where the file should be cannot hang the program.
  const UniqueFd fd(OpenRetrying(path.c_str(), O_RDONLY | O_NONBLOCK));
  if (!fd) {
    const bool missing = errno == ENOENT || errno == ENOTDIR;
    return {missing ? FileContent::kMissing : FileContent::kUnreadable, {}};
  }
  struct stat status {};
  if (::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::size_t>(status.st_size) > kMaxSettingsFileSize) {
    return {FileContent::kUnreadable, {}};
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(fd.get(), buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      return {FileContent::kUnreadable, {}};
    }
    text.append(buffer, static_cast<std::size_t>(count));
    // A file that grows while it is read stops at the same limit.
    if (text.size() > kMaxSettingsFileSize) return {FileContent::kUnreadable, {}};
  }
  return {FileContent::kRead, std::move(text)};
}

bool PosixTextFiles::Replace(const std::string& path, const std::string& text) {
  const std::optional<std::string> target = ReplacedFile(path);
  if (!target) return false;
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return false;
  if (exists) {
    // A file the user made read-only stays as it is, though its directory would allow the
    // rename; the mode bits count even for the superuser, who passes every access check.
    if (!S_ISREG(old.st_mode) || (old.st_mode & kAnyWriteBit) == 0 ||
        ::access(target->c_str(), W_OK) != 0) {
      return false;
    }
  }

  std::optional<Temporary> temporary =
      CreateTemporaryBeside(*target, exists ? old.st_mode & 07777 : kNewFileMode);
  if (!temporary) return false;
  bool written = WriteAll(temporary->fd.get(), text);
  if (written && exists) {
    // The owner and group first: a change of owner may clear the set-id bits of the mode.
    const bool sameOwner = old.st_uid == ::geteuid() && old.st_gid == ::getegid();
    written = sameOwner || ::fchown(temporary->fd.get(), old.st_uid, old.st_gid) == 0;
    written = written && ::fchmod(temporary->fd.get(), old.st_mode & 07777) == 0;
  }
  written = written && ::fsync(temporary->fd.get()) == 0;
  written = temporary->fd.Close() && written;
  if (!written || ::rename(temporary->path.c_str(), target->c_str()) != 0) {
    ::unlink(temporary->path.c_str());
    return false;
  }
  return FlushDirectory(DirectoryOf(*target));
}

bool PosixTextFiles::Update(const std::string& path, const FileEdit& edit) {
  const std::optional<DirectoryLock> lock = DirectoryLock::Take(DirectoryOf(path), kLockPatience);
  return lock && TextFiles::Update(path, edit);
}

}  // namespace tarvex::posix
