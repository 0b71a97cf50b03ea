// The program's entry: the application object, the program and the event loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "linux/qt/guarded_call.h"
#include "linux/qt/program.h"
#include "linux/qt/qt_message_boxes.h"
#include "linux/qt/session_end.h"
#include "linux/qt/toolkit_arguments.h"
#include "linux/tray/program_icon.h"
#include "linux/x11/xcb_connection.h"

int main(int argc, char* argv[]) {
  tarvex::qt::ToolkitArguments arguments(argc, argv);
  // The X11 layer opens $DISPLAY as Qt does: a display named on the command line is both's.
  if (arguments.Display()) ::setenv("DISPLAY", arguments.Display()->c_str(), 1);
  // Without a display Qt would print a page about platform plugins and abort: say it in one line.
  const char* display = std::getenv("DISPLAY");
  if (!tarvex::x11::XcbConnection::Answers(display)) {
    if (display == nullptr || *display == '\0') {
      std::fputs("tarvex: cannot open the X display: DISPLAY is not set\n", stderr);
    } else {
      std::fprintf(stderr, "tarvex: cannot open the X display \"%s\"\n", display);
    }
    return 1;
  }
  QApplication application(arguments.Count(), arguments.Values());
  // The program ends when its main window closes, not when its last visible window does: in
  // the tray it has none, and a box closed there would end it.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(tarvex::qt::ProgramIcon());

  tarvex::qt::QtMessageBoxes boxes;
  int status = 1;  // a program that cannot be built has shown why, and ends
  tarvex::qt::RunGuarded(tarvex::FailureSink(boxes), [&] {
    tarvex::qt::Program program(boxes);
    boxes.SetMainWindow(&program.Window());
    const tarvex::qt::SessionEnd sessionEnd(program.Window());
    program.ShowFirst([] { QCoreApplication::quit(); });
    status = QApplication::exec();
  });
  return status;
}
