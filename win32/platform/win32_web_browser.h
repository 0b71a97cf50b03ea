// Web addresses open in the handler the user chose for them.
#pragma once

#include "app/views.h"

namespace tarvex::win32 {

class Win32WebBrowser final : public WebBrowser {
 public:
  void OpenAddress(const std::string& address) override;
};

}  // namespace tarvex::win32
