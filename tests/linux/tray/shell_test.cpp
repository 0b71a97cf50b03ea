// The tray icon on a real X server with a real system tray: it docks, the mouse on it reaches the
// tray icon's rules, its menu shows the program's items and hints, and it copes with a desktop
// that has no tray or whose tray restarts.
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

#include "desktop_harness.h"
#include "linux/qt/qt_message_boxes.h"
#include "linux/tray/qt_tray_shell.h"
#include "sim/fake_views.h"
#include "app/hint_line.h"
#include "tray/tray_icon.h"

namespace tarvex::qt::test {
namespace {

class QtPump final : public MessagePump {
 public:
  void ProcessMessages() override { QCoreApplication::processEvents(); }
};

std::string Name(TMouseButton button) {
  return button == TMouseButton::mbLeft    ? "left"
         : button == TMouseButton::mbRight ? "right"
                                           : "middle";
}

int Colours(const QPixmap& shot) {
  const QImage image = shot.toImage();
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return static_cast<int>(colours.size());
}

// The error box, as one more event: no test expects it among the events.
class FailureEvents final : public MessageBoxes {
 public:
  explicit FailureEvents(QStringList& events) : events_(events) {}
  BoxAnswer Show(const std::string&, const std::string&, BoxKind) override {
    events_ << QStringLiteral("failure");
    return BoxAnswer::kOk;
  }

 private:
  QStringList& events_;
};

// What the menu looked like while it was open, and the hint line while the mouse was on About.
struct MenuSeen {
  QStringList captions;
  std::vector<bool> enabled;
  QString boldItem;
  QString defaultItem;
  std::string hintOnAbout;
};

}  // namespace

class TrayShellTest : public QObject {
  Q_OBJECT

 private:
  SystemTray tray_;
  std::unique_ptr<QtTrayShell> shell_;
  QtPump pump_;
  sim::FakeStatusBar status_;
  std::unique_ptr<HintLine> hints_;
  TPopupMenu menu_;
  std::unique_ptr<TTrayIcon> icon_;
  QStringList events_;
  FailureEvents failures_{events_};

  xcb_window_t IconWindowId() const {
    return shell_->IconWindow() ? static_cast<xcb_window_t>(shell_->IconWindow()->winId())
                                : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
  }

  bool Docked(const OtherClient& other) const {
    const xcb_window_t window = IconWindowId();
    return window != XCB_WINDOW_NONE && shell_->IconWindow()->isVisible() &&
           other.ParentOf(window) != other.Root() && other.IsViewable(window);
  }

  void ClickIcon(const OtherClient& other, const QStringList& click) {
    int x = 0;
    int y = 0;
    other.CentreOf(IconWindowId(), x, y);
    Xdotool(QStringList{"mousemove", QString::number(x), QString::number(y)} + click);
  }

  void Record(const std::string& event) { events_ << QString::fromStdString(event); }

 private slots:
  void init() {
    events_.clear();
    shell_ = std::make_unique<QtTrayShell>(FailureSink(failures_));
    hints_ = std::make_unique<HintLine>(status_);
    menu_.items = {
        {"Restore", "", true, true, -1, [this] { Record("Restore"); }},
        {"About", "About|About this application", false, true, 10, [this] { Record("About"); }},
        {"-", "", false, true, -1, nullptr},
        {"E&xit", "Exit|Quits the application", false, false, 11, [this] { Record("Exit"); }},
    };
    icon_ = std::make_unique<TTrayIcon>(*shell_, pump_);
    icon_->SetPopupMenu(&menu_);
    icon_->SetIcon(shell_->ProgramIcon());
    icon_->SetHint("Tarvex 1.0\r3 applications");
    icon_->OnMouseDown = [this](TMouseButton button, TShiftState shift, int, int) {
      Record("down " + Name(button) + (shift.dbl ? " double" : ""));
    };
    icon_->OnMouseUp = [this](TMouseButton button, TShiftState, int, int) {
      Record("up " + Name(button));
    };
    icon_->OnClick = [this](TMouseButton button, TShiftState, int, int) {
      Record("click " + Name(button));
    };
    shell_->Attach(*icon_, menu_, *hints_);
  }

  void cleanup() {
    icon_.reset();
    shell_.reset();
    tray_.Stop();
  }

  void withoutTrayNothingIsAddedUntilOneRuns() {
    OtherClient other;
    NotifyIconRecord record;
    record.icon = shell_->ProgramIcon();
    QVERIFY(!shell_->NotifyIcon(NotifyIconOperation::kAdd, record));
    icon_->SetActive(true);
    QVERIFY(!icon_->Added());
    QVERIFY(shell_->IconWindow() == nullptr);

    // A tray that starts later takes the icon at the next change of its tip.
    tray_.Start();
    QTest::qWait(300);
    QVERIFY(!icon_->Added());
    icon_->SetHint("Tarvex 1.0\r4 applications");
    QVERIFY(icon_->Added());
    QTRY_VERIFY(Docked(other));
  }

  void iconDocksWithPictureAndTwoLineTip() {
    tray_.Start();
    OtherClient other;
    icon_->SetActive(true);
    QVERIFY(icon_->Added());
    QTRY_VERIFY(Docked(other));
    QCOMPARE(shell_->IconWindow()->toolTip(), QStringLiteral("Tarvex 1.0\n3 applications"));
    icon_->SetHint("Tarvex 1.0\r5 applications");
    QCOMPARE(shell_->IconWindow()->toolTip(), QStringLiteral("Tarvex 1.0\n5 applications"));
    // The picture is drawn: what the screen shows there is more than one flat colour.
    QTRY_VERIFY(Colours(QGuiApplication::primaryScreen()->grabWindow(IconWindowId())) > 1);
  }

