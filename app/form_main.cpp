#include "app/form_main.h"

#include <algorithm>

#include "app/format.h"
#include "app/kelvo_apps.h"
#include "app/list_compare.h"
#include "settings/ignore_list.h"

namespace tarvex {
namespace {

// Resumes repainting and reports the refresh done, also when the rebuild failed half-way.
class RefreshFinisher {
 public:
  RefreshFinisher(ListViewPort& list, StatusBarPort& status) : list_(list), status_(status) {}
  ~RefreshFinisher() {
    list_.EndUpdate();
    status_.SetPanelText(1, "Application list refreshed");
  }
  RefreshFinisher(const RefreshFinisher&) = delete;
  RefreshFinisher& operator=(const RefreshFinisher&) = delete;

 private:
  ListViewPort& list_;
  StatusBarPort& status_;
};

}  // namespace

TFormMain::TFormMain(const FormMainPlatform& platform)
    : platform_(platform), winList1_(platform.winList) {}

void TFormMain::FormCreate() { AppTitle = caption_; }

void TFormMain::ExecuteAction(ActionId action) {
  ActRefreshUpdate();
  if (!Enabled(action)) return;
  switch (action) {
    case ActionId::ActRefresh:
      ActRefreshExecute();
      break;
    default:
      break;  // the other commands have no handler yet
  }
}

void TFormMain::ActRefreshExecute() { RefreshApplicationList(); }

void TFormMain::RefreshApplicationList() {
  ListViewPort& list = platform_.listView;
  platform_.statusBar.SetPanelText(1, "Refreshing...");
  list.BeginUpdate();
  RefreshFinisher finisher(list, platform_.statusBar);
  rows_.clear();
  selected_ = -1;
  list.Clear();
  winList1_.Refresh();
  const TWindowList& windows = winList1_.WindowList();
  for (int i = 0; i < windows.Count(); ++i) {
    const std::string& caption = windows.Strings(i);
    if (caption == AppTitle) continue;
    if (IsIgnored(caption)) continue;
    ListRow row{caption, std::to_string(winList1_.ProcessID(i)), winList1_.WinHandle(i), false};
    rows_.push_back(row);
    list.Append(rows_.back());
  }
}

bool TFormMain::IsIgnored(const std::string& caption) const {
  return IgnoreList.Contains(caption, platform_.collation);
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
  platform_.statusBar.SetPanelText(
      0, selected_ >= 0 ? Format("%d: %d: %d", selected_ + 1, c, n) : Format("0: %d: %d", c, n));
  trayHint_ = Format("%s\r%d applications", AppTitle.c_str(), c);
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
