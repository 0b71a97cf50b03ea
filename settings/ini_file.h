// The settings file object: opened on a path for one load, save or rewrite. Integers are written
// in decimal and flags as "1" or "0"; a refused write fails with "Unable to write to <path>".
#pragma once

#include <cstdint>
#include <string>

#include "settings/profile_store.h"

namespace tarvex {

class TIniFile {
 public:
  TIniFile(ProfileStore& store, std::string fileName)
      : store_(store), fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t defaultValue) const;
  bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  void EraseSection(const std::string& section);

 private:
  [[noreturn]] void FailToWrite() const;

  ProfileStore& store_;
  std::string fileName_;
};

}  // namespace tarvex
