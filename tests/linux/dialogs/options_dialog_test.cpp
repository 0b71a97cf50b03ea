// The options dialog: its look and keys, and that the choice reaches the two options only on OK.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "linux/dialogs/qt_options_dialog.h"
#include "modal_steps.h"
#include "settings/options.h"

namespace tarvex::qt {
namespace {

QComboBox* HotKey(QDialog& dialog) {
  return dialog.findChild<QComboBox*>(QStringLiteral("edHotKey"));
}
QCheckBox* TrayBox(QDialog& dialog) {
  return dialog.findChild<QCheckBox*>(QStringLiteral("CBMinimizeToTray"));
}

}  // namespace

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  QWidget mainWindow_;
  QtOptionsDialog view_{&mainWindow_};

 private slots:
  void init() { mainWindow_.show(); }

  void looksAsDesignedWithTheOptionsShown() {
    HotKeyCode = 5;
    MinimizeToTray = true;
    QString title, shown, focusAfterAccessKey;
    QStringList items, order;
    bool checked = false, editable = true, okDefault = false, clean = false, framed = false;
    WhenModal(QStringLiteral("DlgOptions"), [&](QDialog& dialog) {
      title = dialog.windowTitle();
      for (int i = 0; i < HotKey(dialog)->count(); ++i) items << HotKey(dialog)->itemText(i);
      shown = HotKey(dialog)->currentText();
      editable = HotKey(dialog)->isEditable();
      checked = TrayBox(dialog)->isChecked();
      order = TabOrder(dialog);
      okDefault = dialog.findChild<QPushButton*>(QStringLiteral("OKBtn"))->isDefault();
      clean = LaidOutCleanly(dialog) && dialog.minimumSize() == dialog.maximumSize();
      const QRect bevel = dialog.findChild<QFrame*>(QStringLiteral("Bevel1"))->geometry();
      framed = bevel.contains(HotKey(dialog)->geometry()) &&
               bevel.contains(TrayBox(dialog)->geometry()) &&
               bevel.contains(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->geometry());
      TrayBox(dialog)->setFocus();
      QTest::keyClick(&dialog, Qt::Key_K, Qt::AltModifier);
      const QWidget* focus = QApplication::focusWidget();
      focusAfterAccessKey = focus != nullptr ? focus->objectName() : QString();
      QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QVERIFY(!ShowOptionsDialog(view_));
    QCOMPARE(title, QStringLiteral("Options"));
    QCOMPARE(items, (QStringList{"None", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9",
                                 "F10", "F11", "F12"}));
    QCOMPARE(shown, QStringLiteral("F5"));
    QVERIFY(!editable);
    QVERIFY(checked);
    QCOMPARE(order, (QStringList{"edHotKey", "CBMinimizeToTray", "OKBtn", "CancelBtn"}));
    QVERIFY(okDefault);
    QVERIFY(clean);
    QVERIFY(framed);
    QCOMPARE(focusAfterAccessKey, QStringLiteral("edHotKey"));
  }

  void okHandsTheChoiceBackAndCancelKeepsTheOptions() {
    HotKeyCode = 0;
    MinimizeToTray = true;
    WhenModal(QStringLiteral("DlgOptions"), [](QDialog& dialog) {
      HotKey(dialog)->setCurrentIndex(12);
      QTest::mouseClick(TrayBox(dialog), Qt::LeftButton);
      QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("CancelBtn")),
                        Qt::LeftButton);
    });
    QVERIFY(!ShowOptionsDialog(view_));
    QCOMPARE(HotKeyCode, std::uint8_t{0});
    QVERIFY(MinimizeToTray);

    WhenModal(QStringLiteral("DlgOptions"), [](QDialog& dialog) {
      QTest::keyClick(HotKey(dialog), Qt::Key_End);  // the last item, F12
      QTest::keyClick(&dialog, Qt::Key_T, Qt::AltModifier);
      QTRY_VERIFY(!TrayBox(dialog)->isChecked());  // an access key clicks the box
      QTest::keyClick(HotKey(dialog), Qt::Key_Return);
    });
    QVERIFY(ShowOptionsDialog(view_));
    QCOMPARE(HotKeyCode, std::uint8_t{12});
    QVERIFY(!MinimizeToTray);
  }

  void aHandEditedHotKeyShowsNoItemAndOkStores255() {
    HotKeyCode = 200;
    int shownIndex = 0;
    WhenModal(QStringLiteral("DlgOptions"), [&](QDialog& dialog) {
      shownIndex = HotKey(dialog)->currentIndex();
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    QVERIFY(ShowOptionsDialog(view_));
    QCOMPARE(shownIndex, -1);
    QCOMPARE(HotKeyCode, std::uint8_t{255});
  }
};

}  // namespace tarvex::qt

QTEST_MAIN(tarvex::qt::OptionsDialogTest)
#include "options_dialog_test.moc"
