#include "support/std_text_files.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace tarvex {
namespace fs = std::filesystem;

FileContent StdTextFiles::Read(const std::string& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (status.type() == fs::file_type::not_found) return {FileContent::kMissing, {}};
  if (error || !fs::is_regular_file(status) || fs::file_size(path, error) > kMaxSettingsFileSize) {
    return {FileContent::kUnreadable, {}};
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return {FileContent::kUnreadable, {}};
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {FileContent::kUnreadable, {}};
  return {FileContent::kRead, std::move(text)};
}

bool StdTextFiles::Replace(const std::string& path, const std::string& text) {
  std::error_code error;
  const fs::file_status old = fs::status(path, error);
  const bool exists = old.type() != fs::file_type::not_found;
  if (exists) {
    // A file the user made read-only stays as it is, though its directory would allow the
    // rename.
    if (!fs::is_regular_file(old) || !std::ofstream(path, std::ios::binary | std::ios::app)) {
      return false;
    }
  }
  std::random_device random;
  const fs::path temporary = path + ".new" + std::to_string(random() % 1000000);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      out.close();
      fs::remove(temporary, error);
      return false;
    }
  }
  if (exists) fs::permissions(temporary, old.permissions(), error);
  fs::rename(temporary, path, error);
  if (error) {
    fs::remove(temporary, error);
    return false;
  }
  return true;
}

}  // namespace tarvex
