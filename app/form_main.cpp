#include "app/form_main.h"

#include <algorithm>
#include <unordered_map>

#include "app/action_list.h"
#include "app/dpi_units.h"
#include "app/fit_form_to_screen.h"
#include "base/format.h"
#include "app/kelvo_apps.h"
#include "app/list_compare.h"
#include "base/scope_exit.h"
#include "settings/ignore_list.h"
#include "settings/ignore_list_file.h"
#include "settings/ini_file.h"
#include "settings/options.h"
#include "settings/settings_path.h"
#include "app/about_box.h"
#include "app/error_box.h"
#include "winlist/window_creator.h"

namespace tarvex {
namespace {

std::string WindowSection() { return AppBaseTitle(AppTitle) + " Window"; }
std::string IgnoreSection() { return AppBaseTitle(AppTitle) + " Ignore"; }
bool ReadMinimizeToTray(const TIniFile& file) {
  return file.ReadBool(WindowSection(), "MinimizeToTray", true);
}
std::string ColumnKey(int column) { return "Column" + std::to_string(column + 1); }

void RestoreWindow(WindowSystem& windows, WinHandle window) { windows.Show(window, kShowNormal); }
void MinimizeWindow(WindowSystem& windows, WinHandle window) {
  windows.Show(window, kShowMinimized);
}
void AskWindowToClose(WindowSystem& windows, WinHandle window) { windows.PostClose(window); }

}  // namespace

ScreenSize MinimumFormSize(int dpi) {
  return {ScaleFromDesign(kMinimumWidth, dpi), ScaleFromDesign(kMinimumHeight, dpi)};
}

TFormMain::TFormMain(const FormMainPlatform& platform)
    : platform_(platform),
      winList1_(platform.winList),
      timer1_(platform.winList.timers.CreateTimer([this] { Timer1Timer(); })),
      hintLine_(platform.statusBar),
      trayIcon1_(platform.trayShell, platform.winList.pump) {
  timer1_->SetInterval(kRefreshInterval);
  const ActionInfo& about = ActionOf(ActionId::ActAbout);
  const ActionInfo& exit = ActionOf(ActionId::ActExit);
  popupMenu1_.items = {
      {"Restore", "", true, true, -1, [this] { MnRestoreClick(); }},
      {about.caption, about.hint, false, true, about.imageIndex,
       [this] { ExecuteAction(ActionId::ActAbout); }},
      {"-", "", false, true, -1, nullptr},
      {exit.caption, exit.hint, false, true, exit.imageIndex,
       [this] { ExecuteAction(ActionId::ActExit); }},
  };
  trayIcon1_.SetIcon(platform.trayShell.ProgramIcon());
  trayIcon1_.SetPopupMenu(&popupMenu1_);
  trayIcon1_.OnShown = [this] { TrayIcon1Shown(); };
}

TFormMain::~TFormMain() { timer1_->SetEnabled(false); }

void TFormMain::FormCreate() {
  AppTitle = caption_;
  platform_.host.SetApplicationTitle(caption_);
  webSiteAddress_ = kMakerWebSite;
}

void TFormMain::FormShow() {
  shown_ = true;
  LoadSettings();
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
  firstShowOwed_ = true;
  // Where the program goes depends on this option alone; the rest of the settings are read at
  // the first show.
  MinimizeToTray = ReadMinimizeToTray(TIniFile(platform_.settings, AppIniFileName));
  platform_.application.Minimize();
}

void TFormMain::FormDpiChanged(int oldDpi, int newDpi) {
  ListViewPort& list = platform_.listView;
  for (int column = 0; column < list.ColumnCount(); ++column) {
    list.SetColumnWidth(column, RescaleForDpi(list.ColumnWidth(column), oldDpi, newDpi));
  }
}

void TFormMain::ShowFirstIfOwed() {
  if (!firstShowOwed_) return;
  firstShowOwed_ = false;
  FormShow();
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
  SaveSettings();
  saved = true;
}

void TFormMain::WMEndSession() {
  if (shown_) SaveSettings();
}

bool TFormMain::CloseQuery() {
  try {
    FormClose();
    return true;
  } catch (...) {
    MessageBoxes& boxes = platform_.winList.boxes;
    ApplicationEvents1Exception(boxes, std::current_exception());
    if (boxes.Show(kCloseWithoutSavingQuestion, AppTitle, BoxKind::kWarningYesNo) !=
        BoxAnswer::kYes) {
      return false;
    }
    timer1_->SetEnabled(false);
    return true;
  }
}

void TFormMain::ApplyBounds(Bounds bounds) {
  const ScreenSize minimum = MinimumFormSize(platform_.host.Dpi());
  bounds.width = std::max(bounds.width, minimum.width);
  bounds.height = std::max(bounds.height, minimum.height);
  platform_.host.SetFormBounds(bounds);
}

void TFormMain::LoadSettings() {
  const TIniFile file(platform_.settings, AppIniFileName);
  const std::string section = WindowSection();
  // Each value is applied as soon as it is read, and the next one's default is the window as
  // it then stands. Sizes are stored in 96-dpi units and shown at the window's resolution, which
  // a new position may have changed (another monitor); positions are screen pixels.
  const auto applyPosition = [&](int Bounds::*field, const char* key) {
    Bounds bounds = platform_.host.FormBounds();
    bounds.*field = file.ReadInteger(section, key, bounds.*field);
    ApplyBounds(bounds);
  };
  const auto applySize = [&](int Bounds::*field, const char* key) {
    const int dpi = platform_.host.Dpi();
    Bounds bounds = platform_.host.FormBounds();
    bounds.*field =
        ScaleFromDesign(file.ReadInteger(section, key, ScaleToDesign(bounds.*field, dpi)), dpi);
    ApplyBounds(bounds);
  };
  applyPosition(&Bounds::left, "Left");
  applyPosition(&Bounds::top, "Top");
  applySize(&Bounds::width, "Width");
  applySize(&Bounds::height, "Height");
  ListViewPort& list = platform_.listView;
  const int dpi = platform_.host.Dpi();
  for (int column = 0; column < list.ColumnCount(); ++column) {
    const int stored =
        file.ReadInteger(section, ColumnKey(column), ScaleToDesign(list.ColumnWidth(column), dpi));
    list.SetColumnWidth(column, ScaleFromDesign(stored, dpi));
  }
  MinimizeToTray = ReadMinimizeToTray(file);
  HotKeyCode = static_cast<std::uint8_t>(file.ReadInteger(section, "HotKeyCode", 0));
  LoadIgnoreList(file, IgnoreSection(), IgnoreList, platform_.collation);
}

void TFormMain::SaveSettings() {
  TIniFile file(platform_.settings, AppIniFileName);
  const std::string section = WindowSection();
  // At the resolution the window has now: a window moved to a monitor of another one before
  // closing stores the sizes it shows there, in 96-dpi units.
  const int dpi = platform_.host.Dpi();
  const Bounds bounds = platform_.host.FormBounds();
  file.WriteInteger(section, "Left", bounds.left);
  file.WriteInteger(section, "Top", bounds.top);
  file.WriteInteger(section, "Width", ScaleToDesign(bounds.width, dpi));
  file.WriteInteger(section, "Height", ScaleToDesign(bounds.height, dpi));
  const ListViewPort& list = platform_.listView;
  for (int column = 0; column < list.ColumnCount(); ++column) {
    file.WriteInteger(section, ColumnKey(column), ScaleToDesign(list.ColumnWidth(column), dpi));
  }
  file.WriteBool(section, "MinimizeToTray", MinimizeToTray);
  file.WriteInteger(section, "HotKeyCode", HotKeyCode);
  file.UpdateFile();
}

void TFormMain::ActIgnoreListExecute() {
  if (!ShowIgnoreListDialog(platform_.collation, platform_.inputBox, platform_.ignoreListDialog)) {
    return;
  }
  TIniFile file(platform_.settings, AppIniFileName);
  SaveIgnoreList(file, IgnoreSection(), IgnoreList);
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
      return SetAllChecks(true);
    case ActionId::ActUncheckAll:
      return SetAllChecks(false);
    case ActionId::ActRestore:
      return ActOnCheckedRows(RestoreWindow);
    case ActionId::ActMinimize:
      return ActOnCheckedRows(MinimizeWindow);
    case ActionId::ActTerminate:
      ActOnCheckedRows(AskWindowToClose);
      // The user's command is done: the list it leaves starts with nothing chosen.
      DropChoices();
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
  // Exactly as if the user had chosen the menu item, which runs only while it is enabled.
  const TMenuItem& restore = popupMenu1_.items.front();
  if (restore.enabled) restore.onClick();
}

void TFormMain::MnRestoreClick() {
  goingToTray_ = false;
  ShowFirstIfOwed();
  platform_.application.ShowNormal();
  platform_.application.ShowHiddenBoxes();
  platform_.application.BringToForeground();
}

void TFormMain::ApplicationEvents1Minimize() {
  // A box or dialog open over the window goes with it: left on the screen it would stand for a
  // program that is not there, and hidden behind it, it must come back with the window, or the
  // window would be back and blocked by a box nobody can reach.
  platform_.application.HideOpenBoxes();
  if (!MinimizeToTray) return;
  // Without an icon in a notification area there is nothing to come back by: hidden, the
  // program would be out of the user's reach, so it stays minimized on the taskbar until the
  // icon stands there (an add that failed succeeds at a later try; an X11 tray embeds the icon
  // a moment after the add, or never).
  goingToTray_ = true;
  trayIcon1_.SetActive(true);
  TrayIcon1Shown();
}

void TFormMain::TrayIcon1Shown() {
  if (!goingToTray_ || !trayIcon1_.Present()) return;
  goingToTray_ = false;
  platform_.application.Hide();
}

void TFormMain::ApplicationEvents1Restore() {
  goingToTray_ = false;
  ShowFirstIfOwed();
  platform_.application.ShowHiddenBoxes();
  if (!MinimizeToTray) return;
  platform_.application.ShowNormal();
  trayIcon1_.SetActive(false);
}

void TFormMain::Timer1Timer() { ExecuteAction(ActionId::ActRefresh); }

void TFormMain::ActRefreshExecute() {
  timer1_->SetEnabled(false);
  const ScopeExit restart([this]() noexcept { timer1_->SetEnabled(true); });
  RefreshApplicationList();
}

void TFormMain::SetAllChecks(bool checked) {
  ListViewPort& list = platform_.listView;
  list.BeginUpdate();
  const ScopeExit resume([&list]() noexcept { list.EndUpdate(); });
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].checked = checked;
    list.SetChecked(static_cast<int>(i), checked);
  }
}

