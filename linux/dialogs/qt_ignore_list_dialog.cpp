#include "linux/dialogs/qt_ignore_list_dialog.h"

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include "dialogs/dialog_layout.h"
#include "linux/dialogs/dialog_parts.h"
#include "linux/qt/guarded_call.h"

namespace tarvex::qt {
namespace {

namespace layout = ignore_list_layout;

class IgnoreListWindow final : public QDialog {
 public:
  IgnoreListWindow(TDlgIgnoreList& logic, QWidget* parent, FailureSink failures)
      : QDialog(parent), logic_(logic), failures_(failures) {
    setObjectName(QStringLiteral("DlgIgnoreList"));
    MakeFixedDialog(*this, QStringLiteral("Ignore List"),
                    QSize(layout::kClientWidth, layout::kClientHeight));
    AddBevel(*this, ToRect(layout::kBevel));
    // The list's own sunken frame is the lowered panel that holds it.
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setAccessibleName(QStringLiteral("Ignored captions"));
    list_->setGeometry(ToRect(layout::kPanel));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    add_ = AddPushButton(*this, QStringLiteral("A&dd"), ToRect(layout::kAdd), "Button1");
    modify_ = AddPushButton(*this, QStringLiteral("&Modify"), ToRect(layout::kModify), "Button2");
    remove_ = AddPushButton(*this, QStringLiteral("Remo&ve"), ToRect(layout::kRemove), "Button3");
    const OkCancel buttons = AddOkCancel(*this, ToRect(layout::kOk), ToRect(layout::kCancel));
    setTabOrder(list_, add_);
    setTabOrder(add_, modify_);
    setTabOrder(modify_, remove_);
    setTabOrder(remove_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);

    connect(list_, &QListWidget::itemSelectionChanged, this, [this] {
      RunGuarded(failures_, [this] {
        const QList<QListWidgetItem*> selected = list_->selectedItems();
        logic_.ListBox1Select(selected.isEmpty() ? -1 : list_->row(selected.front()));
        ShowActionStates();
      });
    });
    connect(add_, &QPushButton::clicked, this, [this] {
      RunGuarded(failures_, [this] {
        logic_.ActAddExecute();
        ShowEntries();
      });
    });
    connect(modify_, &QPushButton::clicked, this, [this] {
      RunGuarded(failures_, [this] {
        if (!logic_.ActModifyEnabled()) return;
        logic_.ActModifyExecute();
        ShowEntries();
      });
    });
    connect(remove_, &QPushButton::clicked, this, [this] {
      RunGuarded(failures_, [this] {
        if (!logic_.ActRemoveEnabled()) return;
        logic_.ActRemoveExecute();
        ShowEntries();
      });
    });

    CentreOnParent(*this);
    ShowEntries();
    list_->setFocus();
  }

  bool Run() { return exec() == QDialog::Accepted; }

 private:
  // The list anew from the core, in its order, keeping the part of it in view.
  void ShowEntries() {
    const int top = list_->verticalScrollBar()->value();
    {
      const QSignalBlocker quiet(list_);
      list_->clear();
      for (const std::string& entry : logic_.Entries()) list_->addItem(FromText(entry));
      list_->setCurrentRow(logic_.Selected());
      if (logic_.Selected() < 0) list_->clearSelection();
    }
    list_->verticalScrollBar()->setValue(top);
    if (logic_.Selected() >= 0) list_->scrollToItem(list_->item(logic_.Selected()));
    ShowActionStates();
  }

  void ShowActionStates() {
    const QWidget* focus = focusWidget();
    modify_->setEnabled(logic_.ActModifyEnabled());
    remove_->setEnabled(logic_.ActRemoveEnabled());
    // A button that has just been disabled hands the keyboard to the list, not to whatever
    // follows it (OK, where Enter would close the dialog).
    if (focus == nullptr || !focus->isEnabled()) list_->setFocus();
  }

  TDlgIgnoreList& logic_;
  // A failed step shows the error box over the dialog, which stays open with the user's edits,
  // as a dialog of the system does.
  FailureSink failures_;
  QListWidget* list_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* modify_ = nullptr;
  QPushButton* remove_ = nullptr;
};

}  // namespace

bool QtIgnoreListDialog::ShowModal(TDlgIgnoreList& dialog) {
  IgnoreListWindow window(dialog, parent_, failures_);
  return window.Run();
}

}  // namespace tarvex::qt
