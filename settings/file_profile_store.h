// The settings file kept by our own implementation of the profile grammar, for systems without
// the profile functions. Writes replace the whole file at once and keep every other line.
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

 private:
  TextFiles& files_;
};

}  // namespace tarvex
