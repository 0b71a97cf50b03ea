// The application list as the user sees it: its rows in their order, the check marks, the
// selection and the sort key. What the user chose stays with its windows across a refresh and a
// sort, and the list view is kept in step with every change.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/views.h"
#include "winlist/find_win.h"

namespace tarvex {

class ApplicationList {
 public:
  explicit ApplicationList(ListViewPort& view) : view_(view) {}

  const std::vector<ListRow>& Rows() const { return rows_; }
  int Selected() const { return selected_; }  // -1: nothing selected
  // Only while a row is selected.
  const ListRow& SelectedRow() const { return rows_[static_cast<std::size_t>(selected_)]; }
  // 1 caption, 2 process id; negative descending.
  int SortKey() const { return sortKey_; }
  int CheckedCount() const;
  std::vector<ListRow> CheckedRows() const;

  // Lists anew, in the window list's order, the windows a pass over the desktop finds whose
  // caption `listed` accepts. The caller brackets it with the view's updates: a pass that fails
  // half-way leaves the rows listed until then.
  void Refresh(TWinList& windows, const std::function<bool(const std::string&)>& listed);
  void SetAllChecks(bool checked);
  // Nothing checked, nothing selected.
  void DropChoices();

  // Reports from the list view.
  void ColumnClick(int column);
  void ItemChecked(int index, bool checked);
  void SelectItem(int index);  // -1: nothing selected

 private:
  ListViewPort& view_;
  std::vector<ListRow> rows_;
  int selected_ = -1;
  int sortKey_ = 1;
};

}  // namespace tarvex
