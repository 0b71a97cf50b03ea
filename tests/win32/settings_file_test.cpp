// The settings file through the system's profile functions, and where the program finds it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "contract/profile_store_contract.h"
#include "win32/platform/settings_file_location.h"
#include "win32/platform/win32_profile_store.h"
#include "win32/support/windows_api.h"

namespace tarvex::win32::testing {
namespace {

using contract::ProfileStoreContract;
INSTANTIATE_TEST_SUITE_P(Win32, ProfileStoreContract,
                         ::testing::Values(contract::ProfileStoreFactory{
                             "Win32ProfileStore",
                             [] { return std::make_unique<Win32ProfileStore>(); }}),
                         contract::FactoryName);

// Sets "windir" for one test and puts the old value back.
class WindirSet {
 public:
  explicit WindirSet(const char* value) {
    char old[1024] = {};
    const DWORD length = ::GetEnvironmentVariableA("windir", old, sizeof(old));
    if (length > 0 && length < sizeof(old)) saved_ = old;
    ::SetEnvironmentVariableA("windir", value);
  }
  ~WindirSet() { ::SetEnvironmentVariableA("windir", saved_ ? saved_->c_str() : nullptr); }
  WindirSet(const WindirSet&) = delete;
  WindirSet& operator=(const WindirSet&) = delete;

 private:
  std::optional<std::string> saved_;
};

TEST(SettingsFileLocation, IsInTheWindowsDirectoryThatWindirNames) {
  {
    const WindirSet windir("C:\\WINDOWS");
    EXPECT_EQ(SettingsFileFromEnvironment(), "C:\\WINDOWS\\KelvoApps.ini");
  }
  {
    const WindirSet windir("C:\\");
    EXPECT_EQ(SettingsFileFromEnvironment(), "C:\\KelvoApps.ini");
  }
  {
    // Longer than any fixed path buffer would hold.
    const std::string deep = "D:\\" + std::string(300, 'd');
    const WindirSet windir(deep.c_str());
    EXPECT_EQ(SettingsFileFromEnvironment(), deep + "\\KelvoApps.ini");
  }
  {
    const WindirSet windir(nullptr);
    EXPECT_EQ(SettingsFileFromEnvironment(), "\\KelvoApps.ini");
  }
}

}  // namespace
}  // namespace tarvex::win32::testing
