// The main window reads and writes the settings file: in these tests it is a file of their own
// in a temporary folder, never the prefix's shared one.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "app/kelvo_apps.h"

namespace tarvex::win32::testing {
namespace {

class TemporarySettingsFile final : public ::testing::Environment {
 public:
  void SetUp() override {
    std::random_device random;
    folder_ = std::filesystem::temp_directory_path() / ("tarvex-win32-" + std::to_string(random()));
    std::filesystem::create_directories(folder_);
    AppIniFileName = (folder_ / "KelvoApps.ini").string();
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path folder_;
};

[[maybe_unused]] const auto* const kSettingsFile =
    ::testing::AddGlobalTestEnvironment(new TemporarySettingsFile);

}  // namespace
}  // namespace tarvex::win32::testing
