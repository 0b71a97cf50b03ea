// The settings file store of our own on a real disk: the shared contract, and what only a store
// that replaces the whole file must add: no temporary file left behind, untouched lines kept byte
// for byte, and a refused write reported, not mistaken for success.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "base/errors.h"
#include "contract/profile_store_contract.h"
#include "settings/file_profile_store.h"
#include "settings/ini_file.h"
#include "support/std_text_files.h"

namespace tarvex {
namespace {
namespace fs = std::filesystem;

// The store and the files it works on, as one object the contract can own.
class StdFileProfileStore final : public ProfileStore {
 public:
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

 private:
  StdTextFiles files_;
  FileProfileStore store_{files_};
};

using contract::ProfileStoreContract;
INSTANTIATE_TEST_SUITE_P(Core, ProfileStoreContract,
                         ::testing::Values(contract::ProfileStoreFactory{
                             "FileProfileStore",
                             [] { return std::make_unique<StdFileProfileStore>(); }}),
                         contract::FactoryName);

class FileProfileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::random_device random;
    folder_ = fs::temp_directory_path() / ("tarvex-store-" + std::to_string(random()));
    fs::create_directories(folder_);
    path_ = (folder_ / "KelvoApps.ini").string();
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }
  std::string Contents() const {
    std::ifstream in(path_, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void Store(const std::string& text) const { std::ofstream(path_, std::ios::binary) << text; }
  bool Leftovers() const {
    return std::distance(fs::directory_iterator(folder_), fs::directory_iterator()) > 1;
  }

  fs::path folder_;
  std::string path_;
  StdTextFiles files_;
  FileProfileStore store_{files_};
};

TEST_F(FileProfileStoreTest, KeepsUntouchedLinesByteForByteAndLeavesNoTemporaryFile) {
  // A file from another system, with its own line endings and a last line without one.
  Store("[Kelvo Clock]\nAlarm = 7:00 \n[tarvex window]\nMine=kept");
  TIniFile file(store_, path_);
  file.WriteInteger("Tarvex Window", "Left", 5);
  file.WriteString("Tarvex Ignore", "1", "Clock");
  file.EraseSection("Tarvex Ignore");
  file.UpdateFile();
  EXPECT_EQ(Contents(), "[Kelvo Clock]\nAlarm = 7:00 \n[tarvex window]\nMine=kept\nLeft=5\n");
  EXPECT_FALSE(Leftovers());
}

TEST_F(FileProfileStoreTest, AFolderWhereTheFileShouldBeIsNeitherReadNorWrittenOver) {
  fs::create_directory(path_);
  TIniFile blocked(store_, path_);
  EXPECT_EQ(blocked.ReadString("S", "K", "default"), "default");
  blocked.WriteString("S", "K", "V");
  EXPECT_THROW(blocked.UpdateFile(), Exception);
  blocked.EraseSection("S");
  EXPECT_THROW(blocked.UpdateFile(), Exception);
}

TEST_F(FileProfileStoreTest, AReadOnlyFileIsNotWrittenOver) {
  // The superuser writes regardless, so there is nothing to see then.
  Store("[S]\nK=old\n");
  fs::permissions(path_, fs::perms::owner_read);
  fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(path_, std::ios::app)) GTEST_SKIP() << "running with every permission";
  TIniFile readOnly(store_, path_);
  readOnly.WriteString("S", "K", "new");
  EXPECT_THROW(readOnly.UpdateFile(), Exception);
  EXPECT_EQ(readOnly.ReadString("S", "K", ""), "old");
}

}  // namespace
}  // namespace tarvex
