// The settings file on a POSIX disk: the contract every store keeps, what a file that is no
// regular file reads as, and replacements that fail part-way, which must leave the old file
// whole and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "child_process.h"
#include "contract/profile_store_contract.h"
#include "linux/settings/posix_profile_store.h"
#include "linux/settings/posix_text_files.h"
#include "settings/ini_file.h"
#include "temp_folder.h"

namespace tarvex::posix {
namespace {
namespace fs = std::filesystem;

using contract::ProfileStoreContract;
INSTANTIATE_TEST_SUITE_P(Posix, ProfileStoreContract,
                         ::testing::Values(contract::ProfileStoreFactory{
                             "PosixProfileStore",
                             [] { return std::make_unique<PosixProfileStore>(); }}),
                         contract::FactoryName);

mode_t ModeOf(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

class PosixTextFilesTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  const std::string path_ = folder_ / "KelvoApps.ini";
  PosixTextFiles files_;
};

TEST_F(PosixTextFilesTest, ReadTellsAMissingFileFromOneThatCannotBeRead) {
  EXPECT_EQ(files_.Read(path_).status, FileContent::kMissing);
  StoreAt(folder_ / "plain", "x");
  EXPECT_EQ(files_.Read(folder_ / "plain/KelvoApps.ini").status, FileContent::kMissing)
      << "a file where a folder should be";

  fs::create_directory(folder_ / "folder");
  EXPECT_EQ(files_.Read(folder_ / "folder").status, FileContent::kUnreadable);
  // Nobody writes into this pipe: a blocking read would hang here.
  ASSERT_EQ(::mkfifo((folder_ / "pipe").c_str(), 0644), 0);
  EXPECT_EQ(files_.Read(folder_ / "pipe").status, FileContent::kUnreadable);

  const std::string text("[S]\r\nK=v\0w\n", 12);
  StoreAt(path_, text);
  const FileContent read = files_.Read(path_);
  EXPECT_EQ(read.status, FileContent::kRead);
  EXPECT_EQ(read.text, text);
}

TEST_F(PosixTextFilesTest, AReplacementKeepsTheFilesModeAndTheUsersLink) {
  ASSERT_TRUE(files_.Replace(path_, "new"));
  EXPECT_EQ(ModeOf(path_), 0644 & ~CurrentUmask());

  ::chmod(path_.c_str(), 0600);
  ASSERT_TRUE(files_.Replace(path_, "private"));
  EXPECT_EQ(ModeOf(path_), 0600u);
  EXPECT_EQ(ContentsOf(path_), "private");

  // Settings kept elsewhere (a folder of dotfiles) and linked in stay where they are.
  const std::string kept = folder_ / "dotfiles.ini";
  StoreAt(kept, "old");
  const std::string link = folder_ / "linked.ini";
  fs::create_symlink(kept, link);
  ASSERT_TRUE(files_.Replace(link, "through the link"));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ContentsOf(kept), "through the link");
  // A link that leads nowhere is not replaced by a file of its own.
  const std::string dangling = folder_ / "dangling.ini";
  fs::create_symlink(folder_ / "nowhere.ini", dangling);
  EXPECT_FALSE(files_.Replace(dangling, "lost"));
  EXPECT_TRUE(fs::is_symlink(dangling));
  EXPECT_EQ(folder_.Entries(), 4) << "a temporary file was left behind";
}

TEST_F(PosixTextFilesTest, AFailedReplacementLeavesTheOldFileWholeAndNoTemporaryFile) {
  const std::string old = "[Kelvo Clock]\nAlarm=7:00\n";
  const auto expectUntouched = [&](const char* why) {
    EXPECT_EQ(ContentsOf(path_), old) << why;
    EXPECT_EQ(folder_.Entries(), 1) << why << ": a temporary file was left behind";
  };
  StoreAt(path_, old);

  // The user's read-only mark counts even for the superuser.
  ::chmod(path_.c_str(), 0444);
  EXPECT_FALSE(files_.Replace(path_, "new"));
  expectUntouched("read-only file");
  ::chmod(path_.c_str(), 0666);

  // A file that may be written in a folder that may not: no half-written file in its place.
  ::chmod(folder_.path().c_str(), 0555);
  const auto inLockedFolder =
      InChild([&] { return files_.Replace(path_, "new"); }, Rights::kUnprivileged);
  ASSERT_TRUE(inLockedFolder.has_value());
  EXPECT_FALSE(*inLockedFolder);
  expectUntouched("unwritable folder");
  ::chmod(folder_.path().c_str(), 0755);

  // The disk fills up part-way through the new content.
  const auto onFullDisk = InChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{16, 16};
    if (::setrlimit(RLIMIT_FSIZE, &small) != 0) std::abort();
    return files_.Replace(path_, std::string(4096, 'x'));
  });
  ASSERT_TRUE(onFullDisk.has_value());
  EXPECT_FALSE(*onFullDisk);
  expectUntouched("full disk");
}

TEST(PosixProfileStore, AnotherProgramsSectionAndAHandAddedKeySurviveASaveByteForByte) {
  TempFolder folder;
  const std::string path = folder / "KelvoApps.ini";
  // Written by hand and by another program, with their own line endings and spacing.
  StoreAt(path,
          "; shared by the Kelvo utilities\n[Kelvo Clock]\nAlarm = 7:00 \n\n"
          "[tarvex window]\nLeft=1\nNote=mine, keep it\n[Tarvex Ignore]\n1=xterm\n");
  PosixProfileStore store;
  TIniFile file(store, path);
  file.WriteInteger("Tarvex Window", "Left", -40);
  file.WriteBool("Tarvex Window", "MinimizeToTray", false);
  file.EraseSection("Tarvex Ignore");
  file.WriteString("Tarvex Ignore", "1", "Clock");
  EXPECT_EQ(ContentsOf(path),
            "; shared by the Kelvo utilities\n[Kelvo Clock]\nAlarm = 7:00 \n\n"
            "[tarvex window]\nLeft=-40\nNote=mine, keep it\nMinimizeToTray=0\n"
            "[Tarvex Ignore]\n1=Clock\n");
  EXPECT_EQ(folder.Entries(), 1);
}

}  // namespace
}  // namespace tarvex::posix