  void doubleClickRunsDefaultItemOnce() {
    tray_.Start();
    OtherClient other;
    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));
    ClickIcon(other, {"click", "--repeat", "2", "--delay", "80", "1"});
    QTRY_COMPARE(events_, (QStringList{"down left", "click left", "up left", "Restore",
                                       "down left double", "up left"}));
  }

  void commandThatTakesTheIconAwayFromItsOwnClick() {
    tray_.Start();
    OtherClient other;
    menu_.items.front().onClick = [this] {
      Record("Restore");
      icon_->SetActive(false);
    };
    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));
    const xcb_window_t window = IconWindowId();
    ClickIcon(other, {"click", "--repeat", "2", "--delay", "80", "1"});
    QTRY_VERIFY(events_.contains("Restore"));
    QVERIFY(shell_->IconWindow() == nullptr);
    QTRY_COMPARE(other.ParentOf(window), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
  }

  void rightClickShowsMenuWithHintsAndRunsChosenItem() {
    tray_.Start();
    OtherClient other;
    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));

    MenuSeen seen;
    QTimer watcher;
    watcher.setInterval(50);
    connect(&watcher, &QTimer::timeout, this, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (menu == nullptr || !seen.captions.isEmpty()) return;
      watcher.stop();
      for (QAction* action : menu->actions()) {
        seen.captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
        seen.enabled.push_back(action->isEnabled());
        if (action->font().bold()) seen.boldItem = action->text();
      }
      if (menu->defaultAction() != nullptr) seen.defaultItem = menu->defaultAction()->text();
      const QPoint about = menu->mapToGlobal(menu->actionGeometry(menu->actions()[1]).center());
      Xdotool({"mousemove", QString::number(about.x()), QString::number(about.y())});
      QTimer::singleShot(300, [&seen, this, about] {
        seen.hintOnAbout = hints_->ApplicationHint();
        Xdotool(
            {"mousemove", QString::number(about.x()), QString::number(about.y()), "click", "1"});
      });
    });
    watcher.start();
    ClickIcon(other, {"click", "3"});

    QTRY_COMPARE(events_, (QStringList{"down right", "About", "up right"}));
    QCOMPARE(seen.captions, (QStringList{"Restore", "About", "-", "E&xit"}));
    QCOMPARE(seen.enabled, (std::vector<bool>{true, true, true, false}));
    QCOMPARE(seen.boldItem, QStringLiteral("Restore"));
    QCOMPARE(seen.defaultItem, QStringLiteral("Restore"));
    QCOMPARE(seen.hintOnAbout, std::string("About this application"));
    QCOMPARE(hints_->ApplicationHint(), std::string());  // cleared as the menu closed
  }

  // The program's boxes block its windows, not the icon: a double click on it restores while the
  // about box is up, over the main window or, from the tray, over a hidden one.
  void iconAnswersWhileABoxIsOpen() {
    tray_.Start();
    OtherClient other;
    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));
    QWidget mainWindow;
    QtMessageBoxes boxes;
    boxes.SetMainWindow(&mainWindow);
    for (const bool mainShown : {true, false}) {
      mainWindow.setVisible(mainShown);
      events_.clear();
      QTimer user;
      user.setInterval(50);
      int ticks = 0;
      connect(&user, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        if (ticks++ == 0) {
          ClickIcon(other, {"click", "--repeat", "2", "--delay", "80", "1"});
        } else if (events_.contains("Restore") || ticks > 60) {
          user.stop();
          box->accept();
        }
      });
      user.start();
      boxes.Show("Tarvex 1.0", "About", BoxKind::kInformation);
      QVERIFY2(events_.contains("Restore"), mainShown ? "main window shown" : "main window hidden");
    }
  }

  void rightPressElsewhereReleasedOnIconOpensNoMenu() {
    tray_.Start();
    OtherClient other;
    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));
    int x = 0;
    int y = 0;
    other.CentreOf(IconWindowId(), x, y);
    Xdotool({"mousemove", "600", "600", "mousedown", "3", "mousemove", QString::number(x),
             QString::number(y), "mouseup", "3"});
    QTest::qWait(400);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    QVERIFY(!events_.contains("click right"));
  }

  void iconLeavesWithTheProgramAndComesBackWithARestartedTray() {
    tray_.Start();
    OtherClient other;
    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));
    const xcb_window_t first = IconWindowId();

    // The ending tray hands the icon back to the root: it must not stay there in sight.
    tray_.Stop();
    QTRY_VERIFY(!other.IsViewable(first));
    tray_.Start();
    QTRY_VERIFY(Docked(other));

    const xcb_window_t second = IconWindowId();
    icon_->SetActive(false);
    QTRY_COMPARE(other.ParentOf(second), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
    QVERIFY(shell_->IconWindow() == nullptr);

    icon_->SetActive(true);
    QTRY_VERIFY(Docked(other));
    const xcb_window_t third = IconWindowId();
    icon_.reset();  // the program ends
    QTRY_COMPARE(other.ParentOf(third), static_cast<xcb_window_t>(XCB_WINDOW_NONE));
  }
};

}  // namespace tarvex::qt::test

QTEST_MAIN(tarvex::qt::test::TrayShellTest)
#include "shell_test.moc"
