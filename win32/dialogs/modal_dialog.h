// A modal dialog laid out in code, in pixels: an empty template gives it the system's dialog
// manager (tab order, the default and cancel buttons, Esc and the close box, its owner
// disabled while it is up), and the derived dialog adds its controls when it starts.
#pragma once

#include "win32/support/windows_api.h"

#include <exception>

#include "app/views.h"
#include "win32/views/dpi_scale.h"
#include "win32/support/unique_handle.h"

namespace tarvex::win32 {

class ModalDialog {
 public:
  ModalDialog() = default;
  virtual ~ModalDialog() = default;
  ModalDialog(const ModalDialog&) = delete;
  ModalDialog& operator=(const ModalDialog&) = delete;

 protected:
  // Runs the dialog, centred on `area` (screen pixels) inside the work area of its monitor,
  // until it closes, and returns IDOK or IDCANCEL. A failure while the dialog starts closes it
  // and is thrown from here.
  INT_PTR RunModal(HWND owner, const RECT& area);

  // Adds the controls, at the resolution of the dialog's monitor, and sets the focus.
  virtual void OnInit() = 0;
  // A control's command. Unhandled, OK and Cancel (Enter, Esc, the close box) close the dialog.
  virtual bool OnCommand(int id, int code) = 0;

  HWND Handle() const { return dialog_; }
  HWND Item(int id) const { return ::GetDlgItem(dialog_, id); }
  HFONT Font() const { return font_.get(); }
  const DpiScale& Scale() const { return scale_; }
  // A frame designed at 96 dots per inch, in the pixels of the dialog's monitor.
  Bounds Scaled(const Bounds& designed) const {
    return {scale_(designed.left), scale_(designed.top), scale_(designed.width),
            scale_(designed.height)};
  }
  // A child control with the dialog's font, at `frame` in client pixels. Controls take the
  // tab order in which they are added.
  HWND AddControl(const char* windowClass, const char* text, DWORD style, DWORD exStyle,
                  const Bounds& frame, int id);
  void SetClientSize(int width, int height);
  void Close(INT_PTR result) { ::EndDialog(dialog_, result); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  void TakeTheResolutionOfTheArea();
  void CentreOnTheArea();

  HWND dialog_ = nullptr;
  RECT area_{};
  DpiScale scale_{kDesignDpi};
  UniqueFont font_;
  std::exception_ptr startFailure_;
};

}  // namespace tarvex::win32
