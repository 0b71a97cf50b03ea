// Pictures of the three dialogs, to look at: each is opened as the program opens it, filled with
// sample entries, saved as a PNG in the given folder and closed. On a real display the whole
// screen is saved as well, with the window manager's frame around the dialog.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>

#include "linux/dialogs/qt_ignore_list_dialog.h"
#include "linux/dialogs/qt_input_box.h"
#include "linux/dialogs/qt_options_dialog.h"
#include "settings/ignore_list.h"
#include "settings/options.h"

namespace {

class PlainCollation final : public tarvex::TextCollation {
 public:
  int CompareIgnoreCase(std::string_view a, std::string_view b) const override {
    return QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()))
        .compare(QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())),
                 Qt::CaseInsensitive);
  }
};

// A failure of a dialog's step goes to the terminal: the pictures are of the dialogs alone.
class PrintedBoxes final : public tarvex::MessageBoxes {
 public:
  tarvex::BoxAnswer Show(const std::string& text, const std::string& caption,
                         tarvex::BoxKind) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return tarvex::BoxAnswer::kOk;
  }
};

// Saves the next modal dialog as `name` once it has been painted, then runs `then` on it.
void SnapWhenUp(const QString& folder, const QString& name, std::function<void(QDialog&)> then) {
  QTimer::singleShot(400, [=] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    dialog->grab().save(folder + "/" + name + ".png");
    if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
      QGuiApplication::primaryScreen()->grabWindow(0).save(folder + "/" + name + "-screen.png");
    }
    then(*dialog);
  });
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder for the pictures>\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(folder);

  QWidget mainWindow;
  mainWindow.setWindowTitle(QStringLiteral("Tarvex 1.0"));
  mainWindow.setGeometry(192, 103, 321, 246);
  mainWindow.show();
  // Until the window manager has framed it: the dialogs centre on its frame.
  QEventLoop framing;
  QTimer::singleShot(500, &framing, &QEventLoop::quit);
  framing.exec();

  PlainCollation collation;
  tarvex::qt::QtInputBox inputBox(&mainWindow);
  PrintedBoxes boxes;
  tarvex::qt::QtIgnoreListDialog ignoreList(&mainWindow, tarvex::FailureSink(boxes));
  tarvex::qt::QtOptionsDialog options(&mainWindow);
  tarvex::IgnoreList.Replace({"xterm", "Calculator", "Mail - Inbox (3 unread)", "Clock"});

  // The ignore list with an entry selected, then the input box that Modify opens over it.
  SnapWhenUp(folder, "ignore-list", [&](QDialog& dialog) {
    auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    list->setCurrentRow(1);
    SnapWhenUp(folder, "ignore-list-selected", [&](QDialog& selected) {
      SnapWhenUp(folder, "input-box", [&](QDialog& box) {
        box.reject();
        selected.reject();
      });
      // Queued: the click opens the input box's own modal loop.
      auto* modify = selected.findChild<QPushButton*>(QStringLiteral("Button2"));
      QTimer::singleShot(0, modify, &QPushButton::click);
    });
  });
  tarvex::ShowIgnoreListDialog(collation, inputBox, ignoreList);

  tarvex::HotKeyCode = 5;
  tarvex::MinimizeToTray = true;
  SnapWhenUp(folder, "options", [](QDialog& dialog) { dialog.reject(); });
  tarvex::ShowOptionsDialog(options);
  return 0;
}
