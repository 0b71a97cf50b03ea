// The settings file object: opened on a path for one load, save or rewrite. Its reads come from
// one reading of the file; its writes are gathered and reach the file together, as one step, when
// UpdateFile is called. Integers are written in decimal and flags as "1" or "0"; a refused update
// fails with "Unable to write to <path>".
#pragma once

#include <cstdint>
#include <memory>
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
  // Hands the writes made since the last update to the file. Later reads read it anew.
  void UpdateFile();

 private:
  ProfileStore& store_;
  std::string fileName_;
  mutable std::unique_ptr<ProfileReader> reader_;
  ProfileChanges changes_;
};

}  // namespace tarvex
