#include "app/application_list.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "app/list_compare.h"
#include "base/scope_exit.h"

namespace tarvex {

int ApplicationList::CheckedCount() const {
  return static_cast<int>(
      std::count_if(rows_.begin(), rows_.end(), [](const ListRow& row) { return row.checked; }));
}

std::vector<ListRow> ApplicationList::CheckedRows() const {
  std::vector<ListRow> checked;
  std::copy_if(rows_.begin(), rows_.end(), std::back_inserter(checked),
               [](const ListRow& row) { return row.checked; });
  return checked;
}

void ApplicationList::Refresh(TWinList& windows,
                              const std::function<bool(const std::string&)>& listed) {
  // What the user chose stays with the windows that are still listed: same handle, same
  // creator. Their captions may have changed.
  std::unordered_map<WinHandle, ListRow> chosen;
  const WinHandle selectedWindow = selected_ >= 0 ? SelectedRow().handle : 0;
  for (const ListRow& row : rows_) {
    if (row.checked || row.handle == selectedWindow) chosen.emplace(row.handle, row);
  }
  rows_.clear();
  selected_ = -1;
  view_.Clear();
  windows.Refresh();
  const TWindowList& found = windows.WindowList();
  for (int i = 0; i < found.Count(); ++i) {
    const std::string& caption = found.Strings(i);
    if (!listed(caption)) continue;
    const TWinInfo& entry = found.Objects(i);
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
    view_.Append(rows_.back());
  }
  if (selected_ >= 0) view_.SetSelected(selected_);
}

void ApplicationList::SetAllChecks(bool checked) {
  view_.BeginUpdate();
  const ScopeExit resume([this]() noexcept { view_.EndUpdate(); });
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    rows_[i].checked = checked;
    view_.SetChecked(static_cast<int>(i), checked);
  }
}

void ApplicationList::DropChoices() {
  for (ListRow& row : rows_) row.checked = false;
  selected_ = -1;
}

void ApplicationList::ColumnClick(int column) {
  sortKey_ = SortKeyAfterClick(sortKey_, column);
  // The selection and the checks travel with their rows.
  std::vector<std::size_t> order(rows_.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return ListView1Compare(rows_[a], rows_[b], sortKey_) < 0;
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
  view_.ShowRows(rows_, selected_);
}

void ApplicationList::ItemChecked(int index, bool checked) {
  if (index < 0 || index >= static_cast<int>(rows_.size())) return;
  rows_[static_cast<std::size_t>(index)].checked = checked;
}

void ApplicationList::SelectItem(int index) {
  selected_ = (index >= 0 && index < static_cast<int>(rows_.size())) ? index : -1;
}

}  // namespace tarvex
