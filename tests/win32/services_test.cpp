// The Win32 services the core uses: process snapshot, icons, collation, timers, message pump.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>

#include "own_window.h"
#include "win32/platform/win32_platform.h"
#include "winlist/tool_help_binding.h"

namespace tarvex::win32::testing {
namespace {

std::string WindowsFolder() {
  char path[MAX_PATH] = {};
  const UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
  return std::string(path, length);
}

TEST(ToolHelpTest, FindsThisProcessInTheSnapshotThroughTheLookedUpFunctions) {
  Win32ToolHelpLibrary library;
  ToolHelpBinding binding(library);
  ASSERT_TRUE(binding.BindToolHelp());
  ScopedSnapshot snapshot(binding, binding.CreateToolhelp32Snapshot(kSnapProcess, 0));
  ASSERT_NE(snapshot.get(), 0u);

  ProcessEntry process;
  int count = 0;
  std::string ownName;
  // The walk fails at once when the record's size is not the one of this architecture.
  for (bool more = binding.Process32First(snapshot.get(), process); more;
       more = binding.Process32Next(snapshot.get(), process)) {
    ++count;
    if (process.processId == ::GetCurrentProcessId()) ownName = process.exeFile;
  }
  EXPECT_GT(count, 1);
  EXPECT_EQ(ownName, "tarvex_win32_tests.exe");
}

bool IconAlive(IconHandle icon) {
  ICONINFO info{};
  if (!::GetIconInfo(ToHicon(icon), &info)) return false;
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return true;
}

TEST(IconSourceTest, ExtractsIconsThatDestroyIconReleases) {
  Win32IconSource icons;
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  for (const IconHandle icon : {icons.IconOf(notepad), icons.AssociatedIconOf(notepad)}) {
    ASSERT_NE(icon, 0u);
    EXPECT_TRUE(IconAlive(icon));
    icons.DestroyIcon(icon);
    EXPECT_FALSE(IconAlive(icon));
  }
}

TEST(IconSourceTest, EntriesOfOneFileShareAnIconUntilTheLastReleasesIt) {
  Win32IconSource icons;
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  const IconHandle first = icons.IconOf(notepad);
  const IconHandle second = icons.IconOf(notepad);
  const IconHandle associated = icons.AssociatedIconOf(notepad);
  ASSERT_NE(first, 0u);
  EXPECT_EQ(second, first);
  EXPECT_NE(associated, first);  // another question, another icon
  icons.DestroyIcon(first);
  EXPECT_TRUE(IconAlive(second));
  icons.DestroyIcon(second);
  EXPECT_FALSE(IconAlive(first));
  EXPECT_TRUE(IconAlive(associated));
  const IconHandle again = icons.IconOf(notepad);  // extracted anew, not the destroyed one
  EXPECT_TRUE(IconAlive(again));
  icons.DestroyIcon(again);
  icons.DestroyIcon(associated);
}

TEST(IconSourceTest, AFileWithoutAnIconIsAskedAgainOnceNoEntryHoldsOne) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  const std::string tool = std::string(folder) + "tarvex_icon_later.exe";
  const std::string notepad = WindowsFolder() + "\\notepad.exe";
  std::ofstream(tool) << "not a program yet\n";
  Win32IconSource icons;
  const IconHandle held = icons.IconOf(notepad);
  EXPECT_EQ(icons.IconOf(tool), 0u);
  ASSERT_TRUE(::CopyFileA(notepad.c_str(), tool.c_str(), FALSE));
  EXPECT_EQ(icons.IconOf(tool), 0u) << "remembered while the list stands";
  icons.DestroyIcon(held);
  const IconHandle now = icons.IconOf(tool);
  EXPECT_NE(now, 0u);
  icons.DestroyIcon(now);
  ::DeleteFileA(tool.c_str());
}

TEST(IconSourceTest, AFileWithoutIconsYieldsNone) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  const std::string text = std::string(folder) + "tarvex_not_a_program.txt";
  std::ofstream(text) << "no icons here\n";
  Win32IconSource icons;
  // The shell answers 1 for a file that is not a program; that is no icon, not a handle.
  EXPECT_EQ(icons.IconOf(text), 0u);
  EXPECT_EQ(icons.IconOf(std::string(folder) + "tarvex_no_such_file.exe"), 0u);
  ::DeleteFileA(text.c_str());
}

TEST(TextCollationTest, ComparesWithoutRegardToCaseOverTheFullLengths) {
  Win32TextCollation collation;
  EXPECT_EQ(collation.CompareIgnoreCase("Tarvex", "tARVEX"), 0);
  EXPECT_EQ(collation.CompareIgnoreCase("apple", "BANANA"), -1);
  EXPECT_EQ(collation.CompareIgnoreCase("b", "A"), 1);
  EXPECT_EQ(collation.CompareIgnoreCase("ab", "ABC"), -1);
  EXPECT_EQ(collation.CompareIgnoreCase("", ""), 0);
  EXPECT_EQ(collation.CompareIgnoreCase("", "a"), -1);
  // Views into longer texts end where the view ends, not at the text's zero.
  const std::string longer = "notepadXYZ";
  EXPECT_EQ(collation.CompareIgnoreCase(std::string_view(longer).substr(0, 7), "NOTEPAD"), 0);
}

// Pumps messages until `done` holds or the time is up.
bool PumpUntil(MessagePump& pump, const std::function<bool()>& done, int milliseconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    pump.ProcessMessages();
    ::Sleep(5);
  }
  return true;
}

TEST(TimerTest, FiresThroughTheMessagePumpOnlyWhileSwitchedOnWithAPeriod) {
  Win32TimerService service;
  Win32MessagePump pump;
  int ticks = 0;
  auto timer = service.CreateTimer([&] { ++ticks; });
  timer->SetInterval(20);
  EXPECT_FALSE(PumpUntil(
      pump, [&] { return ticks > 0; }, 150))
      << "fired while switched off";

  timer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil(
      pump, [&] { return ticks >= 3; }, 2000));

  timer->SetInterval(0);
  pump.ProcessMessages();
  ticks = 0;
  EXPECT_FALSE(PumpUntil(
      pump, [&] { return ticks > 0; }, 150))
      << "fired with period 0";

  timer->SetInterval(20);
  timer.reset();
  EXPECT_FALSE(PumpUntil(
      pump, [&] { return ticks > 0; }, 150))
      << "fired after it was freed";
}

TEST(TimerTest, TimersOfOneServiceFireIndependently) {
  Win32TimerService service;
  Win32MessagePump pump;
  int fast = 0;
  int off = 0;
  auto fastTimer = service.CreateTimer([&] { ++fast; });
  auto offTimer = service.CreateTimer([&] { ++off; });
  fastTimer->SetInterval(20);
  offTimer->SetInterval(20);
  fastTimer->SetEnabled(true);
  EXPECT_TRUE(PumpUntil(
      pump, [&] { return fast >= 2; }, 2000));
  EXPECT_EQ(off, 0);
}

TEST(MessagePumpTest, DispatchesWaitingMessagesAndLeavesTheQuitRequestForTheMainLoop) {
  OwnWindow window("Tarvex test pump", false);
  ::PostMessageA(window.Hwnd(), WM_APP, 0, 0);
  ::PostMessageA(window.Hwnd(), WM_APP, 0, 0);
  ::PostQuitMessage(7);
  Win32MessagePump().ProcessMessages();
  EXPECT_EQ(window.Received(WM_APP), 2);

  MSG message;
  ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

}  // namespace
}  // namespace tarvex::win32::testing
