#include "linux/qt/main_window.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>

#include "linux/qt/guarded_call.h"

namespace tarvex::qt {

MainWindow::MainWindow(const MainWindowPorts& ports)
    : ports_(ports),
      failures_(ports.boxes),
      timers_(failures_),
      host_(*this),
      application_(*this),
      toolBar_(new ActionBar(*this,
                             [this](ActionId id) {
                               RunGuarded(failures_, [this, id] { form_->ExecuteAction(id); });
                             })),
      listView_(new QtListView(this)),
      statusBar_(new QtStatusBar(this)) {
  addToolBar(Qt::TopToolBarArea, toolBar_);
  setCentralWidget(listView_);
  setStatusBar(statusBar_);
  host_.SetFormBounds(kDesignedBounds);

  form_ = std::make_unique<TFormMain>(
      FormMainPlatform{{ports.windows, ports.toolHelp, ports.icons, timers_, pump_, ports.boxes},
                       collation_,
                       *listView_,
                       *statusBar_,
                       host_,
                       browser_,
                       ports.settings,
                       ports.ignoreListDialog,
                       ports.inputBox,
                       ports.optionsDialog,
                       ports.trayShell,
                       ports.hotKeys,
                       application_,
                       codePage_});
  application_.SetEvents(
      {[this] { RunGuarded(failures_, [this] { form_->ApplicationEvents1Minimize(); }); },
       [this] { RunGuarded(failures_, [this] { form_->ApplicationEvents1Restore(); }); }});
  listView_->SetEvents({
      [this](int column) { RunGuarded(failures_, [&] { form_->ListView1ColumnClick(column); }); },
      [this](int index, bool checked) {
        RunGuarded(failures_, [&] { form_->ListView1ItemChecked(index, checked); });
      },
      [this](int index) { RunGuarded(failures_, [&] { form_->ListView1SelectItem(index); }); },
  });
  form_->FormCreate();
  listView_->setFocus();
  idle_ = connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock,
                  this, &MainWindow::Idle);
}

MainWindow::~MainWindow() {
  disconnect(idle_);
  // The controls outlive the form, which still talks to them while it goes.
  form_.reset();
}

void MainWindow::ShowFirst() {
  // Launchers on X11 have no "Run: Minimized": the start is always a normal one.
  RunGuarded(failures_, [this] { form_->Start(false); });
  show();
}

void MainWindow::Idle() {
  RunGuarded(failures_, [this] {
    if (form_->Idle(ViewAtIdle())) toolBar_->ShowEnabledStates(*form_);
  });
}

IdleView MainWindow::ViewAtIdle() const {
  IdleView view;
  // Not behind a box, a dialog or an open menu, and not while nobody can see the window.
  view.windowUsable = isVisible() && isEnabled() && !isMinimized() &&
                      QApplication::activeModalWidget() == nullptr &&
                      QApplication::activePopupWidget() == nullptr;
  if (!view.windowUsable) return view;
  const QPoint mouse = QCursor::pos();
  const QWidget* under = QApplication::widgetAt(mouse);
  view.mouseOverWindow = under != nullptr && under->window() == this;
  if (view.mouseOverWindow && (under == toolBar_ || toolBar_->isAncestorOf(under))) {
    view.buttonUnderMouse = toolBar_->ActionAt(mouse);
  }
  return view;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Every way of closing comes here; the form decides whether the window may go.
  bool closed = false;
  RunGuarded(failures_, [&] { closed = form_->CloseQuery(); });
  if (!closed) {
    event->ignore();
    return;
  }
  event->accept();
  if (onClosed_) onClosed_();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) {
    application_.WindowStateChanged(static_cast<QWindowStateChangeEvent*>(event)->oldState());
  }
  // Activated while a box is up (the window manager shows a window brought back from the tray
  // on top): the box comes above it again.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) application_.ActivateOpenBox();
}

bool MainWindow::event(QEvent* event) {
  // The hint line follows the core's rule in the idle step; Qt's own status tips would put
  // texts over the panels that the rule keeps out.
  if (event->type() == QEvent::StatusTip) return true;
  if (event->type() == QEvent::Show) host_.WindowShown();
  return QMainWindow::event(event);
}

}  // namespace tarvex::qt
