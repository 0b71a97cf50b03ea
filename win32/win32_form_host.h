// The main window as the core's form sees it.
#pragma once

#include "win32/windows_api.h"

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

 private:
  HWND window_;
  HWND application_;
};

}  // namespace tarvex::win32
