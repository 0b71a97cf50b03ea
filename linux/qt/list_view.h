// The application list: a report list with check boxes that shows the rows the core hands it,
// in the core's order, and reports the user's clicks back. It never sorts on its own.
#pragma once

#include <QTreeWidget>
#include <functional>

#include "app/views.h"

namespace tarvex::qt {

struct ListViewEvents {
  std::function<void(int column)> columnClick;
  std::function<void(int index, bool checked)> itemChecked;
  std::function<void(int index)> selectItem;  // -1: nothing selected
};

class QtListView final : public QTreeWidget, public ListViewPort {
 public:
  explicit QtListView(QWidget* parent);

  void SetEvents(ListViewEvents events) { events_ = std::move(events); }

  void BeginUpdate() override;
  void EndUpdate() override;
  void Clear() override;
  void Append(const ListRow& row) override;
  void SetChecked(int index, bool checked) override;
  void SetSelected(int index) override;
  int ColumnCount() const override;
  int ColumnWidth(int column) const override;
  void SetColumnWidth(int column, int width) override;
  void ShowRows(const std::vector<ListRow>& rows, int selected) override;

 private:
  // Changes the program makes are not the user's: their notifications are not reported.
  class OwnChange {
   public:
    explicit OwnChange(QtListView& view) : view_(view) { ++view_.ownChanges_; }
    ~OwnChange() { --view_.ownChanges_; }
    OwnChange(const OwnChange&) = delete;
    OwnChange& operator=(const OwnChange&) = delete;

   private:
    QtListView& view_;
  };

  void InsertRow(const ListRow& row);
  void SelectRow(int index);
  void OnItemChanged(QTreeWidgetItem* item, int column);
  void OnSelectionChanged();

  ListViewEvents events_;
  int ownChanges_ = 0;
  int updateDepth_ = 0;
};

}  // namespace tarvex::qt
