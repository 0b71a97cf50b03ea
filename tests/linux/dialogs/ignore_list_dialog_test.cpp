// The ignore list dialog as a user meets it: its look and keys, and that each click reaches the
// core's dialog object, through the nested input box, and the result comes back.
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "linux/dialogs/qt_ignore_list_dialog.h"
#include "linux/dialogs/qt_input_box.h"
#include "modal_steps.h"
#include "settings/ignore_list.h"

namespace tarvex::qt {
namespace {

class AsciiCollation final : public TextCollation {
 public:
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override {
    if (failing) throw std::runtime_error("collation failed");
    const QString left = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    return left.compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                        Qt::CaseInsensitive);
  }
  bool failing = false;
};

// The error box: what it said, and whether the dialog was still open under it.
class RecordingBoxes final : public MessageBoxes {
 public:
  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind) override {
    const QWidget* under = QApplication::activeModalWidget();
    shown.push_back(caption + ": " + text + (under != nullptr ? " over " : " over nothing") +
                    (under != nullptr ? under->objectName().toStdString() : ""));
    return BoxAnswer::kOk;
  }
  std::vector<std::string> shown;
};

QStringList Shown(QDialog& dialog) {
  QStringList texts;
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
  for (int row = 0; row < list->count(); ++row) texts << list->item(row)->text();
  return texts;
}

QPushButton* Button(QDialog& dialog, const char* name) {
  return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Answers the next input box: what it showed ("caption|prompt|initial|selected"), then types
// `typed` over the selection and presses `key`.
void AnswerInputBox(QString& shown, const QString& typed, Qt::Key key) {
  WhenModal(QStringLiteral("InputBox"), [&shown, typed, key](QDialog& box) {
    auto* field = box.findChild<QLineEdit*>(QStringLiteral("Edit"));
    shown = box.windowTitle() + "|" +
            box.findChild<QWidget*>("Prompt")->property("text").toString() + "|" + field->text() +
            "|" + field->selectedText();
    QTest::keyClicks(field, typed);
    QTest::keyClick(field, key);
  });
}

void SelectRow(QDialog& dialog, int row) {
  auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(row)).center());
}

}  // namespace

class IgnoreListDialogTest : public QObject {
  Q_OBJECT

 private:
  AsciiCollation collation_;
  QWidget mainWindow_;
  QtInputBox inputBox_{&mainWindow_};
  RecordingBoxes boxes_;
  QtIgnoreListDialog view_{&mainWindow_, FailureSink(boxes_)};

  bool Show() { return ShowIgnoreListDialog(collation_, inputBox_, view_); }

 private slots:
  void init() {
    collation_.failing = false;
    boxes_.shown.clear();
    mainWindow_.resize(400, 300);
    mainWindow_.show();
  }

