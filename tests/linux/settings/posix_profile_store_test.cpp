// The settings file on a POSIX disk: the contract every store keeps, what a file that is no
// regular file reads as, and replacements that fail part-way, which must leave the old file
// whole and no temporary file behind.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <sys/wait.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "child_process.h"
#include "contract/profile_store_contract.h"
#include "linux/settings/posix_profile_store.h"
#include "linux/settings/posix_text_files.h"
#include "base/errors.h"
#include "settings/ignore_list_file.h"
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

  // A device behind a link, and a file larger than any settings file: neither is read whole.
  fs::create_symlink("/dev/zero", folder_ / "device");
  EXPECT_EQ(files_.Read(folder_ / "device").status, FileContent::kUnreadable);
  StoreAt(folder_ / "huge", "[S]\nK=v\n");
  fs::resize_file(folder_ / "huge", kMaxSettingsFileSize + 1);  // sparse: cheap to make
  EXPECT_EQ(files_.Read(folder_ / "huge").status, FileContent::kUnreadable);
  StoreAt(folder_ / "secret", "[S]\nK=v\n");
  ::chmod((folder_ / "secret").c_str(), 0);
  const auto secret =
      InChild([&] { return files_.Read(folder_ / "secret").status == FileContent::kUnreadable; },
              Rights::kUnprivileged);
  EXPECT_EQ(secret, true);
  // None of them is written over by a save.
  PosixProfileStore store;
  for (const char* name : {"folder", "pipe", "device", "huge"}) {
    TIniFile file(store, folder_ / name);
    file.WriteInteger("Tarvex Window", "Left", 5);
    EXPECT_THROW(file.UpdateFile(), Exception) << name;
  }
  EXPECT_EQ(fs::file_size(folder_ / "huge"), kMaxSettingsFileSize + 1);

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
  file.UpdateFile();
  EXPECT_EQ(ContentsOf(path),
            "; shared by the Kelvo utilities\n[Kelvo Clock]\nAlarm = 7:00 \n\n"
            "[tarvex window]\nLeft=-40\nNote=mine, keep it\nMinimizeToTray=0\n"
            "[Tarvex Ignore]\n1=Clock\n");
  EXPECT_EQ(folder.Entries(), 1);
}

// Each child saves its own keys one by one, as fast as it can, while the other does the same.
TEST(PosixProfileStore, TwoWritersAtOnceLoseNoKey) {
  TempFolder folder;
  const std::string path = folder / "KelvoApps.ini";
  constexpr int kKeys = 200;
  std::vector<pid_t> writers;
  for (const char* section : {"First", "Second"}) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PosixProfileStore store;
      for (int key = 1; key <= kKeys; ++key) {
        if (!store.WriteString(path, section, std::to_string(key), "v")) ::_exit(1);
      }
      ::_exit(0);
    }
    writers.push_back(child);
  }
  for (const pid_t writer : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a write failed";
  }
  PosixProfileStore store;
  TIniFile file(store, path);
  int kept = 0;
  for (const char* section : {"First", "Second"}) {
    for (int key = 1; key <= kKeys; ++key)
      kept += file.ReadString(section, std::to_string(key), "") == "v";
  }
  EXPECT_EQ(kept, 2 * kKeys);
}

// A child rewrites a long ignore list over and over, alternating two lists, until it is killed.
TEST(PosixProfileStore, ASaveKilledPartWayLeavesTheOldFileOrTheNewOneWhole) {
  TempFolder folder;
  const std::string path = folder / "KelvoApps.ini";
  constexpr int kEntries = 300;
  const auto listOf = [](const char* name) {
    TIgnoreList list;
    std::vector<std::string> entries;
    for (int i = 1; i <= kEntries; ++i) entries.push_back(name + std::to_string(i));
    list.Replace(std::move(entries));
    return list;
  };
  StoreAt(path, "[Kelvo Clock]\nAlarm=7:00\n");
  for (int round = 0; round < 5; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PosixProfileStore store;
      for (bool old = false;; old = !old) {
        TIniFile file(store, path);
        SaveIgnoreList(file, "Tarvex Ignore", listOf(old ? "old" : "new"));
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + 37 * round));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    PosixProfileStore store;
    TIniFile file(store, path);
    EXPECT_EQ(file.ReadString("Kelvo Clock", "Alarm", ""), "7:00");
    const std::string first = file.ReadString("Tarvex Ignore", "1", "");
    if (first.empty()) continue;  // killed before the first save
    const std::string name = first.substr(0, 3);
    int whole = 0;
    while (file.ReadString("Tarvex Ignore", std::to_string(whole + 1), "") ==
           name + std::to_string(whole + 1)) {
      ++whole;
    }
    EXPECT_EQ(whole, kEntries) << "round " << round;
    EXPECT_EQ(file.ReadString("Tarvex Ignore", std::to_string(kEntries + 1), "none"), "none");
  }
}

// The superuser plays both users here.
TEST(PosixProfileStore, AnotherUsersLinkOrFileIsNeitherFollowedNorTakenOver) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs two users";
  TempFolder folder;
  ::chmod(folder.path().c_str(), 01777);  // a folder that everyone may write, as /tmp
  const std::string victim = folder / "profile";
  StoreAt(victim, "export PATH\n");
  ::chown(victim.c_str(), 65533, 65533);
  // A stranger's link where the settings file should be.
  const std::string planted = folder / "KelvoApps.ini";
  fs::create_symlink(victim, planted);
  ASSERT_EQ(::lchown(planted.c_str(), 65534, 65534), 0);
  const auto asVictim = [&](const std::function<bool()>& body) {
    return InChild([&] { return ::setgid(65533) == 0 && ::setuid(65533) == 0 && body(); });
  };
  EXPECT_EQ(asVictim([&] {
              PosixProfileStore store;
              return store.ReadString(planted, "S", "K", "default") == "default" &&
                     !store.WriteString(planted, "Tarvex Window", "Left", "5");
            }),
            true);
  EXPECT_EQ(ContentsOf(victim), "export PATH\n");

  // The victim's own settings file, which the stranger may write but not own, in a folder where
  // anyone may replace it.
  fs::remove(planted);
  ::chmod(folder.path().c_str(), 0777);
  StoreAt(planted, "[Tarvex Window]\nLeft=1\n");
  ::chown(planted.c_str(), 65533, 65533);
  ::chmod(planted.c_str(), 0666);
  EXPECT_EQ(InChild([&] {
              PosixProfileStore store;
              return ::setgid(65534) == 0 && ::setuid(65534) == 0 &&
                     !store.WriteString(planted, "Tarvex Window", "Left", "5");
            }),
            true);
  struct stat status {};
  ASSERT_EQ(::stat(planted.c_str(), &status), 0);
  EXPECT_EQ(status.st_uid, 65533u);
  EXPECT_EQ(ContentsOf(planted), "[Tarvex Window]\nLeft=1\n");
}

}  // namespace
}  // namespace tarvex::posix
