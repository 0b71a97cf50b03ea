#include "settings/file_profile_store.h"

#include "settings/profile_text.h"

namespace tarvex {

std::string FileProfileStore::ReadString(const std::string& file, const std::string& section,
                                         const std::string& key, const std::string& defaultValue) {
  const FileContent content = files_.Read(file);
  if (content.status != FileContent::kRead) return defaultValue;
  return FindProfileValue(content.text, section, key).value_or(defaultValue);
}

bool FileProfileStore::WriteString(const std::string& file, const std::string& section,
                                   const std::string& key, const std::string& value) {
  const FileContent content = files_.Read(file);
  // A file that exists but cannot be read is not written over: its lines would be lost.
  if (content.status == FileContent::kUnreadable) return false;
  return files_.Replace(file, WithProfileValue(content.text, section, key, value));
}

bool FileProfileStore::EraseSection(const std::string& file, const std::string& section) {
  const FileContent content = files_.Read(file);
  if (content.status == FileContent::kMissing) return true;
  if (content.status == FileContent::kUnreadable) return false;
  const std::string erased = WithoutProfileSection(content.text, section);
  return erased == content.text || files_.Replace(file, erased);
}

}  // namespace tarvex
