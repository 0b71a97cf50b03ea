// The Linux edition's settings store: the shared profile grammar kept by atomic replacements of
// the whole file, with the configuration directory created at the first write.
#pragma once

#include <string>

#include "linux/settings/config_directory_text_files.h"
#include "linux/settings/posix_text_files.h"
#include "settings/file_profile_store.h"

namespace tarvex::posix {

class PosixProfileStore final : public ProfileStore {
 public:
  // `directoryToCreate` as SettingsLocation gives it: empty when the directory must exist.
  explicit PosixProfileStore(std::string directoryToCreate = {})
      : files_(disk_, std::move(directoryToCreate)) {}

  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override {
    return store_.ReadString(file, section, key, defaultValue);
  }
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override {
    return store_.WriteString(file, section, key, value);
  }
  bool EraseSection(const std::string& file, const std::string& section) override {
    return store_.EraseSection(file, section);
  }
  std::unique_ptr<ProfileReader> OpenForReading(const std::string& file) override {
    return store_.OpenForReading(file);
  }
  bool Update(const std::string& file, const ProfileChanges& changes) override {
    return store_.Update(file, changes);
  }

 private:
  PosixTextFiles disk_;
  ConfigDirectoryTextFiles files_;
  FileProfileStore store_{files_};
};

}  // namespace tarvex::posix
