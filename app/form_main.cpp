#include "app/form_main.h"

#include "app/action_list.h"
#include "app/dpi_units.h"
#include "app/fit_form_to_screen.h"
#include "base/format.h"
#include "app/kelvo_apps.h"
#include "base/scope_exit.h"
#include "settings/ignore_list.h"
#include "settings/options.h"
#include "app/about_box.h"
#include "winlist/window_creator.h"

namespace tarvex {
namespace {

void RestoreWindow(WindowSystem& windows, WinHandle window) { windows.Show(window, kShowNormal); }
void MinimizeWindow(WindowSystem& windows, WinHandle window) {
  windows.Show(window, kShowMinimized);
}
void AskWindowToClose(WindowSystem& windows, WinHandle window) { windows.PostClose(window); }

}  // namespace

TFormMain::TFormMain(const FormMainPlatform& platform)
    : platform_(platform),
      winList1_(platform.winList),
      timer1_(platform.winList.timers.CreateTimer([this] { Timer1Timer(); })),
      hintLine_(platform.statusBar),
      presence_(platform.trayShell, platform.winList.pump, platform.application,
                [this](ActionId action) { ExecuteAction(action); }),
      applications_(platform.listView),
      settings_(platform.settings, platform.host, platform.listView, platform.collation,
                platform.winList.boxes) {
  timer1_->SetInterval(kRefreshInterval);
}

TFormMain::~TFormMain() { timer1_->SetEnabled(false); }

void TFormMain::FormCreate() {
  AppTitle = caption_;
  platform_.host.SetApplicationTitle(caption_);
  webSiteAddress_ = kMakerWebSite;
}

void TFormMain::FormShow() {
  shown_ = true;
  settings_.Load();
  const ScreenSize screen = platform_.host.PrimaryScreen();
  platform_.host.SetFormBounds(
      FitFormToScreen(platform_.host.FormBounds(), screen.width, screen.height));
  RegisterAppHotKey(platform_.hotKeys, HotKeyCode);
  ExecuteAction(ActionId::ActRefresh);
  timer1_->SetEnabled(true);
}

void TFormMain::Start(bool minimized) {
  if (!minimized) {
    FormShow();
    return;
  }
  presence_.ShowAtFirstRestore([this] { FormShow(); });
  // Where the program goes depends on this option alone; the rest of the settings are read at
  // the first show.
  settings_.LoadMinimizeToTray();
  platform_.application.Minimize();
}

void TFormMain::FormDpiChanged(int oldDpi, int newDpi) {
  ListViewPort& list = platform_.listView;
  for (int column = 0; column < list.ColumnCount(); ++column) {
    list.SetColumnWidth(column, RescaleForDpi(list.ColumnWidth(column), oldDpi, newDpi));
  }
}

void TFormMain::FormClose() {
  timer1_->SetEnabled(false);
  // A window closed before it was ever shown (started minimized and closed from the taskbar)
  // has read no settings: writing its designed values would overwrite the user's.
  if (!shown_) return;
  // A close that fails to write leaves the window open, and it must go on refreshing.
  bool saved = false;
  const ScopeExit resume([&]() noexcept {
    if (!saved) timer1_->SetEnabled(true);
  });
  settings_.Save();
  saved = true;
}

void TFormMain::WMEndSession() {
  if (shown_) settings_.Save();
}

bool TFormMain::CloseQuery() {
  try {
    FormClose();
    return true;
  } catch (...) {
    if (!settings_.MayCloseUnsaved(std::current_exception())) return false;
    timer1_->SetEnabled(false);
    return true;
  }
}

void TFormMain::ActIgnoreListExecute() {
  if (!ShowIgnoreListDialog(platform_.collation, platform_.inputBox, platform_.ignoreListDialog)) {
    return;
  }
  settings_.SaveIgnoreList();
  ExecuteAction(ActionId::ActRefresh);
}

bool TFormMain::Idle(const IdleView& view) {
  if (!view.windowUsable) return false;
  ActRefreshUpdate();
  // Of the controls only the tool bar's buttons have hints of their own; the others hand over to
  // the window's. Outside the window there is no hint.
  std::vector<std::string> chain;
  if (view.mouseOverWindow) {
    if (view.buttonUnderMouse) chain.emplace_back(ActionOf(*view.buttonUnderMouse).hint);
    chain.push_back(Hint());
  }
  hintLine_.Idle(chain);
  return true;
}

std::string TFormMain::Hint() const { return "|" + MakerNotice(kAboutYear, 0); }

void TFormMain::ExecuteAction(ActionId action) {
  ActRefreshUpdate();
  if (!Enabled(action)) return;
  switch (action) {
    case ActionId::ActRefresh:
      return ActRefreshExecute();
    case ActionId::ActCheckAll:
      return applications_.SetAllChecks(true);
    case ActionId::ActUncheckAll:
      return applications_.SetAllChecks(false);
    case ActionId::ActRestore:
      return ActOnCheckedRows(RestoreWindow);
    case ActionId::ActMinimize:
      return ActOnCheckedRows(MinimizeWindow);
    case ActionId::ActTerminate:
      ActOnCheckedRows(AskWindowToClose);
      // The user's command is done: the list it leaves starts with nothing chosen.
      applications_.DropChoices();
      return ExecuteAction(ActionId::ActRefresh);
    case ActionId::ActSwitchTo:
      return ActSwitchToExecute();
    case ActionId::ActWebSite:
      return platform_.browser.OpenAddress(webSiteAddress_);
    case ActionId::ActAbout:
      return ShowAboutBox(platform_.winList.boxes, kAboutDescription, kAboutYear, 0);
    case ActionId::ActExit:
      return platform_.host.Close();
    case ActionId::ActIgnoreList:
      return ActIgnoreListExecute();
    case ActionId::ActOptions:
      return ActOptionsExecute();
  }
}

void TFormMain::ActOptionsExecute() {
  if (ShowOptionsDialog(platform_.optionsDialog)) RegisterAppHotKey(platform_.hotKeys, HotKeyCode);
}

void TFormMain::WMHotKey(int id) {
  if (id != kAppHotKeyId) return;
  presence_.ChooseRestore();
}

void TFormMain::MnRestoreClick() { presence_.Restore(); }

void TFormMain::ApplicationEvents1Minimize() { presence_.Minimized(); }

void TFormMain::TrayIcon1Shown() { presence_.IconShown(); }

void TFormMain::ApplicationEvents1Restore() { presence_.Restored(); }

void TFormMain::Timer1Timer() { ExecuteAction(ActionId::ActRefresh); }

void TFormMain::ActRefreshExecute() {
  timer1_->SetEnabled(false);
  const ScopeExit restart([this]() noexcept { timer1_->SetEnabled(true); });
  RefreshApplicationList();
}

void TFormMain::ActOnCheckedRows(void (*act)(WindowSystem&, WinHandle)) {
  // The rows the user checked are taken before the loop: messages run after each row, and a
  // refresh that runs then (the timer, F5) rebuilds the list with other rows. Reading the rebuilt
  // list by the old indices would act on windows the user never checked.
  const std::vector<ListRow> checked = applications_.CheckedRows();
  WindowSystem& windows = platform_.winList.windows;
  for (const ListRow& row : checked) {
    // A handle whose window is gone may name another one by now, which the user never saw.
    if (!StillTheWindow(windows, row.handle, row.creator)) continue;
    act(windows, row.handle);
    platform_.winList.pump.ProcessMessages();
  }
}

void TFormMain::ActSwitchToExecute() {
  const ListRow& row = applications_.SelectedRow();
  WindowSystem& windows = platform_.winList.windows;
  if (!StillTheWindow(windows, row.handle, row.creator)) return;
  windows.Show(row.handle, kShowNormal);
  windows.BringToForeground(row.handle);
}

void TFormMain::RefreshApplicationList() {
  ListViewPort& list = platform_.listView;
  StatusBarPort& status = platform_.statusBar;
  status.SetPanelText(1, "Refreshing...");
  list.BeginUpdate();
  // Repainting resumes and the refresh is reported done, also when the rebuild failed half-way.
  const ScopeExit finish([&]() noexcept {
    list.EndUpdate();
    status.SetPanelText(1, "Application list refreshed");
  });
  applications_.Refresh(winList1_, [this](const std::string& caption) {
    return caption != AppTitle && !IsIgnored(caption);
  });
}

bool TFormMain::IsIgnored(const std::string& caption) const {
  return IgnoreList.Contains(platform_.codePage.FromUtf8(caption), platform_.collation);
}

int TFormMain::CheckedCount() const { return applications_.CheckedCount(); }

void TFormMain::ActRefreshUpdate() {
  const int n = CheckedCount();
  const int c = static_cast<int>(Rows().size());
  const int selected = Selected();
  const auto enable = [this](ActionId action, bool enabled) {
    enabled_[static_cast<std::size_t>(action)] = enabled;
  };
  enabled_.fill(true);
  enable(ActionId::ActCheckAll, n < c);
  for (ActionId onChecked : {ActionId::ActUncheckAll, ActionId::ActRestore, ActionId::ActMinimize,
                             ActionId::ActTerminate}) {
    enable(onChecked, n > 0);
  }
  enable(ActionId::ActSwitchTo, selected >= 0);
  enable(ActionId::ActWebSite, !webSiteAddress_.empty());
  platform_.statusBar.SetPanelText(
      0, selected >= 0 ? Format("%d: %d: %d", selected + 1, c, n) : Format("0: %d: %d", c, n));
  presence_.ShowApplicationCount(c);
}

void TFormMain::ListView1ColumnClick(int column) { applications_.ColumnClick(column); }

void TFormMain::ListView1ItemChecked(int index, bool checked) {
  applications_.ItemChecked(index, checked);
}

void TFormMain::ListView1SelectItem(int index) { applications_.SelectItem(index); }

}  // namespace tarvex
