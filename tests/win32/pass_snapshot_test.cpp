// Every entry of a rebuild is served from one snapshot of the running processes, taken for the
// pass: the entries must still carry the image names of their own processes, and a later pass
// must see the processes as they are then.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "own_window.h"
#include "win32/platform/win32_platform.h"
#include "window_maker_process.h"
#include "winlist/find_win.h"
#include "winlist/tool_help_binding.h"

namespace tarvex::win32::testing {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// The image name of the entry of `window`; "(not listed)" when the pass did not list it.
std::string ImageOf(const TWinList& list, WinHandle window) {
  for (int i = 0; i < list.WindowList().Count(); ++i) {
    if (list.WinHandle(i) == window) return Lower(list.WindowList().Objects(i).ExeName);
  }
  return "(not listed)";
}

bool NoWindows(WinHandle, std::intptr_t) { return true; }

class PassSnapshotTest : public ::testing::Test {
 protected:
  Win32Platform platform_;
  TWinList list_{platform_.WinList()};
};

TEST_F(PassSnapshotTest, OneSnapshotServesARebuildAndEachEntryGetsItsOwnProcess) {
  WindowMakerProcess maker({"ms::Tarvex pass helper one", "ms::Tarvex pass helper two"});
  OwnWindow own("Tarvex pass own window");
  const std::uint64_t before = platform_.toolHelp.SystemSnapshotsTaken();
  list_.Refresh();
  ASSERT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(platform_.toolHelp.SystemSnapshotsTaken(), before + 1);
  EXPECT_EQ(ImageOf(list_, maker.Window(0)), "window_maker.exe");
  EXPECT_EQ(ImageOf(list_, maker.Window(1)), "window_maker.exe");
  EXPECT_EQ(ImageOf(list_, own.Handle()), "tarvex_win32_tests.exe");
  for (int i = 0; i < list_.WindowList().Count(); ++i) {
    const TWinInfo& entry = list_.WindowList().Objects(i);
    if (entry.ProcessID != 0) {
      EXPECT_FALSE(entry.ExeName.empty()) << "row " << i;
    }
  }
}

TEST_F(PassSnapshotTest, ALaterPassSeesAProcessThatStartedAfterThePreviousOne) {
  list_.Refresh();
  WindowMakerProcess late({"ms::Tarvex pass late helper"});
  list_.Refresh();
  ASSERT_TRUE(TWinList::ListChanged());
  EXPECT_EQ(ImageOf(list_, late.Window(0)), "window_maker.exe");
}

TEST_F(PassSnapshotTest, WalksOfOnePassAreIndependentAndCloseAlone) {
  ToolHelpBinding binding(platform_.toolHelp);
  ASSERT_TRUE(binding.BindToolHelp());
  platform_.windows.Enumerate(NoWindows, 0);
  const std::uint64_t before = platform_.toolHelp.SystemSnapshotsTaken();

  auto walkAll = [&](SnapshotHandle snapshot) {
    std::vector<std::uint32_t> ids;
    ProcessEntry process;
    for (bool more = binding.Process32First(snapshot, process); more;
         more = binding.Process32Next(snapshot, process)) {
      ids.push_back(process.processId);
    }
    return ids;
  };
  auto first =
      std::make_unique<ScopedSnapshot>(binding, binding.CreateToolhelp32Snapshot(kSnapProcess, 0));
  ScopedSnapshot second(binding, binding.CreateToolhelp32Snapshot(kSnapProcess, 0));
  ASSERT_NE(first->get(), 0u);
  ASSERT_NE(second.get(), first->get());

  // The first walk stops early, as a lookup that found its process does.
  ProcessEntry process;
  ASSERT_TRUE(binding.Process32First(first->get(), process));
  ASSERT_TRUE(binding.Process32Next(first->get(), process));
  const std::vector<std::uint32_t> all = walkAll(second.get());
  EXPECT_GT(all.size(), 2u);
  EXPECT_NE(std::find(all.begin(), all.end(), ::GetCurrentProcessId()), all.end());
  EXPECT_EQ(walkAll(first->get()), all) << "a walk started again from the first process";
  first.reset();
  EXPECT_EQ(walkAll(second.get()), all) << "closing one walk disturbed the other";
  EXPECT_EQ(platform_.toolHelp.SystemSnapshotsTaken(), before + 1);

  // A closed walk yields nothing, as a closed snapshot handle does.
  const SnapshotHandle closed = binding.CreateToolhelp32Snapshot(kSnapProcess, 0);
  binding.CloseHandle(closed);
  EXPECT_FALSE(binding.Process32First(closed, process));
}

}  // namespace
}  // namespace tarvex::win32::testing
