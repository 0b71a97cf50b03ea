// The icon's presses and releases become the Windows shell's notifications: the double click
// takes the place of the second press only when it comes soon, close by and with the same button.
#include <QTest>

#include "linux/tray/tray_mouse_messages.h"

namespace tarvex::qt::test {
namespace {

constexpr std::uint32_t kInterval = 500;
constexpr int kDistance = 4;
constexpr auto kLeft = TrayMouseButton::kLeft;
constexpr auto kRight = TrayMouseButton::kRight;
constexpr auto kMiddle = TrayMouseButton::kMiddle;

}  // namespace

class TrayMouseMessagesTest : public QObject {
  Q_OBJECT

 private slots:
  void buttonsHaveTheShellsCodes() {
    TrayMouseMessages messages(kInterval, kDistance);
    QCOMPARE(messages.Pressed(kLeft, 0, 0, 0), 0x201u);
    QCOMPARE(messages.Released(kLeft), 0x202u);
    QCOMPARE(messages.Pressed(kRight, 1000, 0, 0), 0x204u);
    QCOMPARE(messages.Released(kRight), 0x205u);
    QCOMPARE(messages.Pressed(kMiddle, 2000, 0, 0), 0x207u);
    QCOMPARE(messages.Released(kMiddle), 0x208u);
  }

  void secondPressSoonAndCloseIsADoubleClick_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<std::uint32_t>("down");
    QTest::newRow("left") << 0 << 0x201u;
    QTest::newRow("right") << 1 << 0x204u;
    QTest::newRow("middle") << 2 << 0x207u;
  }
  void secondPressSoonAndCloseIsADoubleClick() {
    QFETCH(int, button);
    QFETCH(std::uint32_t, down);
    const auto which = static_cast<TrayMouseButton>(button);
    TrayMouseMessages messages(kInterval, kDistance);
    QCOMPARE(messages.Pressed(which, 100, 50, 50), down);
    QCOMPARE(messages.Pressed(which, 100 + kInterval, 50 + kDistance, 50 - kDistance), down + 2);
    // A third press starts a new series.
    QCOMPARE(messages.Pressed(which, 700, 50, 50), down);
  }

  void pressTooLateTooFarOrAfterAnotherButtonIsPlain() {
    TrayMouseMessages messages(kInterval, kDistance);
    messages.Pressed(kLeft, 100, 50, 50);
    QCOMPARE(messages.Pressed(kLeft, 101 + kInterval, 50, 50), 0x201u);      // too late
    QCOMPARE(messages.Pressed(kLeft, 700, 50 + kDistance + 1, 50), 0x201u);  // too far
    QCOMPARE(messages.Pressed(kLeft, 800, 55, 50 + kDistance + 1), 0x201u);  // too far down
    QCOMPARE(messages.Pressed(kRight, 900, 55, 55), 0x204u);                 // another button
    QCOMPARE(messages.Pressed(kLeft, 950, 55, 55), 0x201u);                  // and back
  }

  void doubleClickAcrossTheClocksWrapAround() {
    TrayMouseMessages messages(kInterval, kDistance);
    messages.Pressed(kLeft, 0xFFFFFF00u, 10, 10);
    QCOMPARE(messages.Pressed(kLeft, 0x40u, 10, 10), 0x203u);
  }
};

}  // namespace tarvex::qt::test

QTEST_APPLESS_MAIN(tarvex::qt::test::TrayMouseMessagesTest)
#include "tray_mouse_messages_test.moc"
