// The system's ANSI code page, in which the settings file and the ignore list are kept.
#pragma once

#include "settings/ansi_code_page.h"

namespace tarvex::win32 {

class Win32AnsiCodePage final : public AnsiCodePage {
 public:
  std::string FromUtf8(const std::string& utf8) const override;
};

}  // namespace tarvex::win32
