#include "linux/qt/program.h"

#include <utility>

#include "app/kelvo_apps.h"
#include "linux/qt/action_icons.h"

namespace tarvex::qt {
namespace {

posix::SettingsLocation SettingsOfThisRun() {
  posix::SettingsLocation location = posix::SettingsLocationOfProcess();
  AppIniFileName = location.file;
  return location;
}

}  // namespace

Program::Program(MessageBoxes& boxes)
    : failures_(boxes),
      settingsLocation_(SettingsOfThisRun()),
      settings_(settingsLocation_.directoryToCreate),
      windows_(connection_),
      x11Events_(xcb_get_file_descriptor(connection_.get()), QSocketNotifier::Read),
      ignoreListDialog_(nullptr, failures_),
      trayShell_(failures_),
      hotKeys_(
          [this](int id) {
            if (hotKeyTarget_ != nullptr) hotKeyTarget_->Form().WMHotKey(id);
          },
          failures_),
      window_({windows_, toolHelp_, icons_, settings_, ignoreListDialog_, inputBox_, optionsDialog_,
               trayShell_, hotKeys_, boxes}) {
  QObject::connect(&x11Events_, &QSocketNotifier::activated, [this] {
    windows_.ReadEvents();
    // A connection that broke stays readable for good: there is nothing more to read from it.
    if (!connection_.Works()) x11Events_.setEnabled(false);
  });
  hotKeyTarget_ = &window_;
  ignoreListDialog_.SetParent(&window_);
  inputBox_.SetParent(&window_);
  optionsDialog_.SetParent(&window_);
  TFormMain& form = window_.Form();
  trayShell_.Attach(form.TrayIcon1(), form.PopupMenu1(), form.Hints(), ActionIconOfImage);
}

Program::~Program() { hotKeyTarget_ = nullptr; }

void Program::ShowFirst(std::function<void()> onClosed) {
  window_.SetOnClosed(std::move(onClosed));
  // The window exists on the server from here on, still unmapped, so that the manager can be
  // asked about it before the settings place it.
  frame_ = std::make_unique<x11::FrameWatch>(static_cast<xcb_window_t>(window_.winId()));
  window_.FrameChanged(frame_->AskBeforeMap(kFrameAnswerWait));
  frameReports_ = std::make_unique<QSocketNotifier>(frame_->Descriptor(), QSocketNotifier::Read);
  QObject::connect(frameReports_.get(), &QSocketNotifier::activated, [this] {
    if (const auto frame = frame_->ReadReports()) window_.FrameChanged(*frame);
    if (!frame_->Works()) frameReports_->setEnabled(false);
  });
  window_.ShowFirst();
}

}  // namespace tarvex::qt
