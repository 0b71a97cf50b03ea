// bare_window: the least a Qt window program does, as the yardstick of Tarvex's start: one
// top-level window of Tarvex's size, shown, and the event loop until it is closed.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.resize(321, 246);
  window.show();
  return QApplication::exec();
}
