#include "settings/ini_file.h"

#include "app/errors.h"
#include "app/format.h"
#include "settings/integer_text.h"

namespace tarvex {

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) const {
  return store_.ReadString(fileName_, section, key, defaultValue);
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
  if (!store_.WriteString(fileName_, section, key, value)) FailToWrite();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key,
                            std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void TIniFile::EraseSection(const std::string& section) {
  if (!store_.EraseSection(fileName_, section)) FailToWrite();
}

void TIniFile::FailToWrite() const {
  throw Exception(Format("Unable to write to %s", fileName_.c_str()));
}

}  // namespace tarvex
