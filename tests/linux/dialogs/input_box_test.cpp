// The input box: its look and keys, the limit of 255 bytes as stored, and the text it hands back.
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "linux/dialogs/qt_input_box.h"
#include "modal_steps.h"

namespace tarvex::qt {

class InputBoxTest : public QObject {
  Q_OBJECT

 private:
  QtInputBox box_{nullptr};

  static QLineEdit* Field(QDialog& box) {
    return box.findChild<QLineEdit*>(QStringLiteral("Edit"));
  }

 private slots:
  void looksAsDesignedAndEnterGivesTheText() {
    QString title, prompt, selected;
    QStringList order;
    bool okDefault = false, clean = false, centred = false, promptAboveField = false;
    WhenModal(QStringLiteral("InputBox"), [&](QDialog& box) {
      title = box.windowTitle();
      prompt = box.findChild<QWidget*>(QStringLiteral("Prompt"))->property("text").toString();
      selected = Field(box)->selectedText();
      order = TabOrder(box);
      okDefault = box.findChild<QPushButton*>(QStringLiteral("OKBtn"))->isDefault();
      clean = LaidOutCleanly(box);
      const QPoint middle = box.geometry().center();
      const QPoint screen = QGuiApplication::primaryScreen()->geometry().center();
      // Placed before its frame is known: off by the frame's width at most.
      centred = (middle - screen).manhattanLength() <= 8;
      promptAboveField = box.findChild<QWidget*>(QStringLiteral("Prompt"))->geometry().bottom() <
                         Field(box)->geometry().top();
      QTest::keyClicks(Field(box), QStringLiteral("new"));
      QTest::keyClick(Field(box), Qt::Key_Return);
    });
    const auto answer = box_.Ask("Modify", "Caption:", "old text");
    QCOMPARE(title, QStringLiteral("Modify"));
    QCOMPARE(prompt, QStringLiteral("Caption:"));
    QCOMPARE(selected, QStringLiteral("old text"));
    QCOMPARE(order, (QStringList{"Edit", "OKBtn", "CancelBtn"}));
    QVERIFY(okDefault);
    QVERIFY(clean);
    QVERIFY(centred);
    QVERIFY(promptAboveField);
    QCOMPARE(answer, std::optional<std::string>("new"));

    // Texts are UTF-8 both ways.
    const std::string accented = "Caf\xC3\xA9 \xE2\x80\x93 Gr\xC3\xBC\xC3\x9F";
    WhenModal(QStringLiteral("InputBox"), [](QDialog& box) { box.accept(); });
    QCOMPARE(box_.Ask("Modify", "Caption:", accented), std::optional<std::string>(accented));
  }

  void escCancelAndTheCloseBoxGiveNothing() {
    for (const auto& close : std::initializer_list<std::function<void(QDialog&)>>{
             [](QDialog& box) { QTest::keyClick(Field(box), Qt::Key_Escape); },
             [](QDialog& box) {
               QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("CancelBtn")),
                                 Qt::LeftButton);
             },
             [](QDialog& box) { box.close(); }}) {
      WhenModal(QStringLiteral("InputBox"), [close](QDialog& box) {
        QTest::keyClicks(Field(box), QStringLiteral("typed"));
        close(box);
      });
      QVERIFY(!box_.Ask("Add", "Caption:", "").has_value());
    }
  }

  void atMost255BytesOfUtf8CanBeTypedButALongerEntryIsKeptWhole() {
    WhenModal(QStringLiteral("InputBox"), [](QDialog& box) {
      QTest::keyClicks(Field(box), QString(300, QLatin1Char('a')));
      QTest::keyClick(Field(box), Qt::Key_Return);
    });
    const auto typed = box_.Ask("Add", "Caption:", "");
    QVERIFY(typed.has_value());
    QCOMPARE(typed->size(), std::size_t{255});

    // What counts is what the settings file stores: two bytes each, and no letter cut in half.
    WhenModal(QStringLiteral("InputBox"), [](QDialog& box) {
      for (int i = 0; i < 200; ++i) {
        QTest::sendKeyEvent(QTest::Click, Field(box), Qt::Key_Eacute, QString(QChar(0xE9)),
                            Qt::NoModifier);
      }
      QTest::keyClick(Field(box), Qt::Key_Return);
    });
    const auto accented = box_.Ask("Add", "Caption:", "");
    QVERIFY(accented.has_value());
    QCOMPARE(QString::fromStdString(*accented), QString(127, QChar(0xE9)));

    // Written into the settings file by hand; OK without a change must not cut it.
    const std::string handWritten(300, 'b');
    WhenModal(QStringLiteral("InputBox"), [](QDialog& box) {
      QTest::keyClick(Field(box), Qt::Key_End);
      QTest::keyClicks(Field(box), QStringLiteral("more"));
      QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("OKBtn")), Qt::LeftButton);
    });
    QCOMPARE(box_.Ask("Modify", "Caption:", handWritten), std::optional<std::string>(handWritten));
  }

  void aLongPromptWrapsAndPushesTheFieldDown() {
    int lines = 0;
    bool clean = false;
    WhenModal(QStringLiteral("InputBox"), [&](QDialog& box) {
      const QWidget* prompt = box.findChild<QWidget*>(QStringLiteral("Prompt"));
      lines = prompt->height() / box.fontMetrics().height();
      clean = LaidOutCleanly(box);
      box.reject();
    });
    box_.Ask("Add", std::string(20, 'w') + " " + std::string(20, 'w') + " words to wrap", "");
    QVERIFY(lines >= 2);
    QVERIFY(clean);
  }
};

}  // namespace tarvex::qt

QTEST_MAIN(tarvex::qt::InputBoxTest)
#include "input_box_test.moc"