  void looksAsDesignedAndEscCancels() {
    IgnoreList.Replace({"xterm", "Clock"});
    QStringList order, entries;
    QString title, focus;
    bool fixed = false, okDefault = false, modifyEnabled = true, removeEnabled = true,
         clean = false;
    WhenModal(QStringLiteral("DlgIgnoreList"), [&](QDialog& dialog) {
      title = dialog.windowTitle();
      fixed = dialog.minimumSize() == QSize(359, 214) && dialog.maximumSize() == QSize(359, 214);
      order = TabOrder(dialog);
      entries = Shown(dialog);
      okDefault = Button(dialog, "OKBtn")->isDefault();
      modifyEnabled = Button(dialog, "Button2")->isEnabled();
      removeEnabled = Button(dialog, "Button3")->isEnabled();
      focus = QApplication::focusWidget()->objectName();
      clean = LaidOutCleanly(dialog);
      QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    QVERIFY(!Show());
    QCOMPARE(title, QStringLiteral("Ignore List"));
    QVERIFY(fixed);
    QVERIFY(clean);
    QCOMPARE(order,
             (QStringList{"ListBox1", "Button1", "Button2", "Button3", "OKBtn", "CancelBtn"}));
    QCOMPARE(entries, (QStringList{"Clock", "xterm"}));
    QVERIFY(okDefault);
    QVERIFY(!modifyEnabled);
    QVERIFY(!removeEnabled);
    QCOMPARE(focus, QStringLiteral("ListBox1"));
    QCOMPARE(IgnoreList.Entries(), (std::vector<std::string>{"xterm", "Clock"}));
  }

  void addModifyRemoveReachTheCoreAndOkHandsTheListBack() {
    IgnoreList.Replace({"xterm"});
    QString askedAdd, askedModify, focusAfterRemove;
    QStringList afterAdd, afterModify, afterRemove;
    bool modifyAfterSelect = false, modifyAfterRemove = true;
    WhenModal(QStringLiteral("DlgIgnoreList"), [&](QDialog& dialog) {
      AnswerInputBox(askedAdd, QStringLiteral("  Clock  "), Qt::Key_Return);
      QTest::mouseClick(Button(dialog, "Button1"), Qt::LeftButton);
      afterAdd = Shown(dialog);

      SelectRow(dialog, 1);
      modifyAfterSelect = Button(dialog, "Button2")->isEnabled();
      AnswerInputBox(askedModify, QStringLiteral("Zed"), Qt::Key_Return);
      QTest::mouseClick(Button(dialog, "Button2"), Qt::LeftButton);
      afterModify = Shown(dialog);

      // The dialog has the keyboard again once the input box is gone.
      QVERIFY(QTest::qWaitForWindowActive(&dialog));
      Button(dialog, "Button3")->setFocus();
      QTest::keyClick(Button(dialog, "Button3"), Qt::Key_Space);
      afterRemove = Shown(dialog);
      modifyAfterRemove = Button(dialog, "Button2")->isEnabled();
      QWidget* focus = QApplication::focusWidget();
      QVERIFY(focus != nullptr);
      focusAfterRemove = focus->objectName();
      // Enter on the list presses the default button.
      QTest::keyClick(focus, Qt::Key_Return);
    });
    QVERIFY(Show());
    QCOMPARE(askedAdd, QStringLiteral("Add|Caption:||"));
    QCOMPARE(afterAdd, (QStringList{"Clock", "xterm"}));
    QVERIFY(modifyAfterSelect);
    QCOMPARE(askedModify, QStringLiteral("Modify|Caption:|xterm|xterm"));
    QCOMPARE(afterModify, (QStringList{"Clock", "Zed"}));
    QCOMPARE(afterRemove, (QStringList{"Clock"}));
    QVERIFY(!modifyAfterRemove);
    QCOMPARE(focusAfterRemove, QStringLiteral("ListBox1"));
    QCOMPARE(IgnoreList.Entries(), (std::vector<std::string>{"Clock"}));
  }

  void cancelledInputAndCancelChangeNothing() {
    IgnoreList.Replace({"xterm"});
    QString asked;
    QStringList afterCancelledAdd;
    WhenModal(QStringLiteral("DlgIgnoreList"), [&](QDialog& dialog) {
      AnswerInputBox(asked, QStringLiteral("Clock"), Qt::Key_Escape);
      QTest::mouseClick(Button(dialog, "Button1"), Qt::LeftButton);
      afterCancelledAdd = Shown(dialog);
      AnswerInputBox(asked, QStringLiteral("Clock"), Qt::Key_Return);
      QTest::mouseClick(Button(dialog, "Button1"), Qt::LeftButton);
      QTest::mouseClick(Button(dialog, "CancelBtn"), Qt::LeftButton);
    });
    QVERIFY(!Show());
    QCOMPARE(afterCancelledAdd, (QStringList{"xterm"}));
    QCOMPARE(IgnoreList.Entries(), (std::vector<std::string>{"xterm"}));
  }

  void aFailureInAStepShowsTheErrorBoxAndKeepsTheDialogWithItsEdits() {
    IgnoreList.Replace({"xterm"});
    QString asked;
    QStringList afterFailure;
    bool stillOpen = false;
    WhenModal(QStringLiteral("DlgIgnoreList"), [&](QDialog& dialog) {
      AnswerInputBox(asked, QStringLiteral("Clock"), Qt::Key_Return);
      QTest::mouseClick(Button(dialog, "Button1"), Qt::LeftButton);
      collation_.failing = true;
      AnswerInputBox(asked, QStringLiteral("Zed"), Qt::Key_Return);
      QTest::mouseClick(Button(dialog, "Button1"), Qt::LeftButton);
      stillOpen = QApplication::activeModalWidget() == &dialog;
      afterFailure = Shown(dialog);
      collation_.failing = false;
      QTest::mouseClick(Button(dialog, "OKBtn"), Qt::LeftButton);
    });
    QVERIFY(Show());
    QCOMPARE(boxes_.shown,
             (std::vector<std::string>{"Error: collation failed over DlgIgnoreList"}));
    QVERIFY(stillOpen);
    QCOMPARE(afterFailure, (QStringList{"Clock", "xterm"}));
    QCOMPARE(IgnoreList.Entries(), (std::vector<std::string>{"Clock", "xterm"}));
  }
};

}  // namespace tarvex::qt

QTEST_MAIN(tarvex::qt::IgnoreListDialogTest)
#include "ignore_list_dialog_test.moc"
