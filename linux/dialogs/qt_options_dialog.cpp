#include "linux/dialogs/qt_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "dialogs/dialog_layout.h"
#include "linux/dialogs/dialog_parts.h"

namespace tarvex::qt {
namespace {

namespace layout = options_layout;

// The layout as designed. A control whose text needs more room in this font than designed grows,
// and what stands right of it moves along.
constexpr QRect kBevel = ToRect(layout::kBevel);
constexpr QRect kLabel = ToRect(layout::kLabel);
constexpr QRect kHotKey = ToRect(layout::kHotKey);
constexpr QRect kMinimizeToTray = ToRect(layout::kMinimizeToTray);
constexpr QRect kOk = ToRect(layout::kOk);
constexpr QRect kCancel = ToRect(layout::kCancel);
// The room inside the frame right of the list and below the box, between the frame and the
// buttons, and the dialog's margins right of the buttons and below the frame.
constexpr int kBevelPadding = kBevel.right() - kHotKey.right();
constexpr int kBevelBottomPadding = kBevel.bottom() - kMinimizeToTray.bottom();
constexpr int kBevelToButtons = kOk.left() - (kBevel.right() + 1);
constexpr int kMargin = layout::kClientWidth - (kOk.right() + 1);
constexpr int kBottomMargin = layout::kClientHeight - (kBevel.bottom() + 1);
constexpr int kLabelToList = kHotKey.left() - (kLabel.right() + 1);

QRect Grown(QRect frame, QSize hint) {
  frame.setWidth(std::max(frame.width(), hint.width()));
  frame.setHeight(std::max(frame.height(), hint.height()));
  return frame;
}

class OptionsWindow final : public QDialog {
 public:
  OptionsWindow(const TDlgOptions& logic, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("DlgOptions"));
    // The label first: its access key moves the focus to the list after it.
    auto* label = new QLabel(QStringLiteral("Hot &key:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setGeometry(Grown(kLabel, label->sizeHint()));

    hotKey_ = new QComboBox(this);
    hotKey_->setObjectName(QStringLiteral("edHotKey"));
    hotKey_->setEditable(false);
    for (const char* item : kHotKeyItems) hotKey_->addItem(QString::fromLatin1(item));
    hotKey_->setMaxVisibleItems(static_cast<int>(kHotKeyItems.size()));
    hotKey_->setCurrentIndex(logic.HotKeyIndex());
    label->setBuddy(hotKey_);
    QRect listFrame = Grown(kHotKey, hotKey_->sizeHint());
    listFrame.moveLeft(std::max(kHotKey.left(), label->geometry().right() + 1 + kLabelToList));
    hotKey_->setGeometry(listFrame);

    minimizeToTray_ = new QCheckBox(QStringLiteral("Minimize to &tray"), this);
    minimizeToTray_->setObjectName(QStringLiteral("CBMinimizeToTray"));
    minimizeToTray_->setChecked(logic.MinimizeToTrayChecked());
    minimizeToTray_->setGeometry(Grown(kMinimizeToTray, minimizeToTray_->sizeHint()));

    const int contentRight =
        std::max(hotKey_->geometry().right(), minimizeToTray_->geometry().right()) + 1;
    QRect bevel = kBevel;
    bevel.setRight(std::max(kBevel.right(), contentRight + kBevelPadding - 1));
    bevel.setBottom(
        std::max(kBevel.bottom(), minimizeToTray_->geometry().bottom() + kBevelBottomPadding));
    AddBevel(*this, bevel);

    const int buttonsLeft = bevel.right() + 1 + kBevelToButtons;
    const OkCancel buttons = AddOkCancel(*this, QRect(QPoint(buttonsLeft, kOk.top()), kOk.size()),
                                         QRect(QPoint(buttonsLeft, kCancel.top()), kCancel.size()));
    setTabOrder(hotKey_, minimizeToTray_);
    setTabOrder(minimizeToTray_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
    MakeFixedDialog(*this, QStringLiteral("Options"),
                    QSize(buttonsLeft + kOk.width() + kMargin, bevel.bottom() + 1 + kBottomMargin));
    CentreOnParent(*this);
    hotKey_->setFocus();
  }

  // The dialog's values go back into the logic only when it closed with OK.
  bool Run(TDlgOptions& logic) {
    if (exec() != QDialog::Accepted) return false;
    logic.SetHotKeyIndex(hotKey_->currentIndex());
    logic.SetMinimizeToTrayChecked(minimizeToTray_->isChecked());
    return true;
  }

 private:
  QComboBox* hotKey_ = nullptr;
  QCheckBox* minimizeToTray_ = nullptr;
};

}  // namespace

bool QtOptionsDialog::ShowModal(TDlgOptions& dialog) {
  OptionsWindow window(dialog, parent_);
  return window.Run(dialog);
}

}  // namespace tarvex::qt
