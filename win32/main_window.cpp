#include "win32/main_window.h"

#include <algorithm>
#include <stdexcept>

#include "win32/guarded_call.h"
#include "win32/ui_font.h"

namespace tarvex::win32 {
namespace {

constexpr const char* kWindowClass = "TarvexMainWindow";
constexpr int kListViewId = 1;
constexpr int kStatusBarId = 2;
constexpr WORD kCommandRefresh = 100;

// The window as designed: outer frame at 192, 103, 321 x 246; never smaller than 321 x 125.
constexpr int kLeft = 192;
constexpr int kTop = 103;
constexpr int kWidth = 321;
constexpr int kHeight = 246;
constexpr POINT kMinimumSize = {321, 125};

// The tool bar will take the top of the client area; until then the list starts at the top.
constexpr int kToolBarHeight = 0;

void RegisterWindowClass(WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.hIcon = ::LoadIconA(windowClass.hInstance, MAKEINTRESOURCEA(1));
  if (windowClass.hIcon == nullptr) windowClass.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassExA(&windowClass);  // a second window finds it registered already
}

}  // namespace

MainWindow::~MainWindow() = default;

void MainWindow::Create() {
  RegisterWindowClass(WindowProc);
  ::CreateWindowExA(0, kWindowClass, kMainWindowCaption, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                    kLeft, kTop, kWidth, kHeight, nullptr, nullptr, ::GetModuleHandleA(nullptr),
                    this);
  if (!window_) throw std::runtime_error("Cannot create the main window");

  font_ = CreateUiFont();
  statusBar_ = std::make_unique<StatusBar>(window_.get(), kStatusBarId, font_.get());
  listView_ = std::make_unique<ListView>(window_.get(), kListViewId, font_.get());
  form_ = std::make_unique<TFormMain>(
      FormMainPlatform{platform_.WinList(), platform_.collation, *listView_, *statusBar_});
  listView_->SetEvents({
      [this](int column) { form_->ListView1ColumnClick(column); },
      [this](int index, bool checked) { form_->ListView1ItemChecked(index, checked); },
      [this](int index) { form_->ListView1SelectItem(index); },
  });

  ACCEL refresh{FVIRTKEY, VK_F5, kCommandRefresh};
  shortcuts_.reset(::CreateAcceleratorTableA(&refresh, 1));

  form_->FormCreate();
  Layout();
}

void MainWindow::ShowFirst(int showCommand) {
  ::ShowWindow(window_.get(), showCommand);
  ::UpdateWindow(window_.get());
  form_->ExecuteAction(ActionId::ActRefresh);
}

bool MainWindow::TranslateShortcut(MSG& message) {
  return shortcuts_ && ::TranslateAcceleratorA(window_.get(), shortcuts_.get(), &message) != 0;
}

void MainWindow::Idle() {
  // The update step runs only while the window can be seen and used.
  const HWND window = window_.get();
  if (form_ == nullptr || !::IsWindowVisible(window) || !::IsWindowEnabled(window) ||
      ::IsIconic(window)) {
    return;
  }
  RunGuarded([this] { form_->ActRefreshUpdate(); });
}

void MainWindow::Layout() {
  if (statusBar_ == nullptr || listView_ == nullptr) return;
  RECT client{};
  ::GetClientRect(window_.get(), &client);
  statusBar_->OnParentSize();
  const int listHeight =
      std::max(0, static_cast<int>(client.bottom) - kToolBarHeight - statusBar_->Height());
  ::MoveWindow(listView_->Handle(), 0, kToolBarHeight, client.right, listHeight, TRUE);
}

bool MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      Layout();
      return true;
    case WM_SETFOCUS:
      if (listView_ != nullptr) ::SetFocus(listView_->Handle());
      return true;
    case WM_NOTIFY:
      if (listView_ == nullptr) return false;
      result = 0;
      return listView_->OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
      if (LOWORD(wParam) != kCommandRefresh || form_ == nullptr) return false;
      form_->ExecuteAction(ActionId::ActRefresh);
      return true;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return true;
    case WM_NCDESTROY:
      // The system has destroyed the window: nothing is left to release.
      window_.release();
      return false;
    default:
      return false;
  }
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETMINMAXINFO) {  // comes before WM_NCCREATE
    reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = kMinimumSize;
    return 0;
  }
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_.reset(window);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);

  // No failure may unwind into the system's frames: it ends here, in the error box.
  bool handled = false;
  LRESULT result = 0;
  RunGuarded([&] { handled = self->HandleMessage(message, wParam, lParam, result); });
  return handled ? result : ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvex::win32
