#include "linux/settings/config_directory_text_files.h"

#include <sys/stat.h>

#include <cerrno>

namespace tarvex::posix {
namespace {

bool IsDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// mkdir -p: each missing directory on the way, private to the user.
bool CreateDirectories(const std::string& directory) {
  if (IsDirectory(directory)) return true;
  for (std::size_t end = directory.find('/', 1);; end = directory.find('/', end + 1)) {
    const std::string part = directory.substr(0, end);
    if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (end == std::string::npos) break;
  }
  return IsDirectory(directory);
}

}  // namespace

bool ConfigDirectoryTextFiles::Replace(const std::string& path, const std::string& text) {
  if (!directory_.empty() && !CreateDirectories(directory_)) return false;
  return files_.Replace(path, text);
}

bool ConfigDirectoryTextFiles::Update(const std::string& path, const FileEdit& edit) {
  if (!directory_.empty() && !CreateDirectories(directory_)) return false;
  return files_.Update(path, edit);
}

}  // namespace tarvex::posix
