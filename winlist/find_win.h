// TWinList: finds the desktop's top-level windows that pass a filter and describes each one in
// a TWinInfo. A pass rebuilds the entries only when an accepted window has no entry, shows another
// caption than its entry, or (where the pass knows it for free) has another creator, or when a
// listed window is no longer accepted.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "winlist/tool_help_binding.h"
#include "winlist/win_list_platform.h"
#include "winlist/window_list.h"

namespace tarvex {

enum class TFind_ID : std::uint8_t { id_All = 0, id_VisOnly = 1, id_InvisOnly = 2 };

class TWinList {
 public:
  using TNotifyEvent = std::function<void(TWinList& sender)>;

  explicit TWinList(const WinListPlatform& platform);
  virtual ~TWinList();
  TWinList(const TWinList&) = delete;
  TWinList& operator=(const TWinList&) = delete;

  // One pass over the desktop's top-level windows.
  virtual void Refresh();

  tarvex::WinHandle WinHandle(int index) const { return list_.Objects(index).WinHandle; }
  std::uint32_t ProcessID(int index) const { return list_.Objects(index).ProcessID; }
  const TWindowList& WindowList() const { return list_; }

  const std::string& About() const { return about_; }
  void SetAbout(const std::string& value);
  TFind_ID WhatDoFind() const { return whatDoFind_; }
  void SetWhatDoFind(TFind_ID value) { whatDoFind_ = value; }
  bool EmptyNames() const { return emptyNames_; }
  void SetEmptyNames(bool value) { emptyNames_ = value; }
  bool TaskBarSty() const { return taskBarSty_; }
  void SetTaskBarSty(bool value) { taskBarSty_ = value; }
  int TimerIntval() const { return timerIntval_; }
  void SetTimerIntval(int value);
  bool EnableTimer() const { return enableTimer_; }
  void SetEnableTimer(bool value);
  void SetOnChanged(TNotifyEvent handler) { onChanged_ = std::move(handler); }

  // The pass state is shared by every instance, as the program has one.
  static bool ListChanged();

 private:
  void AddWindowInfo(tarvex::WinHandle window);
  void LookUpImage(TWinInfo& info);
  void FreeEntries();
  void TimerTick();
  void DoChanged();

  const WinListPlatform platform_;
  ToolHelpBinding toolHelp_;
  TWindowList list_;
  std::unique_ptr<Timer> timer_;
  std::string about_;
  TFind_ID whatDoFind_ = TFind_ID::id_VisOnly;
  bool emptyNames_ = false;
  bool enableTimer_ = false;
  bool taskBarSty_ = true;
  int timerIntval_ = 500;
  TNotifyEvent onChanged_;
};

// The credit texts of the About property.
extern const char* const kWinListCredit;
extern const char* const kWinListCreditBox;

}  // namespace tarvex
