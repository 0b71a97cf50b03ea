#include "win32/tray/win32_application_window.h"

#include <stdexcept>

#include "win32/support/guarded_call.h"
#include "win32/program/resource_ids.h"

namespace tarvex::win32 {
namespace {

constexpr const char* kWindowClass = "TarvexApplication";

struct OpenBoxes {
  HWND mainWindow;
  std::vector<HWND>& boxes;
};

// A box or dialog of the program: a visible window owned by the main window, or by another box.
// Called from the system's frames, which no exception may cross: running out of memory stops
// the collection, and the boxes not collected simply stay in sight.
BOOL CALLBACK CollectOpenBox(HWND window, LPARAM param) {
  auto& open = *reinterpret_cast<OpenBoxes*>(param);
  if (!::IsWindowVisible(window)) return TRUE;
  for (HWND owner = ::GetWindow(window, GW_OWNER); owner != nullptr;
       owner = ::GetWindow(owner, GW_OWNER)) {
    if (owner != open.mainWindow) continue;
    try {
      open.boxes.push_back(window);
    } catch (...) {
      return FALSE;
    }
    break;
  }
  return TRUE;
}

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  // The taskbar button shows the class's icon.
  windowClass.hIcon = ::LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(TARVEX_ICON_MAIN));
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExA(&windowClass);  // a second window finds it registered already
}

}  // namespace

Win32ApplicationWindow::Win32ApplicationWindow() {
  RegisterWindowClass(BoundWindowProc<Win32ApplicationWindow>);
  // Zero size in the middle of the screen: a button on the taskbar, nothing on the desktop.
  ::CreateWindowExA(0, kWindowClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                    ::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0,
                    nullptr, nullptr, ::GetModuleHandleA(nullptr), this);
  if (!window_) throw std::runtime_error("Cannot create the application window");
}

void Win32ApplicationWindow::Show() { ::ShowWindow(window_.get(), SW_SHOWNOACTIVATE); }

void Win32ApplicationWindow::Minimize() {
  const HWND window = window_.get();
  if (::IsIconic(window)) return;
  // The owned main window goes with its owner; it comes back in the state it had.
  if (main_ != nullptr && ::IsWindowVisible(main_)) {
    ::ShowWindow(main_, SW_HIDE);
    mainHidden_ = true;
  }
  ::ShowWindow(window, SW_MINIMIZE);
  if (events_.minimized) events_.minimized();
}

void Win32ApplicationWindow::ShowNormal() {
  ::ShowWindow(window_.get(), SW_SHOWNORMAL);
  ShowMainWindow();
}

void Win32ApplicationWindow::Hide() { ::ShowWindow(window_.get(), SW_HIDE); }

void Win32ApplicationWindow::BringToForeground() {
  ::SetForegroundWindow(window_.get());
  PassFocusOn();
}

void Win32ApplicationWindow::HideOpenBoxes() {
  // The system hides the windows owned by a minimized window, but the main window is hidden,
  // not minimized: its boxes would stay on the screen.
  if (main_ == nullptr) return;
  OpenBoxes open{main_, hiddenBoxes_};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectOpenBox, reinterpret_cast<LPARAM>(&open));
  for (HWND box : hiddenBoxes_) ::ShowWindow(box, SW_HIDE);
}

void Win32ApplicationWindow::ShowHiddenBoxes() {
  // The lowest first, so that each comes back above the one it was opened over. A box may have
  // closed meanwhile (its modal loop ran on).
  for (auto box = hiddenBoxes_.rbegin(); box != hiddenBoxes_.rend(); ++box) {
    if (::IsWindow(*box)) ::ShowWindow(*box, SW_SHOWNA);
  }
  hiddenBoxes_.clear();
}

void Win32ApplicationWindow::PassFocusOn() {
  // The focus belongs to the main window, or to the box or dialog it has open.
  if (main_ == nullptr || !::IsWindowVisible(main_)) return;
  const HWND popup = ::GetLastActivePopup(main_);
  ::SetForegroundWindow(popup != nullptr && ::IsWindowVisible(popup) ? popup : main_);
}

void Win32ApplicationWindow::RestoreFromTaskbar() {
  const HWND window = window_.get();
  if (!::IsIconic(window)) return;
  ::ShowWindow(window, SW_RESTORE);
  // Told first: the first restore after a minimized start places the main window before it
  // appears.
  if (events_.restored) events_.restored();
  ShowMainWindow();
  PassFocusOn();
}

void Win32ApplicationWindow::ShowMainWindow() {
  if (!mainHidden_ || main_ == nullptr) return;
  mainHidden_ = false;
  ::ShowWindow(main_, SW_SHOWNA);
}

bool Win32ApplicationWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM /*lParam*/,
                                           LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_SYSCOMMAND:
      // The taskbar's (or the window manager's) minimize and restore of the program.
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE:
          Minimize();
          return true;
        case SC_RESTORE:
          RestoreFromTaskbar();
          return true;
        default:
          return false;
      }
    case WM_SETFOCUS:
      PassFocusOn();
      return true;
    case WM_CLOSE:
      // Closing the taskbar entry closes the program as its main window closes it.
      if (main_ != nullptr) ::PostMessageA(main_, WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

}  // namespace tarvex::win32
