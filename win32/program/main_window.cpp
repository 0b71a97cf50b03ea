#include "win32/program/main_window.h"

#include <algorithm>
#include <stdexcept>

#include "win32/views/action_commands.h"
#include "win32/support/guarded_call.h"
#include "win32/program/resource_ids.h"
#include "win32/program/screen_snap.h"
#include "win32/program/shortcut_table.h"
#include "win32/views/ui_font.h"
#include "win32/platform/win32_message_boxes.h"

namespace tarvex::win32 {
namespace {

constexpr const char* kWindowClass = "TarvexMainWindow";
constexpr int kListViewId = 1;
constexpr int kStatusBarId = 2;
constexpr int kToolBarId = 3;

// The window's designed bounds and minimum size are the core's, at 96 dots per inch: the
// position is in screen pixels, never scaled, the sizes scale with the monitor's resolution, and
// so do the sizes read from the settings at the first show. A dragged window snaps to the
// screen's edges within this distance.
constexpr int kSnapDistance = 10;

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hIcon = ::LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(TARVEX_ICON_MAIN));
  if (windowClass.hIcon == nullptr) windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  // The icon's own small picture, sharper than the large one shrunk by the system.
  windowClass.hIconSm = static_cast<HICON>(
      ::LoadImageA(windowClass.hInstance, MAKEINTRESOURCEA(TARVEX_ICON_MAIN), IMAGE_ICON,
                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExA(&windowClass);  // a second window finds it registered already
}

}  // namespace

MainWindow::~MainWindow() {
  // The windows that outlive the form stop reporting to it.
  if (application_ != nullptr) application_->SetEvents({});
  if (trayShell_ != nullptr) trayShell_->Detach();
}

void MainWindow::Create() {
  RegisterWindowClass(BoundWindowProc<MainWindow>);
  application_ = std::make_unique<Win32ApplicationWindow>();
  trayShell_ = std::make_unique<Win32TrayShell>(shellCall_);
  // Owned by the application window, the main window has no taskbar button of its own.
  ::CreateWindowExA(0, kWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    kDesignedBounds.left, kDesignedBounds.top, kDesignedBounds.width,
                    kDesignedBounds.height, application_->Handle(), nullptr,
                    ::GetModuleHandleA(nullptr), this);
  if (!window_) throw std::runtime_error("Cannot create the main window");
  Win32MessageBoxes::SetOwner(window_.get());
  // The monitor it opens on, and so its resolution, is known once the window exists.
  scale_ = DpiScale(WindowDpi(window_.get()));
  if (scale_.Dpi() != kDesignDpi) {
    ::SetWindowPos(window_.get(), nullptr, 0, 0, scale_(kDesignedBounds.width),
                   scale_(kDesignedBounds.height), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  font_ = CreateUiFont(scale_.Dpi());
  toolBar_ = std::make_unique<ToolBar>(window_.get(), kToolBarId, scale_);
  statusBar_ = std::make_unique<StatusBar>(window_.get(), kStatusBarId, font_.get(), scale_);
  listView_ = std::make_unique<ListView>(window_.get(), kListViewId, font_.get(), scale_);
  host_ = std::make_unique<Win32FormHost>(window_.get(), application_->Handle());
  host_->SetDpi(scale_.Dpi());
  ignoreListDialog_ = std::make_unique<Win32IgnoreListDialog>(window_.get());
  optionsDialog_ = std::make_unique<Win32OptionsDialog>(window_.get());
  hotKeys_ = std::make_unique<Win32HotKeys>(window_.get());
  form_ = std::make_unique<TFormMain>(FormMainPlatform{
      platform_.WinList(), platform_.collation, *listView_, *statusBar_, *host_, platform_.browser,
      platform_.settings, *ignoreListDialog_, platform_.inputBox, *optionsDialog_, *trayShell_,
      *hotKeys_, *application_, platform_.codePage});
  application_->SetMainWindow(window_.get());
  application_->SetEvents({[this] { form_->ApplicationEvents1Minimize(); },
                           [this] { form_->ApplicationEvents1Restore(); }});
  trayShell_->Attach(form_->TrayIcon1(), form_->PopupMenu1(), form_->Hints(), window_.get(),
                     toolBar_->Pictures());
  listView_->SetEvents({
      [this](int column) { form_->ListView1ColumnClick(column); },
      [this](int index, bool checked) { form_->ListView1ItemChecked(index, checked); },
      [this](int index) { form_->ListView1SelectItem(index); },
  });
  shortcuts_ = CreateShortcutTable();

  form_->FormCreate();
  Layout();
}

void MainWindow::ShowFirst(int showCommand) {
  // A shortcut set to "Run: Minimized", or start /min, asks for one of these.
  const bool minimized = showCommand == SW_SHOWMINIMIZED || showCommand == SW_MINIMIZE ||
                         showCommand == SW_SHOWMINNOACTIVE || showCommand == SW_FORCEMINIMIZE;
  if (minimized) {
    application_->Show();
    RunGuarded([this] { form_->Start(true); });
    return;
  }
  RunGuarded([this] { form_->Start(false); });
  application_->Show();
  ::ShowWindow(window_.get(), showCommand);
  ::UpdateWindow(window_.get());
}

bool MainWindow::TranslateShortcut(MSG& message) {
  const HWND window = window_.get();
  // A disabled main window means a box or a dialog of the program is up.
  if (!shortcuts_ || ::GetActiveWindow() != window || !::IsWindowEnabled(window)) return false;
  return ::TranslateAcceleratorA(window, shortcuts_.get(), &message) != 0;
}

void MainWindow::Idle() {
  if (form_ == nullptr) return;
  RunGuarded([this] {
    if (form_->Idle(ViewAtIdle())) toolBar_->ShowEnabledStates(*form_);
  });
}

IdleView MainWindow::ViewAtIdle() const {
  const HWND window = window_.get();
  IdleView view;
  view.windowUsable = ::IsWindowVisible(window) && ::IsWindowEnabled(window) && !::IsIconic(window);
  POINT cursor{};
  if (!view.windowUsable || !::GetCursorPos(&cursor)) return view;
  const HWND under = ::WindowFromPoint(cursor);
  view.mouseOverWindow = under != nullptr && ::GetAncestor(under, GA_ROOT) == window;
  if (view.mouseOverWindow && under == toolBar_->Handle()) {
    view.buttonUnderMouse = toolBar_->ActionAt(cursor);
  }
  return view;
}

void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
  // Windows does not stretch a per-monitor aware window on a monitor of another resolution: it
  // draws itself anew there. Fonts, the tool bar's pictures and buttons, the counter panel, the
  // columns (by the form) and the minimum size (at WM_GETMINMAXINFO) follow the resolution.
  if (form_ == nullptr) return;
  const int oldDpi = scale_.Dpi();
  scale_ = DpiScale(dpi);
  host_->SetDpi(dpi);
  UniqueFont font = CreateUiFont(dpi);
  listView_->SetFont(font.get());
  statusBar_->Rescale(font.get(), scale_);
  font_ = std::move(font);  // the old font goes once no control uses it
  toolBar_->Rescale(scale_);
  form_->FormDpiChanged(oldDpi, dpi);
  // The frame Windows suggests keeps the window under the mouse while it is dragged across.
  ::SetWindowPos(window_.get(), nullptr, suggested.left, suggested.top,
                 suggested.right - suggested.left, suggested.bottom - suggested.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();  // the tool bar's height has changed even where the frame has not
}

void MainWindow::Layout() {
  if (statusBar_ == nullptr || listView_ == nullptr || toolBar_ == nullptr) return;
  RECT client{};
  ::GetClientRect(window_.get(), &client);
  const int toolBarHeight = toolBar_->Height();
  ::MoveWindow(toolBar_->Handle(), 0, 0, client.right, toolBarHeight, TRUE);
  statusBar_->OnParentSize();
  const int listHeight =
      std::max(0, static_cast<int>(client.bottom) - toolBarHeight - statusBar_->Height());
  ::MoveWindow(listView_->Handle(), 0, toolBarHeight, client.right, listHeight, TRUE);
}

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_GETMINMAXINFO: {
      const ScreenSize minimum = MinimumFormSize(scale_.Dpi());
      reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {minimum.width, minimum.height};
      return true;
    }
    case WM_DPICHANGED:
      // Both halves of wParam hold the new resolution; lParam is the suggested frame.
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return true;
    case WM_MOVING: {
      // Sent only while the user drags the window, which is when it snaps.
      auto& frame = *reinterpret_cast<RECT*>(lParam);
      frame = SnapToScreen(frame, WorkAreaAt(frame), scale_(kSnapDistance));
      result = TRUE;
      return true;
    }
    case WM_SIZE:
      Layout();
      return true;
    case WM_SYSCOMMAND:
      // The program minimizes as a whole, through the window that carries its taskbar button.
      if ((wParam & 0xFFF0) != SC_MINIMIZE) return false;
      application_->Minimize();
      return true;
    case WM_HOTKEY:
      if (form_ != nullptr) form_->WMHotKey(static_cast<int>(wParam));
      return false;  // and on to the default handling
    case WM_SETFOCUS:
      if (listView_ != nullptr) ::SetFocus(listView_->Handle());
      return true;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      result = 0;
      if (toolBar_ != nullptr && toolBar_->OnNotify(header)) return true;
      return listView_ != nullptr && listView_->OnNotify(header);
    }
    case WM_COMMAND: {
      const auto action = ActionOfCommand(LOWORD(wParam));
      if (!action || form_ == nullptr) return false;
      form_->ExecuteAction(*action);
      return true;
    }
    case WM_CLOSE: {
      // Every way of closing comes here; the form decides whether the window may go.
      bool closed = false;
      RunGuarded([&] { closed = form_ == nullptr || form_->CloseQuery(); });
      if (closed) ::DestroyWindow(window_.get());
      return true;
    }
    case WM_ENDSESSION:
      // Logging off ends the process without a close: save what the close would have saved.
      if (wParam != FALSE && form_ != nullptr) RunGuarded([&] { form_->WMEndSession(); });
      return true;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return true;
    case WM_NCDESTROY:
      if (Win32MessageBoxes::Owner() == window_.get()) Win32MessageBoxes::SetOwner(nullptr);
      return false;
    default:
      return false;
  }
}

}  // namespace tarvex::win32
