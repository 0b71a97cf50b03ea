// The Qt services the core uses: message boxes, timers, text comparison and the pictures.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "base/errors.h"
#include "linux/qt/picture_grid.h"
#include "linux/qt/qt_message_boxes.h"
#include "linux/qt/qt_text_collation.h"
#include "linux/qt/qt_timer_service.h"
#include "sim/simulated_desktop.h"

namespace tarvex::qt::testing {
namespace {

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Shows a box and closes it as the user would, telling what it showed.
SeenBox ShowAndClose(const std::string& text, const std::string& caption, BoxKind kind) {
  SeenBox seen;
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {box->windowTitle(), box->text(), box->icon()};
    box->accept();
  });
  QtMessageBoxes().Show(text, caption, kind);
  return seen;
}

std::string Grid(int pictures, const std::string& row = std::string(16, '.')) {
  std::string text = "# pictures\ncolour . none\ncolour K 000000\n";
  for (int i = 0; i < pictures; ++i) {
    text += "picture p" + std::to_string(i) + "\n";
    for (int y = 0; y < 16; ++y) text += (i == 0 && y == 3 ? row : "KKKKKKKK........") + "\n";
  }
  return text + "picture icon\n" + [] {
    std::string rows;
    for (int y = 0; y < 16; ++y) rows += std::string(16, 'K') + "\n";
    return rows;
  }();
}

void ExpectFailure(const std::string& text, const QString& part) {
  try {
    ParseActionPictures(text);
    QFAIL("a malformed picture source was taken");
  } catch (const Exception& failure) {
    QVERIFY2(QString::fromUtf8(failure.what()).contains(part), failure.what());
  }
}

}  // namespace

class ServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void messageBoxesBreakLinesAndShowTheFlagsIcon() {
    const SeenBox about = ShowAndClose("Tarvex 1.0\r\rLine", "About", BoxKind::kInformation);
    QCOMPARE(about.title, QStringLiteral("About"));
    QCOMPARE(about.text, QStringLiteral("Tarvex 1.0\n\nLine"));
    QCOMPARE(about.icon, QMessageBox::Information);

    const SeenBox error = ShowAndClose("Caf\xc3\xa9 failed.", "Error", BoxKind::kError);
    QCOMPARE(error.text, QStringLiteral("Caf\u00e9 failed."));
    QCOMPARE(error.icon, QMessageBox::Critical);
    QCOMPARE(MessageBoxText("a\r\nb"), QStringLiteral("a\nb"));
  }

  void timersFireOnlyWhenOnWithAPeriodAndReportFailures() {
    sim::SimulatedDesktop boxes;
    QtTimerService service{FailureSink(boxes)};
    int fired = 0;
    const auto timer = service.CreateTimer([&fired] {
      if (++fired == 2) throw std::runtime_error("Tick failed");
    });
    timer->SetInterval(5);
    QTest::qWait(40);
    QCOMPARE(fired, 0);  // created switched off

    timer->SetEnabled(true);
    QTRY_VERIFY(fired >= 3);  // a failing tick does not stop the timer
    QCOMPARE(boxes.boxes.size(), std::size_t{1});
    QCOMPARE(boxes.boxes[0].text, std::string("Tick failed"));

    timer->SetInterval(0);
    const int before = fired;
    QTest::qWait(40);
    QCOMPARE(fired, before);
  }

  void collationIgnoresCaseInTheLocale() {
    const QtTextCollation collation;
    QCOMPARE(collation.CompareIgnoreCase("Notepad", "NOTEPAD"), 0);
    QVERIFY(collation.CompareIgnoreCase("apple", "Banana") < 0);
    QVERIFY(collation.CompareIgnoreCase("Banana", "apple") > 0);
    QVERIFY(collation.CompareIgnoreCase("\xc3\xa9t\xc3\xa9", "\xc3\x89T\xc3\x89") == 0);
    QVERIFY(collation.CompareIgnoreCase("", "a") < 0);
  }

  void picturesComeFromTheGridSource() {
    const std::vector<QImage>& pictures = ActionPictures();
    QCOMPARE(pictures.size(), std::size_t{12});
    for (const QImage& picture : pictures) {
      QCOMPARE(picture.size(), QSize(16, 16));
      QCOMPARE(qAlpha(picture.pixel(0, 0)), 0);  // every picture leaves its corner clear
    }

    const std::vector<QImage> parsed = ParseActionPictures(Grid(12));
    QCOMPARE(parsed.size(), std::size_t{12});
    QCOMPARE(parsed[0].pixel(0, 0), qRgb(0, 0, 0));
    QCOMPARE(qAlpha(parsed[0].pixel(15, 0)), 0);

    ExpectFailure(Grid(11), QStringLiteral("11 action pictures"));
    ExpectFailure(Grid(12, std::string(15, '.')), QStringLiteral("line 8"));
    ExpectFailure(Grid(12, std::string(15, '.') + "Z"), QStringLiteral("no colour for Z"));
    ExpectFailure("colour K 00000g\n", QStringLiteral("line 1"));
    ExpectFailure("KKKKKKKKKKKKKKKK\n", QStringLiteral("outside a picture"));
    ExpectFailure("colour . none\npicture short\n................\n",
                  QStringLiteral("short has fewer than 16 rows"));
  }
};

}  // namespace tarvex::qt::testing

QTEST_MAIN(tarvex::qt::testing::ServicesTest)
#include "services_test.moc"
