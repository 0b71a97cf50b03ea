#include "win32/platform/win32_ansi_code_page.h"

#include "win32/support/utf8_text.h"

namespace tarvex::win32 {

std::string Win32AnsiCodePage::FromUtf8(const std::string& utf8) const {
  return AnsiFromWide(WideFromUtf8(utf8));
}

}  // namespace tarvex::win32
