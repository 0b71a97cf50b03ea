#include "winlist/find_win.h"

#include <vector>

#include "base/scope_exit.h"
#include "winlist/window_creator.h"

namespace tarvex {

const char* const kWinListCredit = "TWinList, the window enumerator of Tarvex";
const char* const kWinListCreditBox =
    "TWinList\r\rFinds the top-level windows of the desktop that pass a filter and describes "
    "each of them.\r\rPart of Tarvex.";

namespace {

// The state of a pass lives at module level and is shared by every instance; passes never
// overlap because a pass dispatches no messages.
struct PassState {
  // Accepted handles in order of acceptance. A desktop may accept more than 256 windows: the
  // collection then grows instead of dropping them, so every accepted window is listed. The
  // capacity is kept across passes, so filtering an unchanged desktop allocates nothing.
  std::vector<WinHandle> FoundHandles;
  std::uint32_t FoundCount = 0;
  // The entries as the last rebuild left them, and whether an accepted window of this pass
  // differs from its entry or has none.
  const TWindowList* Entries = nullptr;
  bool Differs = false;
  bool CreatorsCheap = false;
  bool ListChanged = true;
  bool EmptyNames = false;
  TFind_ID WhatDoFind = TFind_ID::id_VisOnly;
  bool TaskBarSty = true;
  WindowSystem* Windows = nullptr;
};

PassState gPass;

constexpr int kClassBuffer = 257;
constexpr int kClassRead = 100;  // at most 99 characters

bool HasAppWindowStyle(WindowSystem& windows, WinHandle window) {
  const auto style = static_cast<std::uint32_t>(windows.WindowLong(window, GWL_STYLE_INDEX));
  if ((style & kStylePopup) == 0) return true;
  return (style & kStyleMinimizeBox) != 0 && (style & kStyleDisabled) == 0 &&
         (style & kStyleSysMenu) != 0;
}

// A cloaked window counts as hidden: the taskbar of the current desktop leaves it out, and
// Restore cannot bring it back. Asking costs a round trip of its own, so for shown windows it
// is asked last, once every cheaper test has passed (CloakPasses).
bool PassesVisibility(WindowSystem& windows, WinHandle window) {
  switch (gPass.WhatDoFind) {
    case TFind_ID::id_All:
      return true;
    case TFind_ID::id_VisOnly:
      return windows.IsVisible(window);
    case TFind_ID::id_InvisOnly:
      return !windows.IsVisible(window) || windows.IsCloaked(window);
  }
  return false;
}

bool CloakPasses(WindowSystem& windows, WinHandle window) {
  return gPass.WhatDoFind != TFind_ID::id_VisOnly || !windows.IsCloaked(window);
}

bool PassesTaskBarFilter(WindowSystem& windows, WinHandle window) {
  if (windows.Owner(window) != 0) return false;
  if (HasAppWindowStyle(windows, window)) return true;
  const WinHandle popup = windows.LastActivePopup(window);
  if (!windows.Exists(popup)) return false;
  return HasAppWindowStyle(windows, popup);
}

// Whether the window has an entry that shows it as it is now: its caption, and its creator where
// the pass knows that for free. A new window that took over a listed handle differs by creator.
bool ListedAsItIs(WindowSystem& windows, WinHandle window, const char* caption) {
  const int row = gPass.Entries->IndexOf(window);
  if (row < 0 || gPass.Entries->Strings(row) != caption) return false;
  if (!gPass.CreatorsCheap) return true;
  const TWinInfo& entry = gPass.Entries->Objects(row);
  return CreatorOf(windows, window) == WindowCreator{entry.ThreadID, entry.ProcessID};
}

// The tests are independent, so they run cheapest first. Each question about another process's
// window is a round trip to the window server; most top-level windows of a real desktop are
// hidden (tool windows, helpers, other programs' tray windows), and visibility, answered from
// the style that the task-bar test reads anyway, turns them away before their caption is read.
bool CollectWindow(WinHandle window, std::intptr_t /*param*/) {
  WindowSystem& windows = *gPass.Windows;
  if (!PassesVisibility(windows, window)) return true;
  char caption[kCaptionBufferBytes] = {};
  windows.WindowText(window, caption, kCaptionBufferBytes);
  if (caption[0] == '\0' && !gPass.EmptyNames) return true;
  if (gPass.TaskBarSty && !PassesTaskBarFilter(windows, window)) return true;
  if (!CloakPasses(windows, window)) return true;
  gPass.FoundHandles.push_back(window);
  ++gPass.FoundCount;
  if (!gPass.Differs) gPass.Differs = !ListedAsItIs(windows, window, caption);
  return true;
}

std::string ReadCaption(WindowSystem& windows, WinHandle window) {
  char caption[kCaptionBufferBytes] = {};
  windows.WindowText(window, caption, kCaptionBufferBytes);
  return caption;
}

}  // namespace

TWinList::TWinList(const WinListPlatform& platform)
    : platform_(platform),
      toolHelp_(platform.toolHelp),
      timer_(platform.timers.CreateTimer([this] { TimerTick(); })) {
  timer_->SetInterval(timerIntval_);
  gPass.FoundHandles.reserve(256);
  gPass.ListChanged = true;
}

TWinList::~TWinList() {
  FreeEntries();
  timer_->SetEnabled(false);
}

bool TWinList::ListChanged() { return gPass.ListChanged; }

void TWinList::Refresh() {
  timer_->SetEnabled(false);
  gPass.EmptyNames = emptyNames_;
  gPass.WhatDoFind = whatDoFind_;
  gPass.TaskBarSty = taskBarSty_;
  gPass.FoundCount = 0;
  gPass.FoundHandles.clear();
  gPass.Windows = &platform_.windows;
  gPass.Entries = &list_;
  gPass.Differs = false;
  gPass.CreatorsCheap = platform_.windows.CreatorsComeWithThePass();
  const ScopeExit passOver([this]() noexcept { platform_.windows.PassOver(); });
  platform_.windows.Enumerate(CollectWindow, 0);

  // Each accepted window has an entry that shows it as it is: with as many entries as accepted
  // windows, no listed window went either, and a rebuild that a failure cut short is redone.
  if (!gPass.Differs && gPass.FoundCount == static_cast<std::uint32_t>(list_.Count())) {
    gPass.ListChanged = false;
  } else {
    FreeEntries();
    for (std::uint32_t i = 0; i < gPass.FoundCount; ++i) AddWindowInfo(gPass.FoundHandles[i]);
    gPass.ListChanged = true;
  }
  if (enableTimer_) timer_->SetEnabled(true);
}

void TWinList::AddWindowInfo(tarvex::WinHandle window) {
  WindowSystem& windows = platform_.windows;
  auto info = std::make_unique<TWinInfo>(platform_.icons);
  info->WinHandle = window;
  info->ThreadID = windows.ThreadProcessId(window, &info->ProcessID);
  info->Style = static_cast<std::uint32_t>(windows.WindowLong(window, GWL_STYLE_INDEX));
  info->ExStyle = static_cast<std::uint32_t>(windows.WindowLong(window, GWL_EXSTYLE_INDEX));
  info->ParentHandle =
      static_cast<tarvex::WinHandle>(windows.WindowLong(window, GWL_HWNDPARENT_INDEX));

  char className[kClassBuffer] = {};
  windows.ClassName(window, className, kClassRead);
  info->WinClass = className;

  if (info->ParentHandle == 0) {
    info->ParentName = "Desktop";
  } else {
    info->ParentName = ReadCaption(windows, info->ParentHandle);
    if (info->ParentName.empty()) info->ParentName = "NoName";
  }

  std::string caption = ReadCaption(windows, window);
  LookUpImage(*info);
  list_.Add(std::move(caption), std::move(info));
}

void TWinList::LookUpImage(TWinInfo& info) {
  // Process id 0 names no owner: the window went before it was asked, or its X client told
  // none. A walk for it would read every process (all of /proc on Linux) to find at best the
  // system's idle process, which owns no window.
  if (info.ProcessID == 0) return;
  ScopedSnapshot snapshot(toolHelp_,
                          toolHelp_.CreateToolhelp32Snapshot(kSnapProcess, info.ProcessID));
  if (snapshot.get() == 0) return;
  ProcessEntry process;
  if (!toolHelp_.Process32First(snapshot.get(), process)) return;
  bool found = process.processId == info.ProcessID;
  while (!found && toolHelp_.Process32Next(snapshot.get(), process)) {
    found = process.processId == info.ProcessID;
  }
  if (!found) return;
  info.ExeName = process.exeFile;
  info.Icon.OfProcess(info.ProcessID);
}

void TWinList::FreeEntries() { list_.Clear(); }

void TWinList::SetEnableTimer(bool value) {
  if (value == enableTimer_) return;
  enableTimer_ = value;
  timer_->SetEnabled(value);
}

void TWinList::SetTimerIntval(int value) {
  if (value < 1) SetEnableTimer(false);
  if (value == timerIntval_) return;
  timerIntval_ = value;
  timer_->SetInterval(value);
}

void TWinList::SetAbout(const std::string& value) {
  if (value == about_) return;
  about_ = kWinListCredit;
  platform_.boxes.Show(kWinListCreditBox, "Information", BoxKind::kInformation);
}

void TWinList::TimerTick() {
  if (timerIntval_ < 1) timer_->SetEnabled(false);
  Refresh();
  platform_.pump.ProcessMessages();
  if (gPass.ListChanged) DoChanged();
}

void TWinList::DoChanged() {
  if (onChanged_) onChanged_(*this);
}

}  // namespace tarvex
