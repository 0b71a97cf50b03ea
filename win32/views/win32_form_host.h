// The main window as the core's form sees it.
#pragma once

#include "win32/support/windows_api.h"

#include "app/dpi_units.h"
#include "app/views.h"

namespace tarvex::win32 {

class Win32FormHost final : public FormHost {
 public:
  // `application` is the window that carries the program's taskbar entry.
  Win32FormHost(HWND window, HWND application) : window_(window), application_(application) {}

  void Close() override;
  void SetApplicationTitle(const std::string& title) override;
  Bounds FormBounds() const override;
  void SetFormBounds(const Bounds& bounds) override;
  ScreenSize PrimaryScreen() const override;
  int Dpi() const override { return dpi_; }
  // The main window tells the resolution it is drawn at, when it is created and at each
  // WM_DPICHANGED.
  void SetDpi(int dpi) { dpi_ = dpi; }

 private:
  HWND window_;
  HWND application_;
  int dpi_ = kDesignDpi;
};

}  // namespace tarvex::win32