void TFormMain::ActOnCheckedRows(void (*act)(WindowSystem&, WinHandle)) {
  // The rows the user checked are taken before the loop: messages run after each row, and a
  // refresh that runs then (the timer, F5) rebuilds the list with other rows. Reading the rebuilt
  // list by the old indices would act on windows the user never checked.
  std::vector<ListRow> checked;
  std::copy_if(rows_.begin(), rows_.end(), std::back_inserter(checked),
               [](const ListRow& row) { return row.checked; });
  WindowSystem& windows = platform_.winList.windows;
  for (const ListRow& row : checked) {
    // A handle whose window is gone may name another one by now, which the user never saw.
    if (!StillTheWindow(windows, row.handle, row.creator)) continue;
    act(windows, row.handle);
    platform_.winList.pump.ProcessMessages();
  }
}

void TFormMain::ActSwitchToExecute() {
  const ListRow& row = rows_[static_cast<std::size_t>(selected_)];
  WindowSystem& windows = platform_.winList.windows;
  if (!StillTheWindow(windows, row.handle, row.creator)) return;
  windows.Show(row.handle, kShowNormal);
  windows.BringToForeground(row.handle);
}

void TFormMain::DropChoices() {
  for (ListRow& row : rows_) row.checked = false;
  selected_ = -1;
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
  // What the user chose stays with the windows that are still listed: same handle, same
  // creator. Their captions may have changed.
  std::unordered_map<WinHandle, ListRow> chosen;
  const WinHandle selectedWindow =
      selected_ >= 0 ? rows_[static_cast<std::size_t>(selected_)].handle : 0;
  for (const ListRow& row : rows_) {
    if (row.checked || row.handle == selectedWindow) chosen.emplace(row.handle, row);
  }
  rows_.clear();
  selected_ = -1;
  list.Clear();
  winList1_.Refresh();
  const TWindowList& windows = winList1_.WindowList();
  for (int i = 0; i < windows.Count(); ++i) {
    const std::string& caption = windows.Strings(i);
    if (caption == AppTitle) continue;
    if (IsIgnored(caption)) continue;
    const TWinInfo& entry = windows.Objects(i);
    ListRow row{caption,
                std::to_string(entry.ProcessID),
                entry.WinHandle,
                false,
                {entry.ThreadID, entry.ProcessID}};
    if (const auto before = chosen.find(row.handle);
        before != chosen.end() && before->second.creator == row.creator) {
      row.checked = before->second.checked;
      if (row.handle == selectedWindow) selected_ = static_cast<int>(rows_.size());
    }
    rows_.push_back(row);
    list.Append(rows_.back());
  }
  if (selected_ >= 0) list.SetSelected(selected_);
}

