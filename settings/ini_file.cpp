#include "settings/ini_file.h"

#include "base/errors.h"
#include "base/format.h"
#include "settings/integer_text.h"

namespace tarvex {

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  if (!reader_) reader_ = store_.OpenForReading(fileName_);
  return reader_->ReadString(section, key, defaultValue);
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key,
                                   std::int32_t defaultValue) const {
  return IntegerOrDefault(ReadString(section, key, ""), defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key,
                        bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& key,
                           const std::string& value) {
  changes_.push_back({ProfileChange::Kind::kSet, section, key, value});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
  changes_.push_back({ProfileChange::Kind::kEraseSection, section, {}, {}});
}

void TIniFile::UpdateFile() {
  const ProfileChanges changes = std::move(changes_);
  changes_.clear();
  reader_.reset();
  if (!store_.Update(fileName_, changes)) {
    throw Exception(Format("Unable to write to %s", fileName_.c_str()));
  }
}

}  // namespace tarvex
