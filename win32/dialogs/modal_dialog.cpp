#include "win32/dialogs/modal_dialog.h"

#include <algorithm>
#include <stdexcept>

#include "win32/support/guarded_call.h"
#include "win32/views/ui_font.h"

namespace tarvex::win32 {
namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// No menu, the standard dialog class, no caption: the dialog sets its own.
struct alignas(4) EmptyTemplate {
  DLGTEMPLATE header{kDialogStyle, 0, 0, 0, 0, 0, 0};
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

}  // namespace

INT_PTR ModalDialog::RunModal(HWND owner, const RECT& area) {
  area_ = area;
  const EmptyTemplate blank;
  const INT_PTR result =
      ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), &blank.header, owner, DialogProc,
                                reinterpret_cast<LPARAM>(this));
  dialog_ = nullptr;
  if (startFailure_) std::rethrow_exception(std::exchange(startFailure_, nullptr));
  if (result == -1) throw std::runtime_error("Cannot show the dialog");
  return result;
}

HWND ModalDialog::AddControl(const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                             const Bounds& frame, int id) {
  const HWND control = ::CreateWindowExA(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style,
                                         frame.left, frame.top, frame.width, frame.height, dialog_,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                         ::GetModuleHandleA(nullptr), nullptr);
  if (control == nullptr) throw std::runtime_error("Cannot create a control of the dialog");
  ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  return control;
}

void ModalDialog::SetClientSize(int width, int height) {
  RECT frame{0, 0, width, height};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(dialog_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(dialog_, GWL_EXSTYLE)));
  ::SetWindowPos(dialog_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ModalDialog::TakeTheResolutionOfTheArea() {
  // The dialog opens on the monitor of the area it is centred on, in that monitor's pixels. It
  // goes there while still empty: Windows gives it that monitor's resolution before any control
  // is laid out, and nothing has to be scaled a second time.
  ::SetWindowPos(dialog_, nullptr, area_.left + (area_.right - area_.left) / 2,
                 area_.top + (area_.bottom - area_.top) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  scale_ = DpiScale(WindowDpi(dialog_));
  font_ = CreateUiFont(scale_.Dpi());
}

void ModalDialog::CentreOnTheArea() {
  const RECT& area = area_;
  RECT frame{};
  ::GetWindowRect(dialog_, &frame);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  LONG left = area.left + (area.right - area.left - width) / 2;
  LONG top = area.top + (area.bottom - area.top - height) / 2;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (::GetMonitorInfoA(::MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& work = monitor.rcWork;
    left = std::max(work.left, std::min(left, work.right - width));
    top = std::max(work.top, std::min(top, work.bottom - height));
  }
  ::SetWindowPos(dialog_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ModalDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<ModalDialog*>(lParam);
    ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    self->dialog_ = dialog;
    // A dialog that cannot be built whole is not shown; its caller hears why.
    try {
      self->TakeTheResolutionOfTheArea();
      self->OnInit();
      self->CentreOnTheArea();
    } catch (...) {
      self->startFailure_ = std::current_exception();
      ::EndDialog(dialog, IDCANCEL);
    }
    return FALSE;  // the dialog has set the focus itself
  }
  auto* self = reinterpret_cast<ModalDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  if (self == nullptr || message != WM_COMMAND) return FALSE;
  const int id = LOWORD(wParam);
  bool handled = false;
  // No failure may unwind into the dialog manager: it ends in the error box, and the dialog
  // stays open, so a failed OK is never taken for a confirmed one.
  const bool done = RunGuarded([&] { handled = self->OnCommand(id, HIWORD(wParam)); });
  if (done && !handled && (id == IDOK || id == IDCANCEL)) self->Close(id);
  return TRUE;
}

}  // namespace tarvex::win32
