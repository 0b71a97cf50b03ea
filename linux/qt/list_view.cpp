#include "linux/qt/list_view.h"

#include <QHeaderView>
#include <QPalette>

#include "app/form_layout.h"
#include "base/scope_exit.h"
#include "linux/qt/qt_text.h"

namespace tarvex::qt {
namespace {

Qt::CheckState CheckOf(bool checked) { return checked ? Qt::Checked : Qt::Unchecked; }

}  // namespace

QtListView::QtListView(QWidget* parent) : QTreeWidget(parent) {
  // What a screen reader announces for the list, which has no label of its own.
  setAccessibleName(QStringLiteral("Applications"));
  setColumnCount(static_cast<int>(kListColumns.size()));
  for (int index = 0; index < columnCount(); ++index) {
    const ListColumn& column = kListColumns[static_cast<std::size_t>(index)];
    headerItem()->setText(index, QString::fromUtf8(column.caption));
    if (column.alignRight) headerItem()->setTextAlignment(index, Qt::AlignRight | Qt::AlignVCenter);
    setColumnWidth(index, column.width);
  }
  // A flat report list: no tree lines, no in-place editing, one whole row selected at most.
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(SingleSelection);
  setSelectionBehavior(SelectRows);
  setSortingEnabled(false);
  // The header sorts through the core, which hands the rows back in their new order.
  header()->setSectionsClickable(true);
  header()->setSectionsMovable(false);
  header()->setStretchLastSection(false);
  // The selection stays visible when the list loses the focus.
  QPalette colours = palette();
  for (const auto role : {QPalette::Highlight, QPalette::HighlightedText}) {
    colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
  }
  setPalette(colours);

  connect(header(), &QHeaderView::sectionClicked, this, [this](int column) {
    if (events_.columnClick) events_.columnClick(column);
  });
  connect(this, &QTreeWidget::itemChanged, this, &QtListView::OnItemChanged);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &QtListView::OnSelectionChanged);
}

void QtListView::BeginUpdate() {
  if (updateDepth_++ == 0) setUpdatesEnabled(false);
}

void QtListView::EndUpdate() {
  if (updateDepth_ == 0 || --updateDepth_ > 0) return;
  setUpdatesEnabled(true);
}

void QtListView::Clear() {
  const OwnChange own(*this);
  clear();
}

void QtListView::Append(const ListRow& row) {
  const OwnChange own(*this);
  InsertRow(row);
}

void QtListView::InsertRow(const ListRow& row) {
  auto* item = new QTreeWidgetItem(this, {ToQString(row.caption), ToQString(row.processId)});
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                 Qt::ItemNeverHasChildren);
  item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  item->setCheckState(0, CheckOf(row.checked));
}

void QtListView::SetChecked(int index, bool checked) {
  const OwnChange own(*this);
  if (QTreeWidgetItem* item = topLevelItem(index)) item->setCheckState(0, CheckOf(checked));
}

int QtListView::ColumnCount() const { return columnCount(); }

int QtListView::ColumnWidth(int column) const { return columnWidth(column); }

void QtListView::SetColumnWidth(int column, int width) { setColumnWidth(column, width); }

void QtListView::ShowRows(const std::vector<ListRow>& rows, int selected) {
  const OwnChange own(*this);
  BeginUpdate();
  const ScopeExit resume([this]() noexcept { EndUpdate(); });
  clear();
  for (const ListRow& row : rows) InsertRow(row);
  SelectRow(selected);
}

void QtListView::SetSelected(int index) {
  const OwnChange own(*this);
  SelectRow(index);
}

void QtListView::SelectRow(int index) {
  if (QTreeWidgetItem* item = topLevelItem(index)) {
    setCurrentItem(item);
    scrollToItem(item);
  }
}

void QtListView::OnItemChanged(QTreeWidgetItem* item, int column) {
  // The captions cannot be edited: a change the user makes is a check mark.
  if (ownChanges_ > 0 || column != 0 || !events_.itemChecked) return;
  events_.itemChecked(indexOfTopLevelItem(item), item->checkState(0) == Qt::Checked);
}

void QtListView::OnSelectionChanged() {
  if (ownChanges_ > 0 || !events_.selectItem) return;
  const QList<QTreeWidgetItem*> chosen = selectedItems();
  events_.selectItem(chosen.isEmpty() ? -1 : indexOfTopLevelItem(chosen.front()));
}

}  // namespace tarvex::qt
