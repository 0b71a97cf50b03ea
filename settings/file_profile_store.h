// The settings file kept by our own implementation of the profile grammar, for systems without
// the profile functions. A load reads the file once; each update reads it, makes its changes and
// replaces the whole file at once, keeping every other line.
#pragma once

#include "settings/profile_store.h"
#include "settings/text_files.h"

namespace tarvex {

class FileProfileStore final : public ProfileStore {
 public:
  explicit FileProfileStore(TextFiles& files) : files_(files) {}

  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool EraseSection(const std::string& file, const std::string& section) override;
  std::unique_ptr<ProfileReader> OpenForReading(const std::string& file) override;
  bool Update(const std::string& file, const ProfileChanges& changes) override;

 private:
  TextFiles& files_;
};

}  // namespace tarvex
