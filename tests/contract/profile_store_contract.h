// What every settings store must do with the shared settings file, whoever implements it: a
// test binary instantiates ProfileStoreContract with a factory for its store.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "settings/profile_store.h"

namespace tarvex::contract {

struct ProfileStoreFactory {
  std::string name;  // names the instantiation's tests
  std::function<std::unique_ptr<ProfileStore>()> make;
};

inline void PrintTo(const ProfileStoreFactory& factory, std::ostream* out) { *out << factory.name; }

class ProfileStoreContract : public ::testing::TestWithParam<ProfileStoreFactory> {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The file as it stands on disk, and a file written as another program would.
  std::string Contents() const;
  void Store(const std::string& text) const;
  bool FileExists() const;
  // The section names of the file's header lines, in file order.
  std::vector<std::string> Sections() const;
  // The key names of the first section of that name (without regard to case), in file order.
  std::vector<std::string> KeysOf(const std::string& section) const;

  std::string Read(const std::string& section, const std::string& key,
                   const std::string& defaultValue = "<default>") {
    return store_->ReadString(path_, section, key, defaultValue);
  }
  bool Write(const std::string& section, const std::string& key, const std::string& value) {
    return store_->WriteString(path_, section, key, value);
  }
  bool Erase(const std::string& section) { return store_->EraseSection(path_, section); }

  std::filesystem::path folder_;
  std::string path_;
  std::unique_ptr<ProfileStore> store_;
};

// The test names' suffix: the factory's name.
std::string FactoryName(const ::testing::TestParamInfo<ProfileStoreFactory>& info);

}  // namespace tarvex::contract
