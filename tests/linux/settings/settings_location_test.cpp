// Where the settings file lives on Linux, and that its configuration directory comes into being
// with the first write, never with a read, and only where the location asks for it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "base/errors.h"
#include "linux/settings/posix_profile_store.h"
#include "linux/settings/settings_location.h"
#include "settings/ini_file.h"
#include "temp_folder.h"

namespace tarvex::posix {
namespace {
namespace fs = std::filesystem;

struct Surroundings {
  std::map<std::string, std::string> variables;
  std::optional<std::string> passwordHome;
};

SettingsLocation Locate(const Surroundings& surroundings) {
  return LocateSettings({[&](const char* name) -> std::optional<std::string> {
                           const auto found = surroundings.variables.find(name);
                           if (found == surroundings.variables.end()) return std::nullopt;
                           return found->second;
                         },
                         [&] { return surroundings.passwordHome; }});
}

TEST(SettingsLocation, WindirThenXdgConfigHomeThenHomesConfigFolder) {
  const std::map<std::string, std::string> everything = {
      {"windir", "/opt/windows"}, {"XDG_CONFIG_HOME", "/cfg"}, {"HOME", "/home/ann"}};
  EXPECT_EQ(Locate({everything, "/home/pw"}), (SettingsLocation{"/opt/windows/KelvoApps.ini", ""}))
      << "the Windows directory must exist already, as it must on Windows";
  EXPECT_EQ(Locate({{{"windir", "/opt/windows/"}}, {}}).file, "/opt/windows/KelvoApps.ini");

  // An empty windir is as good as none.
  EXPECT_EQ(Locate({{{"windir", ""}, {"XDG_CONFIG_HOME", "/cfg/"}}, {}}),
            (SettingsLocation{"/cfg/KelvoApps.ini", "/cfg/"}));
  // A relative XDG_CONFIG_HOME is to be ignored.
  EXPECT_EQ(Locate({{{"XDG_CONFIG_HOME", "cfg"}, {"HOME", "/home/ann"}}, "/home/pw"}),
            (SettingsLocation{"/home/ann/.config/KelvoApps.ini", "/home/ann/.config"}));
  EXPECT_EQ(Locate({{{"XDG_CONFIG_HOME", ""}, {"HOME", "/"}}, {}}),
            (SettingsLocation{"/.config/KelvoApps.ini", "/.config"}));
}

TEST(SettingsLocation, WithoutHomeThePasswordDatabaseAndLastTheRoot) {
  EXPECT_EQ(Locate({{}, "/home/pw"}),
            (SettingsLocation{"/home/pw/.config/KelvoApps.ini", "/home/pw/.config"}));
  EXPECT_EQ(Locate({{{"HOME", ""}}, "/home/pw"}).file, "/home/pw/.config/KelvoApps.ini");
  EXPECT_EQ(Locate({{{"HOME", "relative"}}, "/home/pw"}).file, "/home/pw/.config/KelvoApps.ini");
  EXPECT_EQ(Locate({{}, std::nullopt}), (SettingsLocation{"/KelvoApps.ini", ""}));
  EXPECT_EQ(Locate({{}, ""}), (SettingsLocation{"/KelvoApps.ini", ""}));
}

class ConfigDirectoryTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  const std::string config_ = folder_ / "home/.config";
  const std::string path_ = config_ + "/KelvoApps.ini";
};

TEST_F(ConfigDirectoryTest, TheFirstWriteCreatesTheConfigFolderPrivately) {
  PosixProfileStore store(config_);
  TIniFile file(store, path_);
  EXPECT_EQ(file.ReadInteger("Tarvex Window", "Left", 192), 192);
  EXPECT_FALSE(fs::exists(folder_ / "home")) << "reading creates nothing";

  file.WriteInteger("Tarvex Window", "Left", 5);
  file.UpdateFile();
  EXPECT_EQ(ContentsOf(path_), "[Tarvex Window]\r\nLeft=5\r\n");
  for (const std::string& folder : {folder_ / "home", config_}) {
    struct stat status {};
    ASSERT_EQ(::stat(folder.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u) << folder;
  }
}

TEST_F(ConfigDirectoryTest, AFolderThatMustExistIsNotCreatedAndTheWriteFails) {
  PosixProfileStore store;
  TIniFile file(store, path_);
  file.WriteInteger("Tarvex Window", "Left", 5);
  EXPECT_THROW(file.UpdateFile(), Exception);
  EXPECT_FALSE(fs::exists(folder_ / "home"));

  // A file where the config folder should be stays, and the write fails.
  StoreAt(folder_ / "home", "not a folder");
  PosixProfileStore blocked(config_);
  TIniFile blockedFile(blocked, path_);
  blockedFile.WriteInteger("Tarvex Window", "Left", 5);
  EXPECT_THROW(blockedFile.UpdateFile(), Exception);
  EXPECT_EQ(ContentsOf(folder_ / "home"), "not a folder");
}

}  // namespace
}  // namespace tarvex::posix