bool TFormMain::IsIgnored(const std::string& caption) const {
  return IgnoreList.Contains(platform_.codePage.FromUtf8(caption), platform_.collation);
}

int TFormMain::CheckedCount() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const ListRow& row) { return row.checked; }));
}

void TFormMain::ActRefreshUpdate() {
  const int n = CheckedCount();
  const int c = static_cast<int>(rows_.size());
  const auto enable = [this](ActionId action, bool enabled) {
    enabled_[static_cast<std::size_t>(action)] = enabled;
  };
  enabled_.fill(true);
  enable(ActionId::ActCheckAll, n < c);
  for (ActionId onChecked : {ActionId::ActUncheckAll, ActionId::ActRestore, ActionId::ActMinimize,
                             ActionId::ActTerminate}) {
    enable(onChecked, n > 0);
  }
  enable(ActionId::ActSwitchTo, selected_ >= 0);
  enable(ActionId::ActWebSite, !webSiteAddress_.empty());
  platform_.statusBar.SetPanelText(
      0, selected_ >= 0 ? Format("%d: %d: %d", selected_ + 1, c, n) : Format("0: %d: %d", c, n));
  trayIcon1_.SetHint(Format("%s\r%d applications", AppTitle.c_str(), c));
}

void TFormMain::ListView1ColumnClick(int column) {
  listTag_ = SortKeyAfterClick(listTag_, column);
  // The selection and the checks travel with their rows.
  std::vector<std::size_t> order(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return ListView1Compare(rows_[a], rows_[b], listTag_) < 0;
  });
  std::vector<ListRow> sorted;
  sorted.reserve(rows_.size());
  int newSelected = -1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (static_cast<int>(order[i]) == selected_) newSelected = static_cast<int>(i);
    sorted.push_back(rows_[order[i]]);
  }
  rows_ = std::move(sorted);
  selected_ = newSelected;
  platform_.listView.ShowRows(rows_, selected_);
}

void TFormMain::ListView1ItemChecked(int index, bool checked) {
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  rows_[static_cast<std::size_t>(index)].checked = checked;
}

void TFormMain::ListView1SelectItem(int index) {
  selected_ = (index >= 0 && index < static_cast<int>(rows_.size())) ? index : -1;
}

}  // namespace tarvex
