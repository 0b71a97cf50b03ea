// The settings file through the system's profile functions, which the maker's other programs
// sharing the file use too.
#pragma once

#include "settings/profile_store.h"

namespace tarvex::win32 {

class Win32ProfileStore final : public ProfileStore {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& defaultValue) override;
  bool WriteString(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value) override;
  bool EraseSection(const std::string& file, const std::string& section) override;
  bool Update(const std::string& file, const ProfileChanges& changes) override;

 private:
  bool WriteSection(const std::string& file, const std::string& section,
                    ProfileChanges::const_iterator first, ProfileChanges::const_iterator last);
};

}  // namespace tarvex::win32
