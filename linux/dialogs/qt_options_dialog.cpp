#include "linux/dialogs/qt_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "linux/dialogs/dialog_parts.h"

namespace tarvex::qt {
namespace {

// The layout as designed, in pixels at 96 dots per inch. A control whose text needs more room
// in this font than designed grows, and what stands right of it moves along.
constexpr QRect kBevel(8, 8, 125, 69);
constexpr QRect kLabel(20, 24, 41, 13);
constexpr QRect kHotKey(68, 20, 53, 21);
constexpr QRect kMinimizeToTray(20, 48, 97, 17);
constexpr QSize kButton(75, 25);
constexpr int kButtonsTop = 8;
constexpr int kButtonsGap = 3;
// The room inside the frame right of the list and below the box.
constexpr int kBevelPadding = kBevel.right() - kHotKey.right();
constexpr int kBevelBottomPadding = kBevel.bottom() - kMinimizeToTray.bottom();
constexpr int kBevelToButtons = 144 - (kBevel.right() + 1);
constexpr int kMargin = 8;
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
    const OkCancel buttons = AddOkCancel(
        *this, QRect(QPoint(buttonsLeft, kButtonsTop), kButton),
        QRect(QPoint(buttonsLeft, kButtonsTop + kButton.height() + kButtonsGap), kButton));
    setTabOrder(hotKey_, minimizeToTray_);
    setTabOrder(minimizeToTray_, buttons.ok);
    setTabOrder(buttons.ok, buttons.cancel);
    MakeFixedDialog(*this, QStringLiteral("Options"),
                    QSize(buttonsLeft + kButton.width() + kMargin, bevel.bottom() + 1 + 7));
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
