#include "win32/win32_profile_store.h"

#include "win32/windows_api.h"

#include "settings/profile_text.h"

namespace tarvex::win32 {
namespace {

// The profile reader hands back the default itself when the key is missing, but trims and cuts
// it on the way; asking with two marks that no file value can both equal tells "missing" apart,
// so the caller's default comes back exactly as given.
constexpr const char* kMissingMark = "\x01";
constexpr const char* kOtherMissingMark = "\x02";

std::string Read(const std::string& file, const std::string& section, const std::string& key,
                 const char* mark) {
  char buffer[kMaxProfileValue + 1] = {};
  const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), mark, buffer,
                                                  sizeof(buffer), file.c_str());
  return std::string(buffer, length);
}

// Older systems keep written profiles in a cache: a successful write is handed to the disk at
// once, as the next program to read the shared file expects.
bool Written(BOOL result, const std::string& file) {
  if (result == FALSE) return false;
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
  return true;
}

}  // namespace

std::string Win32ProfileStore::ReadString(const std::string& file, const std::string& section,
                                          const std::string& key, const std::string& defaultValue) {
  std::string value = Read(file, section, key, kMissingMark);
  if (value == kMissingMark && Read(file, section, key, kOtherMissingMark) == kOtherMissingMark) {
    return defaultValue;
  }
  return value;
}

bool Win32ProfileStore::WriteString(const std::string& file, const std::string& section,
                                    const std::string& key, const std::string& value) {
  // The profile writer would put a value's line breaks into the file as they are, where they
  // would end the key's line and start keys or sections of their own.
  std::string line = OneLineProfileValue(value);
  // The profile reader drops one pair of quotes around a value: an ignore entry '""' would come
  // back empty and end the ignore list's load there. One more pair keeps the value as it was.
  const bool quoted = line.size() >= 2 && (line.front() == '"' || line.front() == '\'') &&
                      line.back() == line.front();
  if (quoted) line = '"' + line + '"';
  return Written(
      ::WritePrivateProfileStringA(section.c_str(), key.c_str(), line.c_str(), file.c_str()), file);
}

bool Win32ProfileStore::EraseSection(const std::string& file, const std::string& section) {
  return Written(::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()),
                 file);
}

}  // namespace tarvex::win32
