// The main window's views against the core, on the simulated desktop: what the user does in the
// window reaches the form, and what the form decides shows in the window.
#include <QDialog>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QToolButton>
#include <stdexcept>

#include "app/action_list.h"
#include "main_window_fixture.h"
#include "app/about_box.h"

namespace tarvex::qt::testing {
namespace {

// The centre of a row's check box, in the list's viewport.
QPoint CheckBoxOf(QTreeWidget& list, int row) {
  QTreeWidgetItem* item = list.topLevelItem(row);
  QStyleOptionViewItem option;
  option.initFrom(&list);
  option.rect = list.visualItemRect(item);
  option.rect.setWidth(list.columnWidth(0));
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  option.text = item->text(0);
  option.checkState = item->checkState(0);
  option.widget = &list;
  return list.style()
      ->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &list)
      .center();
}

QPoint CentreOfRow(QTreeWidget& list, int row) {
  return list.visualItemRect(list.topLevelItem(row)).center();
}

void ClickHeader(QTreeWidget& list, int column) {
  QHeaderView& header = *list.header();
  const QPoint at(header.sectionViewportPosition(column) + header.sectionSize(column) / 2,
                  header.height() / 2);
  QTest::mouseClick(header.viewport(), Qt::LeftButton, {}, at);
}

QPoint GlobalCentreOf(const QWidget& widget) { return widget.mapToGlobal(widget.rect().center()); }

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void checkMarksOfTheUserReachTheCore() {
    MainWindowFixture f;
    f.desktop.Open("first", 11);
    f.desktop.Open("second", 12);
    f.desktop.Open("third", 13);
    f.ShowActive();
    QTreeWidget& list = f.window.List();
    QCOMPARE(f.ShownCaptions(), f.CoreCaptions());
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"third", "second", "first"}));

    // A click on the box, and the space bar on the current row.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBoxOf(list, 1));
    list.setCurrentItem(list.topLevelItem(2));
    QTest::keyClick(&list, Qt::Key_Space);
    QCOMPARE(f.window.Form().CheckedCount(), 2);
    QVERIFY(!f.window.Form().Rows()[0].checked);
    QVERIFY(f.window.Form().Rows()[1].checked);
    QVERIFY(f.window.Form().Rows()[2].checked);

    // Unchecking by the mouse is reported as well.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBoxOf(list, 1));
    QCOMPARE(f.window.Form().CheckedCount(), 1);

    // Ctrl+A is the core's Check All, not the list's select-all; the core's checks show.
    f.Settle();
    QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(f.window.Form().CheckedCount(), 3);
    QCOMPARE(f.ShownChecks(), (std::vector<bool>{true, true, true}));
    f.Settle();
    QTest::keyClick(&list, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(f.window.Form().CheckedCount(), 0);
    QCOMPARE(f.ShownChecks(), (std::vector<bool>{false, false, false}));
  }

  void headerClicksSortThroughTheCoreOnly() {
    MainWindowFixture f;
    f.desktop.Open("beta", 30);
    f.desktop.Open("Alpha", 200);
    f.desktop.Open("gamma", 4);
    f.ShowActive();
    QTreeWidget& list = f.window.List();
    QVERIFY(!list.isSortingEnabled());
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"gamma", "Alpha", "beta"}));

    // The selection and the check marks travel with their rows.
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBoxOf(list, 2));   // beta
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CentreOfRow(list, 1));  // Alpha
    QCOMPARE(f.window.Form().Selected(), 1);

    // The sort key starts on the captions, so their first click turns it round.
    ClickHeader(list, 0);
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
    QCOMPARE(f.ShownCaptions(), f.CoreCaptions());
    QCOMPARE(f.ShownChecks(), (std::vector<bool>{false, true, false}));
    QCOMPARE(list.indexOfTopLevelItem(list.currentItem()), 2);
    QCOMPARE(f.window.Form().Selected(), 2);

    ClickHeader(list, 0);
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));

    // Process ids sort as numbers: 4, 30, 200.
    ClickHeader(list, 1);
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"gamma", "beta", "Alpha"}));
    QCOMPARE(f.window.Form().SortKey(), 2);

    // A refresh lists the rows in the enumerator's order: the view keeps no order of its own.
    f.desktop.Open("delta", 7);
    f.Settle();
    QTest::keyClick(&list, Qt::Key_F5);
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"delta", "gamma", "Alpha", "beta"}));
    QCOMPARE(f.ShownCaptions(), f.CoreCaptions());
  }

  void countersAndEnabledStatesFollowAtIdle() {
    MainWindowFixture f;
    f.desktop.Open("first", 11);
    f.desktop.Open("second", 12);
    f.desktop.Open("third", 13);
    f.ShowActive();
    f.Settle();
    ActionBar& tools = f.window.Tools();
    QCOMPARE(f.Panel(0), std::string("0: 3: 0"));
    QVERIFY(tools.Action(ActionId::ActCheckAll).isEnabled());
    for (ActionId onChecked : {ActionId::ActUncheckAll, ActionId::ActRestore, ActionId::ActMinimize,
                               ActionId::ActTerminate}) {
      QVERIFY(!tools.Action(onChecked).isEnabled());
    }
    QVERIFY(!tools.Action(ActionId::ActSwitchTo).isEnabled());

    QTreeWidget& list = f.window.List();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBoxOf(list, 0));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CentreOfRow(list, 2));
    f.Settle();
    QCOMPARE(f.Panel(0), std::string("3: 3: 1"));
    QVERIFY(tools.Action(ActionId::ActRestore).isEnabled());
    QVERIFY(tools.Action(ActionId::ActSwitchTo).isEnabled());

    // F2 switches to the selected row's window, found by the core.
    QTest::keyClick(&list, Qt::Key_F2);
    const WinHandle third = f.window.Form().Rows()[2].handle;
    QCOMPARE(f.desktop.requests.back(),
             (sim::SentRequest{sim::SentRequest::kForeground, third, 0}));

    // Nobody sees a hidden window: its idle step waits until it shows again.
    f.window.hide();
    f.window.Form().ListView1ItemChecked(1, true);
    f.Settle();
    QCOMPARE(f.Panel(0), std::string("3: 3: 1"));
    f.window.show();
    f.Settle();
    QCOMPARE(f.Panel(0), std::string("3: 3: 2"));
  }

  void shortcutsBelongToTheMainWindowAlone() {
    MainWindowFixture f;
    f.ShowActive();
    f.desktop.Open("late", 5);
    {
      // A dialog of the program is up: its keys are its own.
      QDialog dialog(&f.window);
      QTimer::singleShot(0, &dialog, [&dialog] {
        QTest::keyClick(&dialog, Qt::Key_F5);
        dialog.accept();
      });
      dialog.exec();
      QVERIFY(f.ShownCaptions().empty());
    }

    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window.List(), Qt::Key_F5);
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"late"}));
  }

  void hintsFollowTheMouseToTheHintLine() {
    MainWindowFixture f;
    f.ShowActive();
    ActionBar& tools = f.window.Tools();
    QWidget& refresh = *tools.widgetForAction(&tools.Action(ActionId::ActRefresh));
    QCOMPARE(refresh.toolTip(), QStringLiteral("Refresh"));
    QCOMPARE(tools.Action(ActionId::ActTerminate).toolTip(), QStringLiteral("Terminate"));

    QCursor::setPos(GlobalCentreOf(refresh));
    f.Settle();
    QCOMPARE(f.Panel(1), std::string("Refresh application list"));

    // The list has no hint of its own and hands over to the window's.
    QCursor::setPos(GlobalCentreOf(*f.window.List().viewport()));
    f.Settle();
    QCOMPARE(f.Panel(1), MakerNotice(kAboutYear, 0));

    // A refresh's message stays until the mouse brings another hint.
    QTest::keyClick(&f.window.List(), Qt::Key_F5);
    f.Settle();
    QCOMPARE(f.Panel(1), std::string("Application list refreshed"));
    QCursor::setPos(GlobalCentreOf(refresh));
    f.Settle();
    QCOMPARE(f.Panel(1), std::string("Refresh application list"));

    // Outside the program's windows there is no hint.
    QCursor::setPos(f.window.frameGeometry().bottomRight() + QPoint(40, 40));
    f.Settle();
    QCOMPARE(f.Panel(1), std::string());
  }

  void aFailureInAHandlerShowsTheErrorBoxAndTheWindowGoesOn() {
    MainWindowFixture f;
    f.desktop.Open("first", 11);
    f.ShowActive();
    f.desktop.beforeVisit = [](WinHandle) { throw std::runtime_error("The window list broke"); };
    f.Settle();
    QTest::keyClick(&f.window.List(), Qt::Key_F5);
    QCOMPARE(f.desktop.boxes.size(), std::size_t{1});
    QCOMPARE(f.desktop.boxes[0].text, std::string("The window list broke"));
    QCOMPARE(f.desktop.boxes[0].caption, std::string("Error"));
    QCOMPARE(f.desktop.boxes[0].kind, BoxKind::kError);
    QVERIFY(f.window.isVisible());
    QCOMPARE(f.Panel(1), std::string("Application list refreshed"));

    f.desktop.beforeVisit = nullptr;
    f.Settle();
    QTest::mouseClick(
        f.window.Tools().widgetForAction(&f.window.Tools().Action(ActionId::ActRefresh)),
        Qt::LeftButton);
    QCOMPARE(f.ShownCaptions(), (std::vector<std::string>{"first"}));
    QCOMPARE(f.desktop.boxes.size(), std::size_t{1});
  }

  void aFailedCloseKeepsTheWindowOpen() {
    MainWindowFixture f;
    int closed = 0;
    f.window.SetOnClosed([&closed] { ++closed; });
    f.ShowActive();
    f.files.readOnly = true;
    // The error box, then "No" to closing without saving.
    f.desktop.answers = {BoxAnswer::kOk, BoxAnswer::kNo};
    QVERIFY(!f.window.close());
    QVERIFY(f.window.isVisible());
    QCOMPARE(closed, 0);
    QCOMPARE(f.desktop.boxes.size(), std::size_t{2});
    QCOMPARE(f.desktop.boxes[0].text, "Unable to write to " + std::string(sim::kSettingsFile));
    QCOMPARE(f.desktop.boxes[1].text, std::string(kCloseWithoutSavingQuestion));

    // Exit closes it the way the close box does, once the click is over.
    f.files.readOnly = false;
    f.Settle();
    f.window.Tools().Action(ActionId::ActExit).trigger();
    QCOMPARE(closed, 0);
    QTRY_COMPARE(closed, 1);
    QVERIFY(!f.window.isVisible());
    QVERIFY(f.SettingsText().find("Width=") != std::string::npos);
  }

  void minimizingGoesToTheTrayAndTheTrayBringsTheWindowBack() {
    MainWindowFixture f;
    f.ShowActive();
    QVERIFY(MinimizeToTray);  // a fresh settings file
    f.window.showMinimized();
    f.Settle();
    QVERIFY(!f.window.isVisible());
    QVERIFY(f.trayShell.shown);

    // The tray's Restore: the window is back as it was, and the icon stays.
    f.window.Form().MnRestoreClick();
    QVERIFY(f.window.isVisible());
    QVERIFY(!f.window.isMinimized());
    QVERIFY(f.trayShell.shown);

    // Without the tray the window stays on the taskbar, and coming back from there changes
    // nothing in the tray.
    MinimizeToTray = false;
    const std::size_t trayCalls = f.trayShell.calls.size();
    f.window.showMinimized();
    f.Settle();
    QVERIFY(f.window.isVisible());
    QVERIFY(f.window.isMinimized());
    f.window.showNormal();
    f.Settle();
    QVERIFY(!f.window.isMinimized());
    QCOMPARE(f.trayShell.calls.size(), trayCalls);
  }

  void theWindowTakesItsStoredPlaceWithinTheScreen() {
    MainWindowFixture f;
    f.SettingsText() = "[Tarvex Window]\nLeft=50\nTop=60\nWidth=200\nHeight=300\nColumn1=150\n";
    f.ShowActive();
    // No window manager reports a frame here: the window's own area takes the stored bounds.
    QCOMPARE(f.window.geometry().topLeft(), QPoint(50, 60));
    // Narrower than the minimum: raised to it.
    QCOMPARE(f.window.size(), QSize(kMinimumWidth, 300));
    QCOMPARE(f.window.List().columnWidth(0), 150);
    QCOMPARE(f.window.List().columnWidth(1), 67);

    // Hidden in the tray, it still closes with the place it had.
    f.window.showMinimized();
    f.Settle();
    QVERIFY(!f.window.isVisible());
    f.window.Form().FormClose();
    for (const char* stored : {"Left=50", "Top=60", "Width=321", "Height=300"}) {
      QVERIFY2(f.SettingsText().find(stored) != std::string::npos, stored);
    }
  }
};

}  // namespace tarvex::qt::testing

QTEST_MAIN(tarvex::qt::testing::MainWindowTest)
#include "main_window_test.moc"
