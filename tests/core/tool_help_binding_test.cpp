// Finding the process snapshot functions at run time.
#include <gtest/gtest.h>

#include "sim/simulated_desktop.h"
#include "winlist/find_win.h"
#include "winlist/tool_help_binding.h"

namespace tarvex {
namespace {

TEST(ToolHelpBindingTest, AMissingLibraryIsAskedForAgainAndFoundNamesAreLookedUpOnce) {
  sim::SimulatedDesktop desktop;
  desktop.AddProcess({1, "one.exe", 0, 0, ""});
  ToolHelpBinding binding(desktop);
  desktop.kernelLoaded = false;

  EXPECT_EQ(binding.CreateToolhelp32Snapshot(kSnapProcess, 0), 0u);
  ProcessEntry entry;
  EXPECT_FALSE(binding.Process32First(1, entry));
  EXPECT_EQ(desktop.moduleLookups, 2);
  EXPECT_EQ(desktop.functionLookups, 0);
  EXPECT_EQ(desktop.snapshotsTaken, 0);

  desktop.kernelLoaded = true;
  const SnapshotHandle snapshot = binding.CreateToolhelp32Snapshot(kSnapProcess, 0);
  ASSERT_NE(snapshot, 0u);
  ASSERT_TRUE(binding.Process32First(snapshot, entry));
  EXPECT_EQ(entry.exeFile, "one.exe");
  EXPECT_FALSE(binding.Process32Next(snapshot, entry));
  binding.CloseHandle(snapshot);
  EXPECT_EQ(desktop.moduleLookups, 3);
  EXPECT_EQ(desktop.functionLookups, 16);
}

TEST(ToolHelpBindingTest, AMissingSnapshotFunctionStaysMissing) {
  sim::SimulatedDesktop desktop;
  desktop.missingFunctions = {"CreateToolhelp32Snapshot"};
  ToolHelpBinding binding(desktop);
  EXPECT_FALSE(binding.BindToolHelp());
  desktop.missingFunctions.clear();
  EXPECT_FALSE(binding.BindToolHelp());
  EXPECT_EQ(binding.CreateToolhelp32Snapshot(kSnapProcess, 0), 0u);
  EXPECT_EQ(desktop.functionLookups, 16);
  EXPECT_EQ(desktop.snapshotsTaken, 0);
}

TEST(ToolHelpBindingTest, WithoutTheBindingEntriesHaveNoImageButEverythingElse) {
  sim::SimulatedDesktop desktop;
  desktop.AddProcess({3, "app.exe", 0x1, 0, ""});
  desktop.kernelLoaded = false;
  sim::SimWindow& window = desktop.Open("App", 3);
  window.className = "AppClass";
  TWinList list(desktop.Platform());
  list.Refresh();
  ASSERT_EQ(list.WindowList().Count(), 1);
  const TWinInfo& info = list.WindowList().Objects(0);
  EXPECT_EQ(info.ExeName, "");
  EXPECT_EQ(info.Icon, 0u);
  EXPECT_EQ(info.ProcessID, 3u);
  EXPECT_EQ(info.WinClass, "AppClass");
}

}  // namespace
}  // namespace tarvex
