// Opens a web address with the desktop's default handler.
#pragma once

#include "app/views.h"

namespace tarvex::qt {

class QtWebBrowser final : public WebBrowser {
 public:
  void OpenAddress(const std::string& address) override;
};

}  // namespace tarvex::qt
