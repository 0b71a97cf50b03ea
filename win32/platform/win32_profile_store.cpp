#include "win32/platform/win32_profile_store.h"

#include "win32/support/windows_api.h"

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
  return Written(::WritePrivateProfileStringA(section.c_str(), key.c_str(),
                                              ProfileLineValue(value).c_str(), file.c_str()),
                 file);
}

bool Win32ProfileStore::EraseSection(const std::string& file, const std::string& section) {
  return Written(::WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()),
                 file);
}

bool Win32ProfileStore::Update(const std::string& file, const ProfileChanges& changes) {
  for (auto change = changes.begin(); change != changes.end();) {
    // A section erased and then filled is written in one call: the file never stands with the
    // section half written, and an older copy of it further down stays hidden behind it.
    auto filled = change + 1;
    while (change->kind == ProfileChange::Kind::kEraseSection && filled != changes.end() &&
           filled->kind == ProfileChange::Kind::kSet && filled->section == change->section) {
      ++filled;
    }
    if (filled - change > 1) {
      if (!WriteSection(file, change->section, change + 1, filled)) return false;
      change = filled;
      continue;
    }
    const bool done = change->kind == ProfileChange::Kind::kSet
                          ? WriteString(file, change->section, change->key, change->value)
                          : EraseSection(file, change->section);
    if (!done) return false;
    ++change;
  }
  return true;
}

bool Win32ProfileStore::WriteSection(const std::string& file, const std::string& section,
                                     ProfileChanges::const_iterator first,
                                     ProfileChanges::const_iterator last) {
  std::string keys;
  for (auto key = first; key != last; ++key) {
    keys += key->key + '=' + ProfileLineValue(key->value);
    keys += '\0';
  }
  keys += '\0';
  return Written(::WritePrivateProfileSectionA(section.c_str(), keys.data(), file.c_str()), file);
}

}  // namespace tarvex::win32
