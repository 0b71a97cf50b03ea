// The icon's presses and releases become the tray icon's mouse events: the double click takes the
// place of the second press only when it comes soon, close by and with the same button.
#include <QTest>

#include "linux/tray/tray_mouse_events.h"

Q_DECLARE_METATYPE(tarvex::TrayMouseEvent)

namespace tarvex::qt::test {
namespace {

constexpr std::uint32_t kInterval = 500;
constexpr int kDistance = 4;
constexpr auto kLeft = TMouseButton::mbLeft;
constexpr auto kRight = TMouseButton::mbRight;
constexpr auto kMiddle = TMouseButton::mbMiddle;

}  // namespace

class TrayMouseEventsTest : public QObject {
  Q_OBJECT

 private slots:
  void eachButtonHasItsOwnEvents() {
    TrayMouseEvents events(kInterval, kDistance);
    QCOMPARE(events.Pressed(kLeft, 0, 0, 0), TrayMouseEvent::kLeftDown);
    QCOMPARE(events.Released(kLeft), TrayMouseEvent::kLeftUp);
    QCOMPARE(events.Pressed(kRight, 1000, 0, 0), TrayMouseEvent::kRightDown);
    QCOMPARE(events.Released(kRight), TrayMouseEvent::kRightUp);
    QCOMPARE(events.Pressed(kMiddle, 2000, 0, 0), TrayMouseEvent::kMiddleDown);
    QCOMPARE(events.Released(kMiddle), TrayMouseEvent::kMiddleUp);
  }

  void secondPressSoonAndCloseIsADoubleClick_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<TrayMouseEvent>("down");
    QTest::addColumn<TrayMouseEvent>("doubleClick");
    QTest::newRow("left") << 0 << TrayMouseEvent::kLeftDown << TrayMouseEvent::kLeftDoubleClick;
    QTest::newRow("right") << 1 << TrayMouseEvent::kRightDown << TrayMouseEvent::kRightDoubleClick;
    QTest::newRow("middle") << 2 << TrayMouseEvent::kMiddleDown
                            << TrayMouseEvent::kMiddleDoubleClick;
  }
  void secondPressSoonAndCloseIsADoubleClick() {
    QFETCH(int, button);
    QFETCH(TrayMouseEvent, down);
    QFETCH(TrayMouseEvent, doubleClick);
    const auto which = static_cast<TMouseButton>(button);
    TrayMouseEvents events(kInterval, kDistance);
    QCOMPARE(events.Pressed(which, 100, 50, 50), down);
    QCOMPARE(events.Pressed(which, 100 + kInterval, 50 + kDistance, 50 - kDistance), doubleClick);
    // A third press starts a new series.
    QCOMPARE(events.Pressed(which, 700, 50, 50), down);
  }

  void pressTooLateTooFarOrAfterAnotherButtonIsPlain() {
    TrayMouseEvents events(kInterval, kDistance);
    constexpr auto kDown = TrayMouseEvent::kLeftDown;
    events.Pressed(kLeft, 100, 50, 50);
    QCOMPARE(events.Pressed(kLeft, 101 + kInterval, 50, 50), kDown);            // too late
    QCOMPARE(events.Pressed(kLeft, 700, 50 + kDistance + 1, 50), kDown);        // too far
    QCOMPARE(events.Pressed(kLeft, 800, 55, 50 + kDistance + 1), kDown);        // too far down
    QCOMPARE(events.Pressed(kRight, 900, 55, 55), TrayMouseEvent::kRightDown);  // another button
    QCOMPARE(events.Pressed(kLeft, 950, 55, 55), kDown);                        // and back
  }

  void doubleClickAcrossTheClocksWrapAround() {
    TrayMouseEvents events(kInterval, kDistance);
    events.Pressed(kLeft, 0xFFFFFF00u, 10, 10);
    QCOMPARE(events.Pressed(kLeft, 0x40u, 10, 10), TrayMouseEvent::kLeftDoubleClick);
  }
};

}  // namespace tarvex::qt::test

QTEST_APPLESS_MAIN(tarvex::qt::test::TrayMouseEventsTest)
#include "tray_mouse_events_test.moc"
